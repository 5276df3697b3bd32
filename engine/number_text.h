#pragma once

// The one pair of rules by which the input fields are read and written back.

#include <optional>
#include <string>
#include <string_view>

namespace aurisplot {

// Reads the leading number of a text: blanks, tabs and line feeds anywhere are
// skipped; a sign, digits with at most one '.', and an exponent ('E' or 'e',
// optional sign, digits) are read up to the first character that cannot
// continue the number; "&H" and "&O" start hexadecimal and octal integers
// (up to 0xFFFF a 16-bit signed value, up to 0xFFFFFFFF a 32-bit one). A text
// without a leading number gives 0. Returns nothing when the number cannot be
// represented: a decimal beyond the double range, or a hexadecimal or octal
// value beyond 32 bits.
[[nodiscard]] std::optional<double> parse(std::string_view text);

// Writes a number with at most 15 significant digits, '.' as the decimal
// separator and no '0' before it (".5"), whole numbers without a point; from a
// decimal exponent of 15 up or below -4 in exponent form ("1E+15", "1.5E-05").
[[nodiscard]] std::string format(double x);

}  // namespace aurisplot
