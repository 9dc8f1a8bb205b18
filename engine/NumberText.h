#pragma once
// Reading numbers from typed text and the one number formatting routine.

#include <string>
#include <string_view>

namespace tovarin {

// The leading number of a text: optional sign, digits, at most one decimal point,
// an optional exponent (E or D); blanks, tabs and line feeds are ignored wherever
// they stand; &H / &O introduce a hexadecimal / octal integer at the very start.
// Anything else ends the number; a text without a leading number gives 0.
double textToNumber(std::string_view text);

// Formats a value with one of the patterns "0", "0.0", "0.0#", "0.00", "0.00#",
// "0.000", "0.000#", "0.0000", "0.00000", "#0.0", "####": rounding half away from
// zero on the value's 15-significant-digit decimal reading, no digit grouping.
// Every number the program shows, prints or saves goes through this routine.
// A non-finite value (never produced by an accepted computation) gives the empty text.
std::string formatNumber(double value, std::string_view pattern);

} // namespace tovarin
