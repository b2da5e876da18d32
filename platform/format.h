#pragma once

#include <string>
#include <string_view>

namespace quillet {

// The one place numbers become text. Independent of the process locale (the decimal point is
// always '.'), and a value exactly halfway between two printable values rounds away from zero,
// judged on its exact binary value: 2.125 with "%.2f" gives "2.13". Infinities print as "inf"
// or "-inf" and not-a-number as "nan", words the field parsers never accept.

// "%.Nf"
std::string FormatFixed(double value, int decimals);

// "%-W.Nf": fixed, left-aligned, padded with blanks on the right to at least `width`.
std::string FormatFixedLeft(double value, int decimals, int width);

// "%.*g": `precision` significant digits, trailing zeros dropped, an exponent written with
// its sign and at least three digits (1.90735e-006, 1e-005).
std::string FormatGeneral(double value, int precision);

// "%d"
std::string FormatInt(int value);

// "%-Ns": the text padded with blanks on the right to at least `width` characters.
std::string PadRight(std::string_view text, std::size_t width);

}  // namespace quillet
