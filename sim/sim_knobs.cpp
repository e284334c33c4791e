// Setting fault knobs and signal settings by name, and describing them.
#include "sim/sim_knobs.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vorta::sim {

namespace {

bool ParseDouble(const std::string& text, double& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(text.c_str(), &end);
  if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(v)) return false;
  out = v;
  return true;
}

bool ParseInt(const std::string& text, int lo, int hi, int& out) {
  double v = 0;
  if (!ParseDouble(text, v) || v != std::floor(v) || v < lo || v > hi) return false;
  out = static_cast<int>(v);
  return true;
}

bool ParseShare(const std::string& text, double& out) {
  double v = 0;
  if (!ParseDouble(text, v) || v < 0.0 || v > 1.0) return false;
  out = v;
  return true;
}

bool ParseSwitch(const std::string& text, bool& out) {
  if (text == "on" || text == "1" || text == "true" || text.empty()) {
    out = true;
    return true;
  }
  if (text == "off" || text == "0" || text == "false") {
    out = false;
    return true;
  }
  return false;
}

struct TSwitch {
  const char* name;
  bool TFaultKnobs::*field;
};
constexpr TSwitch kSwitches[] = {
    {"wrong-address", &TFaultKnobs::wrongAddressEcho},   {"silent", &TFaultKnobs::silent},
    {"eeprom-error", &TFaultKnobs::eepromError},         {"broken-sensor", &TFaultKnobs::brokenSensor},
    {"calibration-mode", &TFaultKnobs::calibrationMode}, {"internal-error", &TFaultKnobs::internalError},
};

struct TCount {
  const char* name;
  int TFaultKnobs::*field;
  int lo, hi;
};
constexpr TCount kCounts[] = {
    {"late", &TFaultKnobs::lateMs, 0, 60000},
    {"silent-after", &TFaultKnobs::silentAfterFrames, -1, 1000000000},
    {"silent-in-block", &TFaultKnobs::silentInBlock, -1, 1000000000},
    {"disconnect-after", &TFaultKnobs::disconnectAfterFrames, -1, 1000000000},
};

struct TShare {
  const char* name;
  double TFaultKnobs::*field;
};
constexpr TShare kShares[] = {{"lose", &TFaultKnobs::loseShare}, {"corrupt", &TFaultKnobs::corruptShare}};

struct TSetting {
  const char* name;
  double TSignalSettings::*field;
};
constexpr TSetting kSettings[] = {
    {"level", &TSignalSettings::level},
    {"drift", &TSignalSettings::driftAmplitude},
    {"drift-period", &TSignalSettings::driftPeriodS},
    {"noise", &TSignalSettings::noise},
    {"internal-temp", &TSignalSettings::internalTemperature},
};

std::string Number(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

}  // namespace

bool SetKnobByName(TFaultKnobs& knobs, const std::string& name, const std::string& value) {
  for (const TSwitch& s : kSwitches)
    if (name == s.name) return ParseSwitch(value, knobs.*s.field);
  for (const TCount& c : kCounts)
    if (name == c.name) return ParseInt(value, c.lo, c.hi, knobs.*c.field);
  for (const TShare& s : kShares)
    if (name == s.name) return ParseShare(value, knobs.*s.field);
  return false;
}

bool SetSignalByName(TSignalSettings& signal, const std::string& name, const std::string& value) {
  for (const TSetting& s : kSettings) {
    if (name != s.name) continue;
    double v = 0;
    if (!ParseDouble(value, v)) return false;
    if (name == "drift-period" && v <= 0.0) return false;
    if (name == "noise" && v < 0.0) return false;
    signal.*s.field = v;
    return true;
  }
  return false;
}

std::vector<std::string> DescribeKnobs(const TFaultKnobs& knobs) {
  std::vector<std::string> lines;
  for (const TShare& s : kShares) lines.push_back(std::string(s.name) + " " + Number(knobs.*s.field));
  for (const TCount& c : kCounts) lines.push_back(std::string(c.name) + " " + std::to_string(knobs.*c.field));
  for (const TSwitch& s : kSwitches) lines.push_back(std::string(s.name) + (knobs.*s.field ? " on" : " off"));
  return lines;
}

std::vector<std::string> DescribeSignal(const TSignalSettings& signal) {
  std::vector<std::string> lines;
  for (const TSetting& s : kSettings) lines.push_back(std::string(s.name) + " " + Number(signal.*s.field));
  return lines;
}

bool IsSwitchKnob(const std::string& name) {
  for (const TSwitch& s : kSwitches)
    if (name == s.name) return true;
  return false;
}

}  // namespace vorta::sim
