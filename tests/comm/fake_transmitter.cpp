// The scripted transmitter.
#include "tests/comm/fake_transmitter.h"

namespace vorta::comm::testing {

namespace {

Bytes Execute(TFakeTransmitter& tx, const Bytes& c, bool wrongEcho) {
  const std::uint8_t letter = c[0] & 0x7F;
  auto echoHi = [&](std::uint8_t hi) { return static_cast<std::uint8_t>(wrongEcho ? hi ^ 0x01 : hi); };
  switch (letter) {
    case 'm': {
      Bytes r{'m', c.size() > 1 ? c[1] : std::uint8_t{0}};
      r.insert(r.end(), tx.measurement.begin(), tx.measurement.end());
      return r;
    }
    case 's': {
      if (c.size() < 4) return {};
      if (c[0] == 's' && c[1] == 0x80 && c[2] == 0 && c[3] == 0)
        return {'s', 0, 0, tx.firmware[0], tx.firmware[1], tx.firmware[2], tx.firmware[3]};
      Bytes r{c[0], echoHi(c[2]), c[3]};
      const int address = c[2] << 8 | c[3];
      for (int i = 0; i < c[1]; ++i) r.push_back(tx.memory[(address + i) & 0xFFF]);
      return r;
    }
    case 'D': {
      if (c.size() < 4 || c.size() != 4u + c[1]) return {};
      const int address = c[2] << 8 | c[3];
      for (int i = 0; i < c[1]; ++i) tx.memory[(address + i) & 0xFFF] = c[4 + i];
      return {'D', echoHi(c[2]), c[3]};
    }
    case 'Z':
      return {'Z', 0x80, 0x00, 0x00, 0x00, 0x43, 0x40};
    case '@':
      return {'@', 'V', 'R', 'T', 'A'};
    default:
      return {};  // 'o', 'V', 'L' and the preamble: an empty reply
  }
}

}  // namespace

Bytes TFakeTransmitter::Respond(const Bytes& frame) {
  const Bytes c = DecodeCommandFrame(frame);
  if (c.empty()) return {};
  if (c[0] == 'm' && beforeMeasure) beforeMeasure(*this);
  std::lock_guard lock(mutex);
  commands.push_back(c);
  times.push_back(std::chrono::steady_clock::now());
  if (ignored.count(c[0])) return {};
  const int number = static_cast<int>(commands.size());
  if ((c[0] & 0x7F) == 'r') return {};
  if (silentAfter >= 0 && number > silentAfter) return {};
  if (loseEvery > 0 && number % loseEvery == 0) return {};
  return EncodeReply(Execute(*this, c, number == wrongEchoAt));
}

int TFakeTransmitter::Count(std::uint8_t letter) {
  std::lock_guard lock(mutex);
  int n = 0;
  for (const Bytes& c : commands) n += (c[0] == letter) ? 1 : 0;
  return n;
}

std::size_t TFakeTransmitter::CommandCount() {
  std::lock_guard lock(mutex);
  return commands.size();
}

std::unique_ptr<TFakeLine> LineTo(const std::shared_ptr<TFakeLineControl>& control,
                                  const std::shared_ptr<TFakeTransmitter>& tx) {
  control->respond = [tx](const Bytes& frame) { return tx->Respond(frame); };
  return std::make_unique<TFakeLine>(control);
}

}  // namespace vorta::comm::testing
