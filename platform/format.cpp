#include "platform/format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/bit_cast.h"
#include "platform/float_chars.h"
#include "platform/parse.h"

namespace quillet {

namespace {

// A finite non-zero |value| written exactly in decimal: 0.d1d2d3... would be misleading, so
// the digits are read as d1.d2d3... × 10^exponent. `digits` has no trailing zeros.
struct ExactDecimal {
  std::string digits;
  int exponent = 0;
};

// The number of binary fraction digits of a finite non-zero magnitude: the position of its
// lowest set bit below the point (0 for an integer).
int FractionDigits(double magnitude) {
  // IEEE 754 binary64: the value is significand × 2^(exponent field - 1075), with the hidden
  // bit set for normal numbers; subnormals have an exponent field of 0 and count as 1.
  const auto bits = BitCast<std::uint64_t>(magnitude);
  const auto field = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint64_t significand = field == 0 ? mantissa : mantissa | (std::uint64_t{1} << 52);
  const int lowest = (field == 0 ? 1 : field) - 1075 + std::countr_zero(significand);
  return lowest < 0 ? -lowest : 0;
}

// `text` as written by ScientificToChars ("d.ddde+XX") as digits and exponent.
ExactDecimal FromScientific(std::string_view text) {
  const std::size_t e = text.find('e');
  ExactDecimal result;
  result.digits.reserve(e);
  result.digits.push_back(text[0]);
  if (e > 2) result.digits.append(text.substr(2, e - 2));  // after the point
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                  result.exponent);
  while (result.digits.size() > 1 && result.digits.back() == '0') result.digits.pop_back();
  return result;
}

// Every double has a finite decimal expansion. Its length follows from the lowest set bit:
// a value with F binary fraction digits has exactly F decimal fraction digits.
ExactDecimal Expand(double magnitude) {
  const int fractionDigits = FractionDigits(magnitude);
  const int decimalExponent = static_cast<int>(std::floor(std::log10(magnitude)));
  // One digit more than needed, in case log10 rounded across a power of ten: an exact
  // expansion only gains a trailing zero from it.
  const int precision = std::max(0, decimalExponent + fractionDigits + 1);

  char buffer[1200];
  auto [end, ec] = ScientificToChars(buffer, buffer + sizeof buffer, magnitude, precision);
  (void)ec;  // the buffer holds the longest expansion (767 significant digits) with room left
  return FromScientific(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

// A finite non-zero magnitude rounded half away from zero at 10^-decimals, as Expand and
// RoundAt give it, without the whole expansion where it would be long: a double with F binary
// fraction digits lies exactly halfway between two multiples of 10^-decimals only when
// F = decimals + 1, so with more fraction digits there is no tie, and the library's correctly
// rounded digits are the ones wanted. Nothing where the short way does not apply.
std::optional<ExactDecimal> RoundedWithoutTie(double magnitude, int decimals) {
  if (FractionDigits(magnitude) <= decimals + 1) return std::nullopt;  // short, or a tie
  char buffer[1200];
  // The last digit kept is at 10^-decimals: `exponent` + `decimals` digits after the first.
  const auto digitsAt = [&](int exponent) -> std::optional<ExactDecimal> {
    const int precision = exponent + decimals;
    if (precision < 0 || precision > 1100) return std::nullopt;
    auto [end, ec] = ScientificToChars(buffer, buffer + sizeof buffer, magnitude, precision);
    if (ec != std::errc()) return std::nullopt;
    return FromScientific(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
  };
  // Mostly log10 gives the decimal exponent, and the digits show it: the exponent they carry
  // is the one asked for. Otherwise log10 was off by one, or rounding carried into a new
  // leading digit.
  const int estimate = static_cast<int>(std::floor(std::log10(magnitude)));
  if (std::optional<ExactDecimal> d = digitsAt(estimate); d && d->exponent == estimate) return d;
  // The exponent from 18 significant digits: exact unless rounding carried into a new leading
  // digit, which leaves 1.00...0 and is left to the long way.
  auto [end, ec] = ScientificToChars(buffer, buffer + sizeof buffer, magnitude, 17);
  if (ec != std::errc()) return std::nullopt;
  const ExactDecimal leading =
      FromScientific(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
  if (leading.digits == "1") return std::nullopt;
  if (leading.exponent + decimals < -1) return ExactDecimal{};  // below 10^-(decimals+1): 0
  return digitsAt(leading.exponent);
}

// Keeps the digits down to the decimal position 10^lowestKept and rounds the rest away, half
// away from zero: on exact digits a first dropped digit of 5 or more means at least half.
// May leave an empty digit string, meaning zero.
void RoundAt(ExactDecimal& d, int lowestKept) {
  const long long keepLong = static_cast<long long>(d.exponent) - lowestKept + 1;
  if (keepLong >= static_cast<long long>(d.digits.size())) return;
  if (keepLong < 0) {
    d.digits.clear();
    return;
  }
  const auto keep = static_cast<std::size_t>(keepLong);
  const bool up = d.digits[keep] >= '5';
  d.digits.resize(keep);
  if (!up) return;
  // Add one unit in the last kept place.
  std::size_t i = keep;
  while (i > 0 && d.digits[i - 1] == '9') {
    d.digits[i - 1] = '0';
    --i;
  }
  if (i == 0) {
    d.digits.insert(d.digits.begin(), '1');
    ++d.exponent;
    if (keep == 0) d.exponent = lowestKept;  // nothing was kept: the 1 sits at 10^lowestKept
  } else {
    ++d.digits[i - 1];
  }
}

// A finite non-zero magnitude rounded half away from zero to `precision` significant digits.
// Its exact expansion ends at 10^-F (F binary fraction digits), so it lies halfway between
// two candidates only when it has precision + 1 significant digits, F = precision - x for its
// decimal exponent x; elsewhere the library's correctly rounded digits are the ones wanted.
ExactDecimal RoundedToSignificant(double magnitude, int precision) {
  const int fractionDigits = FractionDigits(magnitude);
  const int estimate = static_cast<int>(std::floor(std::log10(magnitude)));
  // log10 may be off by one near a power of ten: a margin of one either way.
  if (fractionDigits > 0 && std::abs(fractionDigits - (precision - estimate)) > 1 &&
      precision <= 1100) {
    char buffer[1200];
    auto [end, ec] = ScientificToChars(buffer, buffer + sizeof buffer, magnitude, precision - 1);
    if (ec == std::errc()) {
      return FromScientific(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    }
  }
  ExactDecimal d = Expand(magnitude);
  RoundAt(d, d.exponent - precision + 1);
  return d;
}

// The digit at decimal position 10^position.
char DigitAt(const ExactDecimal& d, int position) {
  const long long index = static_cast<long long>(d.exponent) - position;
  if (index < 0 || index >= static_cast<long long>(d.digits.size())) return '0';
  return d.digits[static_cast<std::size_t>(index)];
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "nan";
  return value < 0 ? "-inf" : "inf";
}

// `d` (empty for zero) with `decimals` decimals, a minus sign first when `negative`.
std::string FixedOf(bool negative, ExactDecimal d, int decimals) {
  std::string out;
  if (negative) out.push_back('-');
  if (!d.digits.empty()) RoundAt(d, -decimals);
  const int top = d.digits.empty() ? 0 : std::max(0, d.exponent);
  for (int position = top; position >= 0; --position) out.push_back(DigitAt(d, position));
  if (decimals > 0) {
    out.push_back('.');
    for (int position = -1; position >= -decimals; --position) out.push_back(DigitAt(d, position));
  }
  return out;
}

// The fixed text where no tie is possible and the library writes fixed notation itself (its
// digits are then the ones wanted, see RoundedWithoutTie); nothing otherwise.
std::optional<std::string> LibraryFixed(double value, int decimals) {
  const double magnitude = std::fabs(value);
  if (magnitude >= 1e17 || decimals > 17 || FractionDigits(magnitude) <= decimals + 1) {
    return std::nullopt;
  }
  char text[48];  // a sign, 17 digits, a point and 17 decimals at most
  auto [end, ec] = FixedToChars(text, text + sizeof text, value, decimals);
  if (ec != std::errc()) return std::nullopt;
  return std::string(text, end);
}

std::string Fixed(double value, int decimals) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (value == 0.0) return FixedOf(std::signbit(value), ExactDecimal{}, decimals);
  if (std::optional<std::string> text = LibraryFixed(value, decimals)) return *text;
  const double magnitude = std::fabs(value);
  std::optional<ExactDecimal> rounded = RoundedWithoutTie(magnitude, decimals);
  return FixedOf(std::signbit(value), rounded ? std::move(*rounded) : Expand(magnitude), decimals);
}

void DropTrailingZeros(std::string& text) {
  if (text.find('.') == std::string::npos) return;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
}

}  // namespace

std::string FormatFixed(double value, int decimals) { return Fixed(value, decimals); }

std::string FormatFixedLeft(double value, int decimals, int width) {
  return PadRight(Fixed(value, decimals), width < 0 ? 0 : static_cast<std::size_t>(width));
}

std::string FormatGeneral(double value, int precision, int exponentDigits) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (precision < 1) precision = 1;
  if (value == 0.0) return std::signbit(value) ? "-0" : "0";

  const ExactDecimal d = RoundedToSignificant(std::fabs(value), precision);
  const int x = d.exponent;  // the exponent the e-style form would show
  std::string out;
  if (x < -4 || x >= precision) {
    if (value < 0) out.push_back('-');
    out.push_back(d.digits[0]);
    out.push_back('.');
    out.append(d.digits, 1, std::string::npos);
    DropTrailingZeros(out);
    out.push_back('e');
    out.push_back(x < 0 ? '-' : '+');
    std::string exponent = std::to_string(std::abs(x));
    const auto digits = static_cast<std::size_t>(std::max(1, exponentDigits));
    if (exponent.size() < digits) exponent.insert(0, digits - exponent.size(), '0');
    out += exponent;
  } else {
    out = Fixed(value, precision - 1 - x);
    DropTrailingZeros(out);
  }
  return out;
}

std::string FormatRoundTrip(double value, int minDecimals) {
  if (!std::isfinite(value)) return NonFinite(value);
  minDecimals = std::max(0, minDecimals);
  if (value == 0.0) return Fixed(0.0, minDecimals);
  const ExactDecimal exact = Expand(std::fabs(value));
  std::string text;
  int lastDecimals = -1;  // the decimals of the fixed text last tried
  for (int precision = 1; precision <= 17; ++precision) {
    ExactDecimal d = exact;
    RoundAt(d, d.exponent - precision + 1);
    const int x = d.exponent;
    if (x < -4 || x >= 16) {
      text = value < 0 ? "-" : "";
      text.push_back(d.digits[0]);
      if (d.digits.size() > 1) text += "." + d.digits.substr(1);
      DropTrailingZeros(text);
      std::string exponent = std::to_string(std::abs(x));
      if (exponent.size() < 3) exponent.insert(0, 3 - exponent.size(), '0');
      text += std::string("e") + (x < 0 ? '-' : '+') + exponent;
      lastDecimals = -1;
    } else {
      // More decimals than the precision needs only bring the text closer to the value.
      const int decimals = std::max(precision - 1 - x, minDecimals);
      if (decimals == lastDecimals) continue;  // the text just tried, which did not read back
      lastDecimals = decimals;
      text = FixedOf(value < 0, exact, decimals);
    }
    const std::optional<double> back = ParseDoubleField(text);
    if (back && *back == value) break;
  }
  return text;
}

std::string FormatInt(int value) { return std::to_string(value); }

std::string PadRight(std::string_view text, std::size_t width) {
  std::string out(text);
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

}  // namespace quillet
