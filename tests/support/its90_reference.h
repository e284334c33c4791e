// The published ITS-90 thermocouple reference functions, read from the test data and evaluated
// independently of the product's own tables.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vorta::testing {

struct TPublishedRange {
  std::string type;
  long double lo = 0, hi = 0;
  std::vector<long double> mv;  // published coefficients, mV
};

// Every sub-range of the data file in its order, and the three terms of type K's exponential.
inline std::vector<TPublishedRange> ReadPublished(long double kexp[3]) {
  std::ifstream in(std::string(VORTA_TEST_DATA_DIR) + "/its90-thermocouples.txt");
  std::vector<TPublishedRange> out;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    std::string word;
    if (!(s >> word) || word[0] == '#') continue;
    if (word == "range") {
      TPublishedRange r;
      s >> r.type >> r.lo >> r.hi;
      out.push_back(r);
    } else if (word == "kexp") {
      s >> kexp[0] >> kexp[1] >> kexp[2];
    } else {
      out.back().mv.push_back(std::stold(word));
    }
  }
  return out;
}

inline long double Evaluate(const TPublishedRange& r, const long double kexp[3], long double t) {
  long double sum = 0;
  for (std::size_t i = 0; i < r.mv.size(); ++i) sum += r.mv[i] * std::pow(t, static_cast<long double>(i));
  if (r.type == "K" && r.lo >= 0) sum += kexp[0] * std::exp(kexp[1] * (t - kexp[2]) * (t - kexp[2]));
  return sum;
}

// Thermoelectric voltage in mV of the given type ("K", "J", ...) at t degrees C, reference
// junction at 0 C, from the first sub-range that holds t.
inline double ReferenceMv(const std::string& type, double t) {
  static long double kexp[3] = {};
  static const std::vector<TPublishedRange> ranges = ReadPublished(kexp);
  for (const TPublishedRange& r : ranges)
    if (r.type == type && t >= r.lo && t <= r.hi) return static_cast<double>(Evaluate(r, kexp, t));
  ADD_FAILURE() << "no reference range for " << type << " at " << t;
  return 0.0;
}

}  // namespace vorta::testing
