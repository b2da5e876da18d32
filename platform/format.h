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
// its sign and at least `exponentDigits` digits: three as the window shows numbers
// (1.90735e-006, 1e-005), two as C99 and the tables of other programs write them (1e-05).
std::string FormatGeneral(double value, int precision, int exponentDigits = 3);

// The fewest digits that read back (by ParseDoubleField) to exactly `value`, and never fewer
// than `minDecimals` decimals: -3040.1 with 2 gives "-3040.10". Fixed notation, or for values
// below 1e-4 or from 1e16 on an exponent with its sign and at least three digits. Zero is "0"
// (never "-0", which a field refuses).
std::string FormatRoundTrip(double value, int minDecimals = 0);

// "%d"
std::string FormatInt(int value);

// "%-Ns": the text padded with blanks on the right to at least `width` characters.
std::string PadRight(std::string_view text, std::size_t width);

}  // namespace quillet
