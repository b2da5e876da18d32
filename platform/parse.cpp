#include "platform/parse.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/float_round.h"

namespace quillet {

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

// Only blanks and tabs may follow the number.
bool OnlyBlanksFrom(std::string_view text, std::size_t i) {
  return SkipBlanks(text, i) == text.size();
}

// The decimal exponent of the leading non-zero digit of a number the double range could not
// hold; positive means it was too large, otherwise too small.
long long MagnitudeOf(std::string_view mantissa, long long exponent) {
  long long position = 0;  // decimal exponent of the digit being read
  std::size_t point = mantissa.find('.');
  if (point == std::string_view::npos) point = mantissa.size();
  for (std::size_t i = 0; i < mantissa.size(); ++i) {
    if (mantissa[i] == '.') continue;
    position = static_cast<long long>(point) - static_cast<long long>(i) - (i < point ? 1 : 0);
    if (mantissa[i] != '0') return position + exponent;
  }
  return 0;
}

// The part both parsers share: the first kFieldReadLimit characters, the blanks before the
// number, the first non-blank character (a zero counts only when it is the digit 0) and the
// sign.
struct FieldStart {
  explicit FieldStart(std::string_view field) : text(field.substr(0, kFieldReadLimit)) {
    i = SkipBlanks(text, 0);
    first = i < text.size() ? text[i] : '\0';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  }
  std::string_view text;
  std::size_t i = 0;  // where the digits begin
  char first = '\0';
  bool negative = false;
};

}  // namespace

std::optional<float> ParseFloatField(std::string_view field) {
  // The longest decimal number: [sign] digits [. digits] [e [sign] digits].
  const FieldStart start(field);
  const std::string_view text = start.text;
  const char first = start.first;
  const bool negative = start.negative;
  std::size_t i = start.i;
  const std::size_t mantissaStart = i;
  std::size_t afterDigits = SkipDigits(text, i);
  bool anyDigit = afterDigits > i;
  i = afterDigits;
  if (i < text.size() && text[i] == '.') {
    afterDigits = SkipDigits(text, i + 1);
    anyDigit = anyDigit || afterDigits > i + 1;
    i = afterDigits;
  }
  if (!anyDigit) return std::nullopt;  // no number at all
  const std::size_t mantissaEnd = i;
  long long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
    const std::size_t exponentEnd = SkipDigits(text, j);
    if (exponentEnd > j) {
      for (std::size_t k = j; k < exponentEnd; ++k) {
        exponent = std::min(exponent * 10 + (text[k] - '0'), 1000000LL);
      }
      if (negativeExponent) exponent = -exponent;
      i = exponentEnd;
    }
  }
  if (!OnlyBlanksFrom(text, i)) return std::nullopt;

  double value = 0.0;
  auto [end, ec] = std::from_chars(text.data() + mantissaStart, text.data() + i, value);
  if (ec == std::errc::result_out_of_range) {
    const bool tooLarge =
        MagnitudeOf(text.substr(mantissaStart, mantissaEnd - mantissaStart), exponent) > 0;
    value = tooLarge ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (ec != std::errc() || end != text.data() + i) {
    return std::nullopt;
  }
  if (negative) value = -value;
  // A zero counts only when it was written with a leading digit 0: "", "-0" and ".0" fail.
  if (value == 0.0 && first != '0') return std::nullopt;
  return RoundToFloat(value);
}

std::optional<int> ParseIntField(std::string_view field) {
  const FieldStart start(field);
  const std::string_view text = start.text;
  const char first = start.first;
  const bool negative = start.negative;
  const std::size_t i = start.i;
  const std::size_t digitsEnd = SkipDigits(text, i);
  if (digitsEnd == i || !OnlyBlanksFrom(text, digitsEnd)) return std::nullopt;

  // Beyond the 32-bit range the number is refused rather than wrapped or clamped.
  constexpr std::int64_t kLimit = static_cast<std::int64_t>(std::numeric_limits<int>::max()) + 1;
  std::int64_t magnitude = 0;
  for (std::size_t k = i; k < digitsEnd; ++k) {
    magnitude = magnitude * 10 + (text[k] - '0');
    if (magnitude > kLimit) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) {
    return std::nullopt;
  }
  if (value == 0 && first != '0') return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace quillet
