#include "import/decimal_text.h"

#include <fast_float/fast_float.h>

#include <charconv>
#include <cmath>
#include <cstddef>

namespace quillet {

namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }

// A decimal taken apart: value = (negative ? -1 : 1) * digits * 10^power, with `digits` free of
// leading zeros ("" for zero). The digits are only gathered when asked for; checking a
// decimal's form is the common case and needs none.
struct Parts {
  bool negative = false;
  std::string digits;
  int power = 0;
};

std::optional<Parts> Split(std::string_view text, bool withDigits) {
  Parts parts;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) parts.negative = text[i++] == '-';
  std::size_t count = 0;
  std::string all;
  int fraction = 0;
  const std::size_t start = i;
  while (i < text.size() && Digit(text[i])) ++i, ++count;
  const std::size_t point = i;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && Digit(text[i])) ++i, ++count, ++fraction;
  }
  if (withDigits) {
    all.reserve(count);
    all.append(text.substr(start, point - start));
    if (fraction > 0) all.append(text.substr(point + 1, static_cast<std::size_t>(fraction)));
  }
  if (count == 0) return std::nullopt;
  int exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    std::size_t expDigits = 0;
    while (i < text.size() && Digit(text[i]) && expDigits < 4) {
      exponent = exponent * 10 + (text[i++] - '0');
      ++expDigits;
    }
    if (expDigits == 0 || expDigits > 3) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != text.size()) return std::nullopt;
  const std::size_t first = all.find_first_not_of('0');
  parts.digits = first == std::string::npos ? std::string() : all.substr(first);
  parts.power = exponent - fraction;
  return parts;
}

// |a| - |b| for digit strings with a >= b, no leading zeros in the result ("" for zero).
std::string Subtract(const std::string& a, const std::string& b) {
  std::string out(a.size(), '0');
  int borrow = 0;
  for (std::size_t k = 0; k < a.size(); ++k) {
    const std::size_t ia = a.size() - 1 - k;
    int d = (a[ia] - '0') - borrow - (k < b.size() ? b[b.size() - 1 - k] - '0' : 0);
    borrow = d < 0 ? 1 : 0;
    if (d < 0) d += 10;
    out[ia] = static_cast<char>('0' + d);
  }
  const std::size_t first = out.find_first_not_of('0');
  return first == std::string::npos ? std::string() : out.substr(first);
}

std::string Add(const std::string& a, const std::string& b) {
  std::string out;
  int carry = 0;
  for (std::size_t k = 0; k < a.size() || k < b.size() || carry; ++k) {
    int d = carry;
    if (k < a.size()) d += a[a.size() - 1 - k] - '0';
    if (k < b.size()) d += b[b.size() - 1 - k] - '0';
    carry = d / 10;
    out.insert(out.begin(), static_cast<char>('0' + d % 10));
  }
  const std::size_t first = out.find_first_not_of('0');
  return first == std::string::npos ? std::string() : out.substr(first);
}

int CompareMagnitude(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a.compare(b) > 0 ? 1 : 0);
}

}  // namespace

bool IsDecimal(std::string_view text) { return Split(text, false).has_value(); }

std::optional<double> DecimalValue(std::string_view text) {
  if (!IsDecimal(text)) return std::nullopt;
  std::string_view unsigned_text = text;
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) unsigned_text.remove_prefix(1);
  double value = 0;
  // fast_float, as the field parser: not every C++ library has a floating-point from_chars.
  const auto [end, error] = fast_float::from_chars(
      unsigned_text.data(), unsigned_text.data() + unsigned_text.size(), value);
  if (error != std::errc() || end != unsigned_text.data() + unsigned_text.size()) {
    return std::nullopt;
  }
  if (!std::isfinite(value)) return std::nullopt;
  // A number too small for a double is out of range, as one too large is.
  const std::string_view mantissa = unsigned_text.substr(0, unsigned_text.find_first_of("eE"));
  if (value == 0 && mantissa.find_first_of("123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::string NegatedDecimal(std::string_view text) {
  const std::optional<Parts> parts = Split(text, true);
  std::string_view body = text;
  if (!body.empty() && (body.front() == '+' || body.front() == '-')) body.remove_prefix(1);
  if (!parts || parts->digits.empty()) return std::string(body);
  return parts->negative ? std::string(body) : "-" + std::string(body);
}

int LastDigitPower(std::string_view text) {
  const std::optional<Parts> parts = Split(text, false);
  return parts ? parts->power : 0;
}

bool AgreeToPrecision(std::string_view a, std::string_view b) {
  if (a == b) return IsDecimal(a);
  std::optional<Parts> pa = Split(a, true);
  std::optional<Parts> pb = Split(b, true);
  if (!pa || !pb) return false;
  // pa is the coarser (or equally fine) one.
  if (pa->power < pb->power) std::swap(pa, pb);
  const int shift = pa->power - pb->power;
  // Far apart precisions never come from one value printed twice; they would also make the
  // digit strings below needlessly long.
  if (shift > 40) return false;
  const std::string aligned =
      pa->digits.empty() ? std::string() : pa->digits + std::string(shift, '0');
  // Signed difference aligned - b, as sign and magnitude.
  const int sa = aligned.empty() ? 0 : (pa->negative ? -1 : 1);
  const int sb = pb->digits.empty() ? 0 : (pb->negative ? -1 : 1);
  std::string difference;
  if (sa == 0 || sb == 0 || sa != sb) {
    difference = Add(aligned, pb->digits);
  } else {
    difference = CompareMagnitude(aligned, pb->digits) >= 0 ? Subtract(aligned, pb->digits)
                                                            : Subtract(pb->digits, aligned);
  }
  if (shift == 0) return difference.empty();
  // Half a unit of the coarser last digit, in units of the finer one: 5 * 10^(shift-1).
  const std::string half = "5" + std::string(shift - 1, '0');
  return CompareMagnitude(difference, half) <= 0;
}

}  // namespace quillet
