// Rules of the user corrections window.
#include "service/regul_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/model_table.h"
#include "app/rounding.h"
#include "app/sensor_code.h"
#include "docs/str_to_number.h"

namespace vorta::service {

namespace {

std::string Format(const char* format, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

constexpr double kEntryTolerance = 1e-6;
constexpr int kCelsiusUnit = 8;

}  // namespace

double ScrollCorrection(int position) {
  return (position - kScrollCentre) / 100.0;
}

double LimitCorrection(double shown) {
  if (shown >= 2.0) return kCorrectionLimit;
  if (shown <= -2.0) return -kCorrectionLimit;
  return shown;
}

int ScrollPosition(double correction) {
  if (!std::isfinite(correction)) return kScrollCentre;
  const long long pos = app::RoundHalfEven(correction * 100) + kScrollCentre;
  return static_cast<int>(std::clamp<long long>(pos, 0, kScrollMax));
}

std::string CorrectionText(double correction) {
  std::string text = Format("%.2f", correction);
  if (text == "-0.00") text = "0.00";
  if (correction > 0 && text != "0.00") text = "+" + text;
  return text + " ";
}

double SimulatedValue(double m, const TCorrections& stored, const TCorrections& trial, double span) {
  const double divisor = 1 + stored.gain / 100;
  if (!std::isfinite(m) || !std::isfinite(span) || !std::isfinite(divisor) || !std::isfinite(trial.zero) ||
      !std::isfinite(trial.gain) || !std::isfinite(stored.zero) || divisor == 0)
    return m;
  const double x = (m - 0.01 * stored.zero * span) / divisor;
  return (1 + 0.01 * trial.gain) * x + 0.01 * trial.zero * span;
}

TOutputEntry CheckSetOut(std::string_view text) {
  double v = 0;
  if (!docs::StrToNumber(text, v)) return {TEntryCheck::kWrongFormat, "10.00", 0};
  if (v < kSetOutLow - kEntryTolerance) return {TEntryCheck::kOutOfRange, "03.50", 0};
  if (v > kSetOutHigh + kEntryTolerance) return {TEntryCheck::kOutOfRange, "21.75", 0};
  const std::string shown = Format("%4.2f", v);
  return {TEntryCheck::kOk, shown, static_cast<std::uint32_t>(app::RoundHalfEven(v * 2000))};
}

app::TResultText RegulValueText(const app::TParamSet& p, double value, bool measureMode,
                                const app::TResultFlags& flags, const docs::TLangList& lang) {
  app::TResultText r = app::ResultText(p, value, true, flags, lang);
  if (r.fault || !measureMode) return r;
  return {app::ValueText(p, value) + "   " + std::string(app::UnitName(kCelsiusUnit)), false};
}

std::string RegulOutputText(double current, bool independent, bool simulating) {
  if (simulating) current = std::clamp(current, kSetOutLow, kSetOutHigh);
  const double rounded = static_cast<double>(app::RoundHalfEven(current * 100)) / 100;
  return std::string(independent ? "  !" : "   ") + Format("%.2f", rounded) + " mA";
}

TFailAction CountFailure(int& count, int limit, bool resetting) {
  TFailAction a;
  if (count < limit) {
    a.forgetConfig = !resetting && count >= 1;
    a.clearPanels = true;
    ++count;
  } else if (count == limit) {
    a.showUnknown = true;
    ++count;
  }
  return a;
}

bool MeasureModeAllowed(int typeIndex) {
  const int offset = app::ModelCodeOfTypeIndex(typeIndex) - 42;
  return offset >= 0 && offset <= 7;
}

}  // namespace vorta::service
