// The one number parser of the program: "." or "," may stand for the decimal separator.
#pragma once

#include <cstdint>
#include <string_view>

namespace vorta::docs {

// Parses a complete decimal number: optional blanks, a sign, digits with at most one separator
// (the first "." or, when there is none, the first ","), an optional exponent, optional blanks.
// The result must be finite. "nan", "inf", hexadecimal, thousands separators and trailing text
// are no numbers. Reads the same under every locale. No message on failure.
bool StrToNumber(std::string_view text, double& value);

// StrToNumber, rounded to the nearest integer (halves to even) and range-checked for 32 bits.
bool StrToInt32(std::string_view text, std::int32_t& value);

}  // namespace vorta::docs
