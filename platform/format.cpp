#include "platform/format.h"

#include <algorithm>
#include <array>
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

// A finite non-zero magnitude as significand × 2^exponent, the significand odd.
struct Binary {
  std::uint64_t significand = 0;
  int exponent = 0;
};

Binary BinaryOf(double magnitude) {
  // IEEE 754 binary64: the value is significand × 2^(exponent field - 1075), with the hidden
  // bit set for normal numbers; subnormals have an exponent field of 0 and count as 1.
  const auto bits = BitCast<std::uint64_t>(magnitude);
  const auto field = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint64_t significand = field == 0 ? mantissa : mantissa | (std::uint64_t{1} << 52);
  const int zeros = std::countr_zero(significand);
  return {significand >> zeros, (field == 0 ? 1 : field) - 1075 + zeros};
}

// The number of binary fraction digits of a finite non-zero magnitude: the position of its
// lowest set bit below the point (0 for an integer).
int FractionDigits(double magnitude) {
  const int lowest = BinaryOf(magnitude).exponent;
  return lowest < 0 ? -lowest : 0;
}

// Significant digits d1d2... (d1 not zero, trailing zeros allowed) and the power of ten of d1.
struct Significant {
  std::string_view digits;
  int exponent = 0;
};

// `text` as written by ScientificToChars ("d.ddde+XX") as digits and exponent.
ExactDecimal FromScientific(const char* text, const char* end) {
  const auto e = static_cast<std::size_t>(std::find(text, end, 'e') - text);
  ExactDecimal d;
  d.digits.reserve(e);
  d.digits.push_back(text[0]);
  if (e > 2) d.digits.append(text + 2, e - 2);  // after the point
  std::from_chars(text + e + 1 + (text[e + 1] == '+' ? 1 : 0), end, d.exponent);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
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
  return FromScientific(buffer, end);
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

// 10^k for 0 <= k <= 308, correctly rounded (read from "1e<k>", whatever the math library).
double PowerOfTen(int k) {
  static const std::array<double, 309> powers = [] {
    std::array<double, 309> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
      table[i] = ParseDoubleField("1e" + std::to_string(i)).value_or(0.0);
    }
    return table;
  }();
  return powers[static_cast<std::size_t>(k)];
}

// A finite non-zero magnitude rounded half away from zero to `precision` (at most 9)
// significant digits, by floating-point arithmetic where its error cannot matter, with the
// digits written into `buffer` (16 characters). Scaled to `precision` digits, the magnitude is
// off by less than 10^-6 (an ulp of at most 10^9, from two roundings), so where the scaled
// value is further than 10^-4 from a half and from the first value of that many digits, it
// rounds, and tells the exponent, as the exact value does. Nothing elsewhere, ties among
// them, and for magnitudes a double cannot scale in one step (below about 10^-300).
std::optional<Significant> FastSignificant(double magnitude, int precision, char* buffer) {
  constexpr double kMargin = 1e-4;
  if (precision > 9) return std::nullopt;
  // 2^b <= magnitude < 2^(b+1) puts the decimal exponent at floor(b log10 2) or one above;
  // 78913 / 2^18 is log10 2 closely enough for every double's b.
  int binaryExponent = 0;
  std::frexp(magnitude, &binaryExponent);
  const int lowest = ((binaryExponent - 1) * 78913) >> 18;
  const double first = PowerOfTen(precision - 1);  // the first value of `precision` digits
  for (int exponent = lowest + 1; exponent >= lowest; --exponent) {
    const int k = precision - 1 - exponent;
    if (k > 308 || k < -308) return std::nullopt;
    const double scaled = k >= 0 ? magnitude * PowerOfTen(k) : magnitude / PowerOfTen(-k);
    if (std::fabs(scaled - first) < kMargin) return std::nullopt;
    if (scaled < first) continue;  // the exponent is the lower one
    const double whole = std::floor(scaled);
    if (std::fabs(scaled - whole - 0.5) < kMargin) return std::nullopt;
    const auto rounded = static_cast<std::uint64_t>(whole) + (scaled - whole > 0.5 ? 1 : 0);
    Significant s{std::string_view(buffer, static_cast<std::size_t>(precision)), exponent};
    if (rounded == static_cast<std::uint64_t>(first) * 10) {  // 9.99...5 carried into 10.00
      std::fill_n(buffer, precision, '0');
      buffer[0] = '1';
      ++s.exponent;
    } else {
      std::to_chars(buffer, buffer + 16, rounded);
    }
    return s;
  }
  return std::nullopt;
}

// Appends d1.d2d3...e±XX, trailing zeros dropped, the exponent with at least `exponentDigits`
// digits.
void AppendScientific(std::string& out, Significant s, int exponentDigits) {
  while (s.digits.size() > 1 && s.digits.back() == '0') s.digits.remove_suffix(1);
  out.push_back(s.digits[0]);
  if (s.digits.size() > 1) out.append(1, '.').append(s.digits.substr(1));
  out.push_back('e');
  out.push_back(s.exponent < 0 ? '-' : '+');
  char power[12];
  char* powerEnd = std::to_chars(power, power + sizeof power, std::abs(s.exponent)).ptr;
  for (auto length = powerEnd - power; length < exponentDigits; ++length) out.push_back('0');
  out.append(power, powerEnd);
}

