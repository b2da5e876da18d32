#pragma once

#include <charconv>

namespace quillet {

// The floating-point forms of std::to_chars that the program uses, written out here because
// not every C++ library has them (Emscripten's has only the integer ones). They are used on
// every platform, so that every build prints the same text; the native tests hold them to the
// library's own where it has them.

// As std::to_chars(first, last, value): the fewest characters that read back to exactly
// `value`, in fixed notation or in scientific notation with an exponent of at least two
// digits, whichever is shorter (fixed on a tie); of several such texts the one nearest the
// value. A fixed integer shows the value's exact digits (123456792, not 123456790). Infinities
// and not-a-number print as "inf", "-inf", "nan" and "-nan".
std::to_chars_result ShortestToChars(char* first, char* last, float value);
std::to_chars_result ShortestToChars(char* first, char* last, double value);

// As std::to_chars(first, last, value, std::chars_format::scientific, precision):
// d.ddde+XX with `precision` digits after the point, rounded from the exact binary value,
// ties to even.
std::to_chars_result ScientificToChars(char* first, char* last, double value, int precision);

}  // namespace quillet
