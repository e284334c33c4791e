// Frame building, escaping, checksums and the reply parser, on whole and damaged frames.
#include "comm/frame.h"

#include <gtest/gtest.h>

#include "tests/comm/fake_line.h"

namespace vorta::comm {
namespace {

using testing::Bytes;
using testing::EncodeReply;

TBuffer Command(const Bytes& bytes, std::uint8_t expected) {
  TBuffer c{};
  c[0] = static_cast<std::uint8_t>(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) c[i + 1] = bytes[i];
  c[bytes.size() + 1] = expected;
  return c;
}

Bytes FrameBytes(const TBuffer& frame) {
  return Bytes(frame.begin(), frame.begin() + frame[255]);
}

TEST(FrameTest, PlainCommandIsStartLengthBytesAndChecksum) {
  TBuffer frame{};
  ASSERT_TRUE(BuildFrame(Command({'m', 0x20}, 10), frame));
  // 255 - (0x6D + 0x20) = 0x72
  EXPECT_EQ(FrameBytes(frame), (Bytes{0xC9, 0x02, 0x6D, 0x20, 0x72}));
}

TEST(FrameTest, EverySpecialValueAsCommandByteIsEscaped) {
  for (std::uint8_t special : {0xC0, 0xC3, 0xC9, 0xCE}) {
    TBuffer frame{};
    ASSERT_TRUE(BuildFrame(Command({'D', special}, 3), frame));
    const std::uint8_t sum = Checksum(Bytes{'D', special}.data(), 2);
    Bytes expected{0xC9, 0x02, 'D', 0xCE, static_cast<std::uint8_t>(special ^ 0x20)};
    if (IsSpecialByte(sum)) {
      expected.push_back(0xCE);
      expected.push_back(sum ^ 0x20);
    } else {
      expected.push_back(sum);
    }
    EXPECT_EQ(FrameBytes(frame), expected) << int(special);
  }
}

TEST(FrameTest, EverySpecialValueAsChecksumIsEscaped) {
  for (std::uint8_t special : {0xC0, 0xC3, 0xC9, 0xCE}) {
    // A single command byte b has the checksum 255 - b.
    const std::uint8_t b = static_cast<std::uint8_t>(255 - special);
    TBuffer frame{};
    ASSERT_TRUE(BuildFrame(Command({b}, 0), frame));
    EXPECT_EQ(FrameBytes(frame), (Bytes{0xC9, 0x01, b, 0xCE, static_cast<std::uint8_t>(special ^ 0x20)}));
  }
}

TEST(FrameTest, LengthByteIsNeverEscaped) {
  TBuffer frame{};
  Bytes body(20, 0x01);
  ASSERT_TRUE(BuildFrame(Command(body, 3), frame));
  EXPECT_EQ(frame[1], 20);
  EXPECT_EQ(frame[255], 2 + 20 + 1);
}

TEST(FrameTest, CommandLengthOutOfRangeOrSpecialIsRefused) {
  TBuffer frame{};
  TBuffer c{};
  c[0] = 0;
  EXPECT_FALSE(BuildFrame(c, frame));
  c[0] = 201;
  EXPECT_FALSE(BuildFrame(c, frame));
  // 0xC0 and 0xC3 as the length byte would read as a reply start or a frame end on the line.
  for (int n : {0xC0, 0xC3}) {
    c.fill(0x01);
    c[0] = static_cast<std::uint8_t>(n);
    EXPECT_FALSE(BuildFrame(c, frame)) << n;
  }
  c.fill(0x01);
  c[0] = 200;
  EXPECT_TRUE(BuildFrame(c, frame));
}

TEST(FrameTest, CommandWhoseEscapedFrameWouldNotFitIsRefused) {
  TBuffer frame{};
  TBuffer c{};
  c.fill(0xC0);  // every byte needs an escape: 2 + 2 x 127 + 2 > 255
  c[0] = 127;
  EXPECT_FALSE(BuildFrame(c, frame));
  c[0] = 120;
  c[121] = 0;
  EXPECT_TRUE(BuildFrame(c, frame));
}

TBuffer Received(const Bytes& bytes) {
  TBuffer rx{};
  for (std::size_t i = 0; i < bytes.size(); ++i) rx[i] = bytes[i];
  return rx;
}

struct ParseCase {
  Bytes echo{0xC9, 0x02, 0x6D, 0x20, 0x72};
  Bytes reply;
  int expected = 3;
  bool Parse(TBuffer& out) const {
    Bytes all = echo;
    all.insert(all.end(), reply.begin(), reply.end());
    return ParseReply(Received(all), static_cast<int>(all.size()), static_cast<int>(echo.size()), expected,
                      out);
  }
};

TEST(ReplyParseTest, GoodReplyAfterEchoIsDecoded) {
  ParseCase pc;
  pc.reply = EncodeReply({'D', 0x00, 0x10});
  TBuffer out{};
  ASSERT_TRUE(pc.Parse(out));
  EXPECT_EQ(out[0], 3);
  EXPECT_EQ(out[1], 'D');
  EXPECT_EQ(out[2], 0x00);
  EXPECT_EQ(out[3], 0x10);
  EXPECT_EQ(out[4], Checksum(Bytes{'D', 0x00, 0x10}.data(), 3));
}

TEST(ReplyParseTest, EscapedFrameEndInsideDataKeepsItsValue) {
  ParseCase pc;
  pc.reply = EncodeReply({0xC3, 0xC0, 0xCE});
  TBuffer out{};
  ASSERT_TRUE(pc.Parse(out));
  EXPECT_EQ(out[1], 0xC3);
  EXPECT_EQ(out[2], 0xC0);
  EXPECT_EQ(out[3], 0xCE);
}

TEST(ReplyParseTest, ReplyWithWrongLengthByteFails) {
  ParseCase pc;
  pc.reply = EncodeReply({'D', 0x00, 0x10, 0x00});  // good checksum, length 4
  TBuffer out{};
  EXPECT_FALSE(pc.Parse(out));
}

TEST(ReplyParseTest, ReplyWithBadChecksumFails) {
  ParseCase pc;
  pc.reply = EncodeReply({'D', 0x00, 0x10});
  pc.reply[pc.reply.size() - 2] ^= 0x01;
  TBuffer out{};
  EXPECT_FALSE(pc.Parse(out));
}

TEST(ReplyParseTest, ReplyWithoutFrameEndFails) {
  ParseCase pc;
  pc.reply = EncodeReply({'D', 0x00, 0x10});
  pc.reply.back() = 0x00;
  TBuffer out{};
  EXPECT_FALSE(pc.Parse(out));
  pc.reply.pop_back();
  pc.reply.push_back(0x55);
  pc.reply.push_back(0x55);
  EXPECT_FALSE(pc.Parse(out));
}

TEST(ReplyParseTest, TooLongReplyFails) {
  ParseCase pc;
  pc.reply = EncodeReply({'D', 0x00, 0x10});
  pc.reply.insert(pc.reply.end() - 1, 0x11);  // an extra byte before the end
  TBuffer out{};
  EXPECT_FALSE(pc.Parse(out));
}

TEST(ReplyParseTest, ShortReplyFails) {
  ParseCase pc;
  pc.reply = {0xC0, 0x03, 'D', 0xC3};
  TBuffer out{};
  EXPECT_FALSE(pc.Parse(out));
}

TEST(ReplyParseTest, ReplyIsTheLastReplyStart) {
  ParseCase pc;
  Bytes stale = EncodeReply({'X', 0x01, 0x02});
  pc.reply = stale;
  Bytes good = EncodeReply({'D', 0x00, 0x10});
  pc.reply.insert(pc.reply.end(), good.begin(), good.end());
  TBuffer out{};
  ASSERT_TRUE(pc.Parse(out));
  EXPECT_EQ(out[1], 'D');
}

TEST(ReplyParseTest, UnescapingStopsAtTheBytesReceived) {
  // A frame cut off after an escape byte: stale bytes beyond the count must not complete it.
  Bytes echo{0xC9, 0x02, 0x6D, 0x20, 0x72};
  Bytes all = echo;
  Bytes reply = EncodeReply({0xC3, 0x00, 0x00});
  all.insert(all.end(), reply.begin(), reply.end());
  TBuffer rx = Received(all);
  TBuffer out{};
  ASSERT_TRUE(ParseReply(rx, static_cast<int>(all.size()), 5, 3, out));
  for (int cut = 1; cut < static_cast<int>(reply.size()); ++cut)
    EXPECT_FALSE(ParseReply(rx, static_cast<int>(all.size()) - cut, 5, 3, out)) << cut;
}

TEST(ReplyParseTest, EscapesRunningPastTheBufferFail) {
  TBuffer rx{};
  rx.fill(0xCE);
  rx[0] = 0xC0;
  rx[1] = 200;
  TBuffer out{};
  EXPECT_FALSE(ParseReply(rx, 256, 0, 200, out));
  EXPECT_FALSE(ParseReply(rx, 300, 0, 10, out));
}

}  // namespace
}  // namespace vorta::comm