// Appends the digits in fixed notation, trailing zeros dropped: 0.000123, 12.5, 120000.
void AppendFixedDigits(std::string& out, Significant s) {
  while (s.digits.size() > 1 && s.digits.back() == '0') s.digits.remove_suffix(1);
  if (s.exponent < 0) {
    out.append("0.").append(static_cast<std::size_t>(-s.exponent - 1), '0').append(s.digits);
    return;
  }
  const auto whole = static_cast<std::size_t>(s.exponent) + 1;
  out.append(s.digits.substr(0, whole));
  if (s.digits.size() < whole) out.append(whole - s.digits.size(), '0');
  if (s.digits.size() > whole) out.append(1, '.').append(s.digits.substr(whole));
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

__extension__ typedef unsigned __int128 Uint128;  // GCC's and Clang's, on 64-bit and WebAssembly

// Writes `value`'s decimal digits backwards, ending just before `end`; returns the first.
char* DigitsBackwards(Uint128 value, char* end) {
  // Pieces of 19 digits first, so that each digit takes a 64-bit division, not a 128-bit one.
  constexpr std::uint64_t kPiece = 10'000'000'000'000'000'000ULL;
  while (value >= kPiece) {
    auto piece = static_cast<std::uint64_t>(value % kPiece);
    value /= kPiece;
    for (int i = 0; i < 19; ++i, piece /= 10) *--end = static_cast<char>('0' + piece % 10);
  }
  auto rest = static_cast<std::uint64_t>(value);
  do {
    *--end = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  return end;
}

// The fixed text of a finite non-zero value in `text` (64 characters), for the values most
// printed: where value × 10^decimals, exactly, fits 128 bits as an integer plus a binary
// fraction. Rounding half away from zero is then a comparison of that fraction with one half.
// The length written, or nothing where the value or the decimals are too large.
std::optional<std::size_t> ExactFixed(double value, int decimals, char* text) {
  if (decimals < 0 || decimals > 19) return std::nullopt;
  std::uint64_t scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const auto [significand, exponent] = BinaryOf(std::fabs(value));

  Uint128 scaled = 0;  // value × 10^decimals, rounded
  if (exponent >= 0) {
    // From 2^64 on, the long way.
    if (exponent > 63 - static_cast<int>(std::bit_width(significand))) return std::nullopt;
    scaled = Uint128{significand << exponent} * scale;
  } else {
    // significand × scale < 2^53 × 2^64 = 2^117: with 118 fraction bits or more it is below
    // one half.
    const Uint128 product = Uint128{significand} * scale;
    const int shift = -exponent;
    if (shift < 118) {
      const Uint128 half = Uint128{1} << (shift - 1);
      scaled = (product >> shift) + ((product & ((half << 1) - 1)) >= half ? 1 : 0);
    }
  }

  char digits[48];  // below 2^128: 39 digits
  char* const end = digits + sizeof digits;
  char* first = DigitsBackwards(scaled, end);
  while (end - first < decimals + 1) *--first = '0';  // 0.0012 has its leading zeros
  char* out = text;
  if (std::signbit(value)) *out++ = '-';
  const char* point = end - decimals;
  out = std::copy(static_cast<const char*>(first), point, out);
  if (decimals > 0) {
    *out++ = '.';
    out = std::copy(point, static_cast<const char*>(end), out);
  }
  return static_cast<std::size_t>(out - text);
}

std::string Fixed(double value, int decimals) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (value == 0.0) return FixedOf(std::signbit(value), ExactDecimal{}, decimals);
  char text[64];
  if (std::optional<std::size_t> length = ExactFixed(value, decimals, text)) {
    return std::string(text, *length);
  }
  // From 2^64 on, or beyond 19 decimals (which the program never asks for): the exact
  // expansion.
  return FixedOf(std::signbit(value), Expand(std::fabs(value)), decimals);
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

  const double magnitude = std::fabs(value);
  char buffer[16];
  ExactDecimal exact;  // the long way's digits, where the short way does not apply
  std::optional<Significant> rounded = FastSignificant(magnitude, precision, buffer);
  if (!rounded) {
    exact = Expand(magnitude);
    RoundAt(exact, exact.exponent - precision + 1);
    rounded = Significant{exact.digits, exact.exponent};
  }
  // The exponent the e-style form shows decides the form; the fixed form would round at the
  // same place, or (where rounding carried into a new digit) give the same power of ten.
  std::string out;
  if (value < 0) out.push_back('-');
  if (rounded->exponent < -4 || rounded->exponent >= precision) {
    AppendScientific(out, *rounded, exponentDigits);
  } else {
    AppendFixedDigits(out, *rounded);
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
      AppendScientific(text, Significant{d.digits, x}, 3);
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
