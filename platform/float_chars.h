#pragma once

#include <charconv>

namespace quillet {

// The floating-point forms of std::to_chars that the program uses. Not every C++ library has
// them (Emscripten's has only the integer ones): where the library lacks them, the forms
// written out below stand in, and print the same text. The native tests hold the written-out
// forms to the library's own.

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

// The written-out forms, built everywhere so that they are tested everywhere.
namespace written_out {
std::to_chars_result ShortestToChars(char* first, char* last, float value);
std::to_chars_result ShortestToChars(char* first, char* last, double value);
std::to_chars_result ScientificToChars(char* first, char* last, double value, int precision);
}  // namespace written_out

}  // namespace quillet
