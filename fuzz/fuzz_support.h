// What the fuzz targets share: a scratch folder of the run's own for inputs that only a file can
// carry, and the check that turns a wrong result into a crash the fuzzer reports.
#pragma once

#include <stdlib.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "docs/str_to_number.h"

namespace vorta::fuzz {

// A folder made once per run (mkdtemp) and left to the system's temporary folder cleaning.
inline const std::string& ScratchDir() {
  static const std::string dir = [] {
    std::string d = "/tmp/vorta-fuzz-XXXXXX";
    if (mkdtemp(d.data()) == nullptr) abort();
    return d;
  }();
  return dir;
}

// Writes the input to a file of the scratch folder and returns its path.
inline std::string WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = ScratchDir() + "/" + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) abort();
  std::fclose(f);
  return path;
}

// A property the program promises for every input; its failure is a finding like a crash.
inline void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "property broken: %s\n", what);
    abort();
  }
}

// A shown number says the value: the number the text starts with (after blanks) reads back to
// within a little more than half a unit of its last place. A rounding past 64 bits would show
// another number.
inline bool ShowsValue(const std::string& text, double value) {
  const std::size_t from = text.find_first_not_of(' ');
  if (from == std::string::npos) return false;
  const std::size_t to = text.find(' ', from);
  double back = 0;
  if (!docs::StrToNumber(text.substr(from, to == std::string::npos ? to : to - from), back)) return false;
  // The panels round twice, to one more decimal and then to those shown (2145.4836 -> 2145.5 ->
  // "2146"), so a figure with no decimals may stand 0.55 from the value; never more.
  return std::fabs(back - value) <= 0.55 + std::fabs(value) * 1e-12;
}

}  // namespace vorta::fuzz
