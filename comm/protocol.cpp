// Line opening and closing, the command set, direct commands.
#include "comm/protocol.h"

#include <atomic>
#include <cerrno>

#include "comm/comm_state.h"
#include "comm/device_float.h"
#include "comm/polling.h"

namespace vorta::comm {

namespace {

constexpr int kCommandDoneWaitMs = 500;

std::atomic<std::uint16_t> gReplyTimeoutMs{kReplyTimeoutMs};

std::uint8_t Byte(std::uint32_t arg, int i) {
  return static_cast<std::uint8_t>(arg >> (8 * i));
}

void ClearLineBuffers() {
  TCommState& s = Comm();
  s.ReplyBuffer.fill(0);
  s.PollReply.fill(0);
  std::lock_guard lock(s.ShadowLock);
  s.PollShadow.fill(0);
}

// Puts the command bytes and the expected reply length into cmd.
void Fill(TBuffer& cmd, std::initializer_list<std::uint8_t> bytes, int expected) {
  cmd.fill(0);
  int n = 0;
  for (std::uint8_t b : bytes) cmd[++n] = b;
  cmd[0] = static_cast<std::uint8_t>(n);
  cmd[n + 1] = static_cast<std::uint8_t>(expected);
}

}  // namespace

std::uint16_t ReplyTimeoutMs() {
  return gReplyTimeoutMs;
}

void SetReplyTimeoutMs(std::uint16_t ms) {
  gReplyTimeoutMs = ms > 0 ? ms : kReplyTimeoutMs;
}

bool BuildCorrectionsInto(TBuffer& cmd, double zero, double gain) {
  DeviceFloatBytes z, g;
  if (!EncodeDeviceFloat(zero, z) || !EncodeDeviceFloat(gain, g)) return false;
  Fill(cmd, {'V', 8, 0x00, 0x60, z[0], z[1], z[2], z[3], g[0], g[1], g[2], g[3]}, 0);
  return true;
}

bool BuildCommandInto(TBuffer& cmd, std::uint8_t letter, std::uint32_t arg) {
  const std::uint8_t b0 = Byte(arg, 0), b1 = Byte(arg, 1), b2 = Byte(arg, 2), b3 = Byte(arg, 3);
  switch (letter) {
    case 'm':
      Fill(cmd, {'m', b0}, 10);
      return true;
    case 'o':
      Fill(cmd, {'o', b1, b0}, 0);
      return true;
    case 'r':
      Fill(cmd, {'r'}, kNoReply);
      return true;
    case 's':
      // The reply carries the count plus three bytes and must leave room for its length byte.
      if (b2 > kNoReply - 4) return false;
      Fill(cmd, {'s', b2, b1, b0}, b2 + 3);
      return true;
    case 'D':
      Fill(cmd, {'D', 1, b1, b0, b2}, 3);
      return true;
    case 'O':
      Fill(cmd, {'D', 4, 0x55, 0x55, b1, b0, b3, b2}, 3);
      return true;
    case 'Z':
      Fill(cmd, {'Z', b0, b1, b2, b3}, 7);
      return true;
    case '@':
      Fill(cmd, {'@', 'V', 'R', 'T', 'A'}, 5);
      return true;
    default:
      return false;
  }
}

bool BuildCommand(std::uint8_t letter, std::uint32_t arg) {
  return BuildCommandInto(Comm().CommandBuffer, letter, arg);
}

bool OpenLineOn(std::unique_ptr<platform::ISerialLine> line, int baudIndex) {
  if (!CloseLine()) return false;
  ClearLineBuffers();
  TCommState& s = Comm();
  auto port = std::make_unique<TCommD>(std::move(line));
  if (!port->Setup(BaudOfIndex(baudIndex))) return false;  // the port is released here
  s.Line = std::move(port);
  return StartPolling();
}

bool OpenLine(int portNumber, int baudIndex, platform::TPortOpenError* why) {
  if (!CloseLine()) return false;
  auto port = TCommD::OpenPort(portNumber, why);
  if (!port) return false;
  ClearLineBuffers();
  if (!port->Setup(BaudOfIndex(baudIndex))) {
    if (why) *why = platform::ClassifyOpenError(why->path, ENOTTY);
    return false;
  }
  Comm().Line = std::move(port);
  return StartPolling();
}

bool CloseLine() {
  TCommState& s = Comm();
  s.PollRunning = false;
  if (s.Line) {
    if (!s.Line->ClosePort()) return false;
    s.Line.reset();
  }
  s.PollStarted = false;
  return true;
}

bool LineOpen() {
  return Comm().Line != nullptr;
}

bool LineGone() {
  const TCommState& s = Comm();
  return s.Line != nullptr && s.Line->Gone();
}

namespace {

// Runs the command that build puts into CommandBuffer, with up to five attempts.
template <typename Build>
bool RunDirect(Build build) {
  TCommState& s = Comm();
  if (!s.CommandDoneEvent.Wait(kCommandDoneWaitMs)) return false;
  s.CommandDoneEvent.Reset();
  bool ok = s.Line != nullptr && build(s.CommandBuffer);
  if (ok) {
    ok = false;
    // A line that has failed itself is not tried again: each attempt would only wait out its time.
    for (int attempt = 0; attempt < kDirectAttempts && !ok && !s.Line->Gone(); ++attempt)
      ok = s.Line->Transact(s.CommandBuffer, s.ReplyBuffer, ReplyTimeoutMs(),
                            {TLogSource::kService, static_cast<std::uint8_t>(attempt + 1), kDirectAttempts});
  }
  s.CommandDoneEvent.Set();
  return ok;
}

}  // namespace

bool DirectCommand(std::uint8_t letter, std::uint32_t arg) {
  return RunDirect([letter, arg](TBuffer& cmd) { return BuildCommandInto(cmd, letter, arg); });
}

bool DirectCorrections(double zero, double gain) {
  return RunDirect([zero, gain](TBuffer& cmd) { return BuildCorrectionsInto(cmd, zero, gain); });
}

bool DirectRead(std::uint8_t letter, std::uint32_t arg, TBuffer& buf) {
  if (!DirectCommand(letter, arg)) return false;
  const TBuffer& reply = Comm().ReplyBuffer;
  const int n = reply[0] + 2;
  for (int i = 0; i < n && i < static_cast<int>(buf.size()); ++i) buf[i] = reply[i];
  return true;
}

bool ReadRegister(std::uint8_t selector, double& value, double& current, TRawMeasurement& raw) {
  if (!DirectCommand('m', selector)) return false;
  TCommState& s = Comm();
  {
    std::lock_guard lock(s.ShadowLock);
    s.PollShadow = s.ReplyBuffer;
    for (int i = 0; i < 8; ++i) raw[i] = s.PollShadow[3 + i];
  }
  const std::uint8_t b = raw[7];
  DecodeMeasurement(raw, true, (b & 0x20) != 0, (b & 0x40) != 0, value, current, s.Status);
  return true;
}

bool ReadSimulated(double& value, double& current, std::uint32_t arg) {
  if (!DirectCommand('Z', arg)) return false;
  const TBuffer& r = Comm().ReplyBuffer;
  value = DecodeDeviceFloat(&r[2]);
  current = DacToMilliamps(static_cast<std::uint16_t>(r[6] << 8 | r[7]));
  return true;
}

}  // namespace vorta::comm
