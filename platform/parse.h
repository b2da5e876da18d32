#pragma once

#include <optional>
#include <string_view>

namespace quillet {

// Parsers for the text of a number field. The whole text is read, however long: blanks and
// tabs are skipped before and after the number, and anything else refuses the field, so a
// number is never taken from a prefix of what was typed. A zero is accepted only when the
// first non-blank character is the digit 0 (so "", "-0" and ".0" fail). Locale-independent.
// Both run in time linear in the length of the text.

// The longest decimal number ([sign] digits [. digits] [e [sign] digits]; no hex, no "inf" or
// "nan", no comma), converted to double (correctly rounded, for any number of digits) and then
// rounded to float. A value beyond the float range becomes an infinity of its sign.
std::optional<float> ParseFloatField(std::string_view text);

// The same number kept in double precision (correctly rounded), for log-likelihoods, whose
// decimals single precision would lose. A value beyond the double range is an infinity of
// its sign.
std::optional<double> ParseDoubleField(std::string_view text);

// How many decimals a number that ParseDoubleField accepts was written with: the digits after
// its point, less its exponent ("-3040.10" 2, "-3.0401e3" 1, "12" 0).
int DecimalsWritten(std::string_view text);

// A signed decimal integer; one outside the 32-bit range is refused.
std::optional<int> ParseIntField(std::string_view text);

}  // namespace quillet
