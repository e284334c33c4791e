// A reply as the link receives it: the echo of the command, then whatever the line delivers, in
// chunks of the sizes the input asks for. A reply that checks is decoded as its command's reader
// does, and a measurement is shown as the result panel shows it.
#include <algorithm>
#include <memory>
#include <vector>

#include "app/display_format.h"
#include "comm/comm_state.h"
#include "comm/link.h"
#include "comm/measurement.h"
#include "comm/protocol.h"
#include "docs/lang_list.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace vorta;

// A line whose reads hand out the echo of the last frame written and then the input.
class TInputLine final : public platform::ISerialLine {
 public:
  TInputLine(const std::uint8_t* data, std::size_t size, std::size_t chunk)
      : input_(data, data + size), chunk_(chunk) {}
  bool Configure(int) override { return true; }
  void Purge() override {}
  bool Write(const std::uint8_t* data, std::size_t n, int) override {
    pending_.assign(data, data + n);
    pending_.insert(pending_.end(), input_.begin(), input_.end());
    return true;
  }
  int Read(std::uint8_t* buf, std::size_t max, int) override {
    const std::size_t n = std::min({max, chunk_, pending_.size()});
    std::copy_n(pending_.begin(), n, buf);
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(n));
    return static_cast<int>(n);
  }
  void Interrupt() override {}

 private:
  std::vector<std::uint8_t> input_, pending_;
  std::size_t chunk_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The link's pauses after a failed reply are cut short: the fuzzer has no line to wait for.
  comm::Comm().CharTimeMs = 0;
  comm::Comm().CharTime = 0.0;
  comm::Comm().AbortEvent.Set();
  static const std::pair<std::uint8_t, std::uint32_t> kCommands[] = {
      {'m', 0x20}, {'s', 0x040010}, {'Z', 0x3F800000}, {'@', 0}, {'D', 0x5A0010}, {'o', 8000}};
  const auto& [letter, arg] = kCommands[data[0] % std::size(kCommands)];
  const std::size_t chunk = 1 + data[1] % 32;
  comm::TCommD link(std::make_unique<TInputLine>(data + 2, size - 2, chunk));
  comm::TBuffer cmd{}, reply{};
  comm::BuildCommandInto(cmd, letter, arg);
  if (!link.Transact(cmd, reply, 250) || letter != 'm') return 0;
  comm::TRawMeasurement raw{};
  for (int i = 0; i < 8; ++i) raw[i] = reply[3 + i];
  double value = 0, current = 0;
  comm::TMeasurementStatus status;
  comm::DecodeMeasurement(raw, true, false, false, value, current, status);
  static const docs::TLangList lang = [] {
    docs::TLangList l;
    l.BuildEnglish();
    return l;
  }();
  app::TParamSet p;
  app::TResultFlags flags;
  for (bool configRead : {false, true}) {
    const app::TResultText shown = app::ResultText(p, value, configRead, flags, lang);
    vorta::fuzz::Require(shown.fault || vorta::fuzz::ShowsValue(shown.text, value), "result panel");
  }
  vorta::fuzz::Require(current >= 0 && current <= 25.0, "output current within 0..25 mA");
  return 0;
}
