#pragma once

#include <optional>
#include <string_view>

namespace quillet {

// Parsers for the text of a number field. Only the first kFieldReadLimit characters are read;
// blanks and tabs are skipped before and after the number; a zero is accepted only when the
// first non-blank character is the digit 0 (so "", "-0" and ".0" fail). Locale-independent.
inline constexpr std::size_t kFieldReadLimit = 31;

// The longest decimal number ([sign] digits [. digits] [e [sign] digits]; no hex, no "inf" or
// "nan", no comma), converted to double and then rounded to float. A value beyond the float
// range becomes an infinity of its sign.
std::optional<float> ParseFloatField(std::string_view text);

// A signed decimal integer; one outside the 32-bit range is refused.
std::optional<int> ParseIntField(std::string_view text);

}  // namespace quillet
