// ports, monitor and diff: what is there, what the transmitter measures, and how two
// configurations differ.
#include <chrono>
#include <ctime>
#include <thread>

#include "app/config_history.h"
#include "app/log_line.h"
#include "app/sensor_code.h"
#include "cli/cli_commands.h"
#include "cli/cli_json.h"
#include "comm/comm_state.h"
#include "comm/polling.h"
#include "comm/port_list.h"
#include "docs/param_compare.h"
#include "platform/port_links.h"
#include "platform/port_names.h"

namespace vorta::cli {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSilenceMs = 6000;  // as long as the window waits before it shows "???"
constexpr int kSliceMs = 5;

struct TFlag {
  bool on;
  const char* id;
  const char* text;
};

// The status flags of the measurement just taken, by their fixed names and their texts.
std::vector<TFlag> Flags(const comm::TMeasurementStatus& st) {
  return {{st.CalMode, "calibration_mode", "calibration mode"},
          {st.IndependentOutput, "independent_output", "independent output"},
          {st.BrokenSensor, "broken_sensor", "Broken sensor"},
          {st.EepromError, "eeprom_error", "EEPROM error"},
          {st.InternalError, "internal_error", "Internal error"},
          {st.NewAverage, "new_average", "new average"},
          {st.LargeError, "large_error", "spurious error"},
          {st.OutOfRange, "out_of_range", "Value out of range"}};
}

std::string UnitOf(const comm::TMeasurementStatus& st) {
  const std::string_view unit = app::UnitName(st.UnitIndex);
  return unit == " " ? std::string() : std::string(unit);
}

// Waits for the next poll; false when Ctrl+C came or the transmitter stayed silent.
bool NextMeasurement(TCliSession& s, double& value, double& current, bool& silent) {
  comm::TRawMeasurement raw{};
  const auto deadline = Clock::now() + std::chrono::milliseconds(kSilenceMs);
  while (!comm::TakeMeasurement(value, current, raw)) {
    if (s.Interrupted()) return false;
    if (Clock::now() > deadline) {
      silent = true;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(kSliceMs));
  }
  return true;
}

// Waits until t; false when Ctrl+C came first.
bool WaitUntil(TCliSession& s, Clock::time_point t) {
  while (Clock::now() < t) {
    if (s.Interrupted()) return false;
    std::this_thread::sleep_for(
        std::min<Clock::duration>(t - Clock::now(), std::chrono::milliseconds(kSliceMs)));
  }
  return true;
}

void MonitorHeader(TCliSession& s) {
  const app::THistoryTime t = s.Env().now();
  char date[16], time[16];
  std::snprintf(date, sizeof date, "%02d.%02d.%04d", t.day, t.month, t.year);
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  const auto header = app::LogHeader(date, time, UnitOf(comm::Comm().Status), s.Lang());
  for (const std::string& line : header) s.Out() << line << "\r\n";
  s.Out() << std::flush;
}

void MonitorLine(TCliSession& s, double ms, double value, double current) {
  const comm::TMeasurementStatus& st = comm::Comm().Status;
  if (s.Options().json) {
    std::vector<std::string> ids;
    for (const TFlag& f : Flags(st))
      if (f.on) ids.push_back(JsonString(f.id));
    s.Json(TJsonObject()
               .Number("time", ms / 1000.0)
               .Number("result", value)
               .Number("output", current)
               .Text("unit", UnitOf(st))
               .Raw("flags", JsonArray(ids))
               .Str());
    return;
  }
  std::string flags;
  for (const TFlag& f : Flags(st))
    if (f.on) flags += (flags.empty() ? "" : ", ") + s.T(f.text);
  s.Out() << app::LogLine(ms, value, current) << "\t" << flags << "\r\n" << std::flush;
}

}  // namespace

// The list of Options > Communication, line for line.
int RunPorts(TCliSession& s) {
  const std::vector<comm::TPortEntry> ports =
      comm::BuildPortList(s.Env().systemPorts ? s.Env().systemPorts() : std::vector<comm::TPortDevice>{},
                          platform::ListPortLinks(platform::PortsDir()));
  if (s.Options().json) {
    std::vector<std::string> items;
    for (const comm::TPortEntry& p : ports)
      items.push_back(TJsonObject()
                          .Text("port", p.name)
                          .Text("device", p.path)
                          .Text("description", p.about)
                          .Bool("link", p.link)
                          .Str());
    s.Json(JsonArray(items));
    return kExitDone;
  }
  for (const comm::TPortEntry& p : ports) s.Out() << comm::PortEntryText(p) << "\n";
  s.Out() << std::flush;
  return kExitDone;
}

int RunMonitor(TCliSession& s) {
  if (const int code = s.Connect()) return code;
  if (!s.Options().json) MonitorHeader(s);
  const auto interval =
      std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s.Options().intervalS));
  Clock::time_point start = Clock::now(), next = start;
  for (long lines = 0; s.Options().count == 0 || lines < s.Options().count; ++lines) {
    double value = 0, current = 0;
    bool silent = false;
    if (!WaitUntil(s, next) || !NextMeasurement(s, value, current, silent)) {
      if (!silent) return kExitDone;  // Ctrl+C is how a monitor without --count ends
      s.Message(s.T("No communication with transmitter") + "!");
      return kExitLine;
    }
    const Clock::time_point now = Clock::now();
    if (lines == 0) start = now;
    MonitorLine(s, std::chrono::duration<double, std::milli>(now - start).count(), value, current);
    // Lines keep to the interval from the first one; a late one does not shift the rest.
    next = std::max(start + interval * (lines + 1), now);
  }
  return kExitDone;
}

int RunDiff(TCliSession& s) {
  const std::vector<std::string>& files = s.Options().files;
  app::TParamSet left, right;
  sensors::TSensorRangeTable leftRanges, rightRanges;
  std::string leftName = files.front(), history;
  if (s.Options().port) {
    if (const int code = LoadFile(s, files.front(), right, rightRanges)) return code;
    comm::TDeviceRecord rec{};
    if (const int code = ReadTransmitter(s, rec, left, leftRanges, history)) return code;
    leftName = s.PortName();
  } else {
    if (const int code = LoadFile(s, files[0], left, leftRanges)) return code;
    if (const int code = LoadFile(s, files[1], right, rightRanges)) return code;
  }
  const std::string& rightName = files.back();
  const std::vector<docs::TCompareRow> rows = docs::CompareParamSets(left, right, s.Lang());
  const int differing = docs::DifferingRows(rows);
  if (s.Options().json) {
    std::vector<std::string> items;
    for (const docs::TCompareRow& r : rows)
      if (r.differs)
        items.push_back(TJsonObject()
                            .Text("field", r.id)
                            .Text("name", r.name)
                            .Text("left", r.left)
                            .Text("right", r.right)
                            .Str());
    s.Json(TJsonObject()
               .Text("command", "diff")
               .Text("left", leftName)
               .Text("right", rightName)
               .Raw("differences", JsonArray(items))
               .TextOrNull("history", history)
               .Str());
  } else {
    for (const docs::TCompareRow& r : rows)
      if (r.differs) s.Out() << r.name << ": " << r.left << "  ->  " << r.right << "\n";
    s.Out() << std::flush;
  }
  return differing ? kExitDiffers : kExitDone;
}

}  // namespace vorta::cli
