// The simulator's own frame code: command assembly from the byte stream, escaping and replies.
#include "sim/sim_frame.h"

#include <gtest/gtest.h>

#include "tests/sim/host_frames.h"

namespace vorta::sim::test {
namespace {

using TResult = TCommandAssembler::TResult;

std::vector<TResult> FeedAll(TCommandAssembler& a, const TBytes& bytes, double stepMs = 1.0) {
  std::vector<TResult> results;
  double t = 0.0;
  for (std::uint8_t b : bytes) {
    const TResult r = a.Feed(b, t += stepMs);
    if (r != TResult::kNone) results.push_back(r);
  }
  return results;
}

TEST(SimFrame, ChecksumIsComplementOfByteSum) {
  EXPECT_EQ(Checksum(TBytes{}), 0xFF);
  EXPECT_EQ(Checksum(TBytes{'m', 0x20}), 255 - (0x6D + 0x20));
  EXPECT_EQ(Checksum(TBytes{0xFF, 0x01}), 0xFF);  // the sum wraps at 256
}

TEST(SimFrame, EverySpecialValueAsCommandByteOrChecksumIsUnescaped) {
  for (std::uint8_t special : {0xC0, 0xC3, 0xC9, 0xCE}) {
    TCommandAssembler a;
    const TBytes command{'D', 1, 0x00, 0x80, special};
    EXPECT_EQ(FeedAll(a, CommandFrame(command)), std::vector<TResult>{TResult::kCommand});
    EXPECT_EQ(a.Command(), command);
    // A command whose checksum is the special value: 255 - (x mod 256) = special.
    const TBytes forSum{static_cast<std::uint8_t>(255 - special)};
    ASSERT_EQ(HostChecksum(forSum), special);
    EXPECT_EQ(FeedAll(a, CommandFrame(forSum)), std::vector<TResult>{TResult::kCommand});
    EXPECT_EQ(a.Command(), forSum);
  }
}

TEST(SimFrame, LengthByteIsTakenUnescaped) {
  TBytes command(0xC3, 0x11);  // n = 195 would be 0xC3 if it were escaped
  TCommandAssembler a;
  EXPECT_EQ(FeedAll(a, CommandFrame(command), 0.01), std::vector<TResult>{TResult::kCommand});
  EXPECT_EQ(a.Command().size(), 0xC3u);
}

TEST(SimFrame, BadChecksumIsABadFrame) {
  TBytes frame = CommandFrame({'m', 0x20});
  frame.back() ^= 0x01;
  TCommandAssembler a;
  EXPECT_EQ(FeedAll(a, frame), std::vector<TResult>{TResult::kBadFrame});
}

TEST(SimFrame, LengthZeroOrAbove200IsRefused) {
  TCommandAssembler a;
  EXPECT_EQ(FeedAll(a, {0xC9, 0x00, 'm'}), std::vector<TResult>{TResult::kBadFrame});
  EXPECT_EQ(FeedAll(a, {0xC9, 210, 'm'}), std::vector<TResult>{TResult::kBadFrame});
  TBytes longest(200, 0x01);
  EXPECT_EQ(FeedAll(a, CommandFrame(longest), 0.01), std::vector<TResult>{TResult::kCommand});
}

TEST(SimFrame, NewFrameStartAbandonsACutFrame) {
  TBytes bytes{0xC9, 0x02, 'm'};
  const TBytes good = CommandFrame({'s', 0x80, 0, 0});
  bytes.insert(bytes.end(), good.begin(), good.end());
  TCommandAssembler a;
  EXPECT_EQ(FeedAll(a, bytes), (std::vector<TResult>{TResult::kBadFrame, TResult::kCommand}));
  EXPECT_EQ(a.Command(), (TBytes{'s', 0x80, 0, 0}));
}

TEST(SimFrame, StrayBytesBeforeAFrameAreIgnored) {
  TBytes bytes{0x00, 0xC3, 0x55, 0xC0};
  const TBytes good = CommandFrame({'m', 0x01});
  bytes.insert(bytes.end(), good.begin(), good.end());
  TCommandAssembler a;
  EXPECT_EQ(FeedAll(a, bytes), std::vector<TResult>{TResult::kCommand});
}

TEST(SimFrame, GapInsideAFrameAbandonsIt) {
  TCommandAssembler a(20.0);
  const TBytes frame = CommandFrame({'m', 0x20});
  EXPECT_EQ(a.Feed(frame[0], 0.0), TResult::kNone);
  EXPECT_EQ(a.Feed(frame[1], 1.0), TResult::kNone);
  EXPECT_EQ(a.Feed(frame[2], 30.0), TResult::kBadFrame);
  EXPECT_EQ(a.Feed(frame[3], 31.0), TResult::kNone);  // hunting again: the rest is stray
}

TEST(SimFrame, ReplyEscapesDataAndChecksumButNotLength) {
  const TBytes data{0xC0, 0x01, 0xC3, 0xCE, 0xC9};
  const TBytes frame = EncodeReply(data);
  EXPECT_EQ(frame.front(), 0xC0);
  EXPECT_EQ(frame[1], data.size());
  EXPECT_EQ(frame.back(), 0xC3);
  for (std::size_t i = 2; i + 1 < frame.size(); ++i) EXPECT_NE(frame[i], 0xC3) << i;
  const TExchange x = SplitReply({}, frame);
  ASSERT_TRUE(x.data.has_value());
  EXPECT_EQ(*x.data, data);
  EXPECT_TRUE(EncodeReply(TBytes(255, 0)).empty());
  EXPECT_EQ(EncodeReply(TBytes{}), (TBytes{0xC0, 0x00, 0xFF, 0xC3}));
}

}  // namespace
}  // namespace vorta::sim::test
