#include "platform/float_chars.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace quillet {

namespace {

// A finite non-zero magnitude as d1.d2d3... × 10^exponent, d1 not zero.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

// A non-negative integer in base 10^9, least significant limb first.
class BigDecimal {
 public:
  explicit BigDecimal(std::uint64_t value) {
    do {
      limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
      value /= kBase;
    } while (value != 0);
  }

  // Multiplies by `factor` `count` times; factor * 10^9 must fit in 64 bits.
  void MultiplyBy(std::uint32_t factor, int count) {
    for (int i = 0; i < count; ++i) {
      std::uint64_t carry = 0;
      for (std::uint32_t& limb : limbs_) {
        const std::uint64_t product = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(product % kBase);
        carry = product / kBase;
      }
      while (carry != 0) {
        limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
        carry /= kBase;
      }
    }
  }

  std::string Digits() const {
    std::string text = std::to_string(limbs_.back());
    for (std::size_t i = limbs_.size() - 1; i-- > 0;) {
      const std::string limb = std::to_string(limbs_[i]);
      text.append(9 - limb.size(), '0').append(limb);
    }
    return text;
  }

 private:
  static constexpr std::uint64_t kBase = 1'000'000'000;
  std::vector<std::uint32_t> limbs_;
};

__extension__ typedef unsigned __int128 Uint128;  // GCC's and Clang's, on 64-bit and WebAssembly

std::string DigitsOf(Uint128 value) {
  constexpr std::uint64_t kChunk = 10'000'000'000'000'000'000ULL;  // 10^19
  std::uint64_t chunks[3];
  int n = 0;
  do {
    chunks[n++] = static_cast<std::uint64_t>(value % kChunk);
    value /= kChunk;
  } while (value != 0);
  char text[64];
  char* end = std::to_chars(text, text + sizeof text, chunks[--n]).ptr;
  while (n > 0) {
    char part[20];
    const char* partEnd = std::to_chars(part, part + sizeof part, chunks[--n]).ptr;
    const auto length = static_cast<std::size_t>(partEnd - part);
    for (std::size_t i = length; i < 19; ++i) *end++ = '0';
    for (const char* c = part; c != partEnd; ++c) *end++ = *c;
  }
  return std::string(text, end);
}

// Every double is an integer times a power of two, so its decimal expansion is finite:
// m × 2^-k = m × 5^k / 10^k. Most values the program prints fit 128 bits that way; the others
// take a long multiplication.
Decimal Exact(double magnitude) {
  int binaryExponent = 0;
  const double fraction = std::frexp(magnitude, &binaryExponent);
  auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  binaryExponent -= 53;
  while ((significand & 1U) == 0) {
    significand >>= 1;
    ++binaryExponent;
  }
  Decimal d;
  if (binaryExponent >= 0 && binaryExponent <= 64) {
    d.digits = DigitsOf(Uint128{significand} << binaryExponent);  // below 2^117
  } else if (binaryExponent < 0 && binaryExponent >= -27) {
    Uint128 power = 1;
    for (int i = 0; i < -binaryExponent; ++i) power *= 5;
    d.digits = DigitsOf(Uint128{significand} * power);  // 5^27 < 2^63: below 2^116
  } else {
    BigDecimal big(significand);
    // 2^29 and 5^13 are the largest powers whose product with a limb fits in 64 bits.
    int shifts = binaryExponent;
    for (; shifts >= 29; shifts -= 29) big.MultiplyBy(1U << 29, 1);
    if (shifts > 0) big.MultiplyBy(1U << shifts, 1);
    int fives = -binaryExponent;
    for (; fives >= 13; fives -= 13) big.MultiplyBy(1'220'703'125U, 1);
    if (fives > 0) big.MultiplyBy(5, fives);
    d.digits = big.Digits();
  }
  d.exponent = static_cast<int>(d.digits.size()) - 1 + (binaryExponent < 0 ? binaryExponent : 0);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// Adds one unit in the last place; 9.99 becomes 1.00 one decade up.
void Increment(Decimal& d) {
  std::size_t i = d.digits.size();
  while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
  if (i > 0) {
    ++d.digits[i - 1];
    return;
  }
  d.digits.insert(d.digits.begin(), '1');
  d.digits.pop_back();
  ++d.exponent;
}

// How the digits from `from` on compare with one half unit in the place before them.
int CompareWithHalf(const std::string& digits, std::size_t from) {
  if (from >= digits.size()) return -1;
  if (digits[from] != '5') return digits[from] < '5' ? -1 : 1;
  return digits.find_first_not_of('0', from + 1) == std::string::npos ? 0 : 1;
}

// The digits kept to `count` significant ones, rounded to nearest, ties to even.
Decimal Rounded(const Decimal& exact, std::size_t count) {
  if (exact.digits.size() <= count) return exact;
  Decimal d{exact.digits.substr(0, count), exact.exponent};
  const int half = CompareWithHalf(exact.digits, count);
  if (half > 0 || (half == 0 && (d.digits.back() - '0') % 2 == 1)) Increment(d);
  return d;
}

std::string ScientificText(const std::string& digits, int exponent) {
  std::string text(1, digits[0]);
  if (digits.size() > 1) text.append(1, '.').append(digits, 1, std::string::npos);
  std::string power = std::to_string(std::abs(exponent));
  if (power.size() < 2) power.insert(0, 1, '0');
  return text + 'e' + (exponent < 0 ? '-' : '+') + power;
}

template <typename T>
bool ReadsBack(const Decimal& d, T value) {
  // d1.d2d3...e<exponent>, in a buffer of its own: this runs a few times for every number
  // printed.
  char text[64];
  char* end = text;
  *end++ = d.digits[0];
  if (d.digits.size() > 1) {
    *end++ = '.';
    for (std::size_t i = 1; i < d.digits.size(); ++i) *end++ = d.digits[i];
  }
  *end++ = 'e';
  end = std::to_chars(end, text + sizeof text, d.exponent).ptr;
  T back{};
  const auto result = fast_float::from_chars(text, end, back);
  return result.ec == std::errc() && back == value;
}

// The value's digits cut off to `count`, or that plus one unit, whichever reads back, or the
// nearer when both do (ties to even); nothing when neither does.
template <typename T>
std::optional<Decimal> Candidate(const Decimal& exact, std::size_t count, T magnitude) {
  if (count >= exact.digits.size()) return exact;
  Decimal lower{exact.digits.substr(0, count), exact.exponent};
  Decimal upper = lower;
  Increment(upper);
  const bool lowerReads = ReadsBack(lower, magnitude);
  const bool upperReads = ReadsBack(upper, magnitude);
  if (!lowerReads && !upperReads) return std::nullopt;
  Decimal chosen = lowerReads && upperReads ? Rounded(exact, count) : lowerReads ? lower : upper;
  while (chosen.digits.size() > 1 && chosen.digits.back() == '0') chosen.digits.pop_back();
  return chosen;
}

// The fewest significant digits that read back to `magnitude`. Those that read back to it lie
// in an interval around it, so a count that has a candidate leaves every larger count one:
// the count is found by bisection.
template <typename T>
Decimal ShortestDigits(T magnitude) {
  const Decimal exact = Exact(magnitude);
  // max_digits10 digits always tell a value from its neighbours.
  std::size_t high =
      std::min(exact.digits.size(), static_cast<std::size_t>(std::numeric_limits<T>::max_digits10));
  Decimal best = *Candidate(exact, high, magnitude);
  std::size_t low = 1;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (std::optional<Decimal> found = Candidate(exact, middle, magnitude)) {
      best = std::move(*found);
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return best;
}

std::string NonFinite(bool negative, bool nan) {
  return std::string(negative ? "-" : "") + (nan ? "nan" : "inf");
}

std::to_chars_result Put(char* first, char* last, const std::string& text) {
  if (static_cast<std::size_t>(last - first) < text.size()) {
    return {last, std::errc::value_too_large};
  }
  for (char ch : text) *first++ = ch;
  return {first, std::errc()};
}

template <typename T>
std::string ShortestText(T value) {
  const bool negative = std::signbit(value);
  if (!std::isfinite(value)) return NonFinite(negative, std::isnan(value));
  const std::string sign = negative ? "-" : "";
  if (value == 0) return sign + "0";
  const T magnitude = std::fabs(value);
  const Decimal d = ShortestDigits(magnitude);
  const int n = static_cast<int>(d.digits.size());
  const int x = d.exponent;
  const int lowest = x - (n - 1);  // the power of ten of the last digit
  const int powerDigits = std::abs(x) >= 100 ? 3 : 2;
  const int scientificLength = n + (n > 1 ? 1 : 0) + 2 + powerDigits;
  const int fixedLength = lowest >= 0 ? x + 1 : x >= 0 ? n + 1 : n + 1 - x;
  if (fixedLength > scientificLength) return sign + ScientificText(d.digits, x);
  if (lowest >= 0) {
    // An integer: its exact digits, which the shortest ones only approximate beyond 2^24.
    std::string digits = Exact(magnitude).digits;
    digits.append(static_cast<std::size_t>(x + 1) - digits.size(), '0');
    return sign + digits;
  }
  if (x >= 0) {
    const auto point = static_cast<std::size_t>(x + 1);
    return sign + d.digits.substr(0, point) + '.' + d.digits.substr(point);
  }
  return sign + "0." + std::string(static_cast<std::size_t>(-x - 1), '0') + d.digits;
}

}  // namespace

namespace written_out {

std::to_chars_result ShortestToChars(char* first, char* last, float value) {
  return Put(first, last, ShortestText(value));
}

std::to_chars_result ShortestToChars(char* first, char* last, double value) {
  return Put(first, last, ShortestText(value));
}

std::to_chars_result ScientificToChars(char* first, char* last, double value, int precision) {
  const bool negative = std::signbit(value);
  if (!std::isfinite(value)) return Put(first, last, NonFinite(negative, std::isnan(value)));
  const auto count = static_cast<std::size_t>(precision < 0 ? 0 : precision) + 1;
  Decimal d{std::string(count, '0'), 0};
  if (value != 0) {
    d = Rounded(Exact(std::fabs(value)), count);
    d.digits.resize(count, '0');
  }
  return Put(first, last, (negative ? "-" : "") + ScientificText(d.digits, d.exponent));
}

}  // namespace written_out

// The library's own where it has them: they are many times faster.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L

std::to_chars_result ShortestToChars(char* first, char* last, float value) {
  return std::to_chars(first, last, value);
}

std::to_chars_result ShortestToChars(char* first, char* last, double value) {
  return std::to_chars(first, last, value);
}

std::to_chars_result ScientificToChars(char* first, char* last, double value, int precision) {
  return std::to_chars(first, last, value, std::chars_format::scientific, precision);
}

#else

std::to_chars_result ShortestToChars(char* first, char* last, float value) {
  return written_out::ShortestToChars(first, last, value);
}

std::to_chars_result ShortestToChars(char* first, char* last, double value) {
  return written_out::ShortestToChars(first, last, value);
}

std::to_chars_result ScientificToChars(char* first, char* last, double value, int precision) {
  return written_out::ScientificToChars(first, last, value, precision);
}

#endif

}  // namespace quillet
