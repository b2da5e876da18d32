#include "platform/parse.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

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

// However long the typed number, the conversion sees a short form of it: 0.DIGITS e SCALE, with
// at most kKeptDigits significant digits and a small SCALE. A midpoint between two doubles has
// at most 767 significant digits, so the digits beyond 800 can only tell whether the value lies
// above the kept ones; a single 1 in their place says just that and rounds as they would.
constexpr std::size_t kKeptDigits = 800;

// An exponent is read up to this size. Beyond it the value is infinite or 0 all the same, and
// its sum with any count of digits stays far inside a long long.
constexpr long long kExponentCap = 1'000'000'000'000'000LL;

// The value of mantissa × 10^exponent, where mantissa is digits [. digits], rounded to the
// nearest double; +infinity above the double range, 0 below it.
double DecimalToDouble(std::string_view mantissa, long long exponent) {
  // "0." + digits + a 1 for dropped ones + "e" + the scale
  std::array<char, 2 + kKeptDigits + 1 + 1 + 8> shortForm{'0', '.'};
  std::size_t kept = 0;
  bool droppedNonZero = false;
  long long integerDigits = 0;     // digits before the point
  long long leadingPosition = -1;  // index of the first non-zero digit among all digits
  long long index = 0;
  bool afterPoint = false;
  for (char ch : mantissa) {
    if (ch == '.') {
      afterPoint = true;
      continue;
    }
    if (!afterPoint) ++integerDigits;
    if (leadingPosition < 0 && ch != '0') leadingPosition = index;
    if (leadingPosition >= 0) {
      if (kept < kKeptDigits) {
        shortForm[2 + kept++] = ch;
      } else if (ch != '0') {
        droppedNonZero = true;
      }
    }
    ++index;
  }
  if (leadingPosition < 0) return 0.0;  // all zeros
  if (droppedNonZero) shortForm[2 + kept++] = '1';
  // The value is 0.DIGITS × 10^scale: at least 10^(scale - 1) and below 10^scale.
  const long long scale = integerDigits - leadingPosition + exponent;
  if (scale > 400) return std::numeric_limits<double>::infinity();
  if (scale < -400) return 0.0;
  char* end = shortForm.data() + 2 + kept;
  *end++ = 'e';
  end = std::to_chars(end, shortForm.data() + shortForm.size(), scale).ptr;
  double value = 0.0;
  // fast_float, rather than the C++ library's from_chars, which not every library has for
  // floating point. Some of its versions say a value is out of range, others give the
  // infinity or zero: either way it is the infinity or zero of the value's side.
  if (fast_float::from_chars(shortForm.data(), end, value).ec == std::errc::result_out_of_range) {
    return scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return value;
}

// The part both parsers share: the blanks before the number, the first non-blank character
// (a zero counts only when it is the digit 0) and the sign.
struct FieldStart {
  explicit FieldStart(std::string_view field) : text(field) {
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
  const std::optional<double> value = ParseDoubleField(field);
  if (!value) return std::nullopt;
  return RoundToFloat(*value);
}

std::optional<double> ParseDoubleField(std::string_view field) {
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
        if (exponent < kExponentCap) exponent = exponent * 10 + (text[k] - '0');
      }
      if (negativeExponent) exponent = -exponent;
      i = exponentEnd;
    }
  }
  if (!OnlyBlanksFrom(text, i)) return std::nullopt;

  double value = DecimalToDouble(text.substr(mantissaStart, mantissaEnd - mantissaStart), exponent);
  if (negative) value = -value;
  // A zero counts only when it was written with a leading digit 0: "", "-0" and ".0" fail.
  if (value == 0.0 && first != '0') return std::nullopt;
  return value;
}

int DecimalsWritten(std::string_view text) {
  const std::size_t point = text.find('.');
  long long decimals = 0;
  std::size_t i = point == std::string_view::npos ? 0 : point + 1;
  if (point != std::string_view::npos) {
    const std::size_t end = SkipDigits(text, i);
    decimals = static_cast<long long>(end - i);
    i = end;
  }
  const std::size_t e = text.find_first_of("eE", i);
  if (e != std::string_view::npos) {
    std::size_t j = e + 1;
    const bool negative = j < text.size() && text[j] == '-';
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    long long exponent = 0;
    for (; j < text.size() && text[j] >= '0' && text[j] <= '9' && exponent < kExponentCap; ++j) {
      exponent = exponent * 10 + (text[j] - '0');
    }
    decimals += negative ? exponent : -exponent;
  }
  // No field needs more decimals than a double has digits to show.
  return static_cast<int>(std::clamp(decimals, 0LL, 800LL));
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
