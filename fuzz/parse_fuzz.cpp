// The two field parsers on any bytes: they never crash and accept exactly what a plain,
// character-by-character reading of the rules accepts, with the same value. The whole input is
// the field: no prefix of it is ever read as the number.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/format.h"
#include "platform/parse.h"

namespace quillet::fuzz {
namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }
bool Digit(char c) { return c >= '0' && c <= '9'; }

// The field's text and where the number starts.
struct Field {
  std::string text;
  std::size_t start = 0;
};

Field ReadField(std::string_view input) {
  Field f{std::string(input), 0};
  while (f.start < f.text.size() && Blank(f.text[f.start])) ++f.start;
  return f;
}

bool OnlyBlanksAfter(const std::string& s, std::size_t i) {
  while (i < s.size() && Blank(s[i])) ++i;
  return i == s.size();
}

// Nearest float, ties to even, infinity from halfway between FLT_MAX and 2^128 on.
float NearestFloat(double v) {
  if (std::fabs(v) >= 0x1.ffffffp127)
    return std::copysign(std::numeric_limits<float>::infinity(), v);
  return static_cast<float>(v);
}

// [sign] digits [. digits] (at least one digit), then e [sign] digits if digits follow the e,
// then blanks only. Converted by the C library in the "C" locale, which this process never
// leaves, and which rounds correctly however many digits there are.
std::optional<float> PlainFloat(std::string_view input) {
  const Field f = ReadField(input);
  const std::string& s = f.text;
  std::size_t i = f.start;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && Digit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && Digit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && Digit(s[j])) {
      while (j < s.size() && Digit(s[j])) ++j;
      i = j;
    }
  }
  if (!OnlyBlanksAfter(s, i)) return std::nullopt;
  const std::string number = s.substr(f.start, i - f.start);
  const double value = std::strtod(number.c_str(), nullptr);
  if (value == 0.0 && s[f.start] != '0') return std::nullopt;
  return NearestFloat(value);
}

std::optional<int> PlainInt(std::string_view input) {
  const Field f = ReadField(input);
  const std::string& s = f.text;
  std::size_t i = f.start;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t first = i;
  long long magnitude = 0;
  while (i < s.size() && Digit(s[i])) {
    magnitude = std::min(magnitude * 10 + (s[i] - '0'), 1LL << 40);
    ++i;
  }
  if (i == first || !OnlyBlanksAfter(s, i)) return std::nullopt;
  const long long value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  if (value == 0 && s[f.start] != '0') return std::nullopt;
  return static_cast<int>(value);
}

std::string Show(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    }
  }
  return out + "\"";
}

std::string Show(std::optional<float> v) {
  if (!v) return "refused";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%a (%.9g)", static_cast<double>(*v), static_cast<double>(*v));
  return buf;
}

std::string Show(std::optional<int> v) { return v ? std::to_string(*v) : "refused"; }

bool SameBits(std::optional<float> a, std::optional<float> b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || std::memcmp(&*a, &*b, sizeof(float)) == 0;
}

void CheckFloat(std::string_view text) {
  const std::optional<float> got = ParseFloatField(text);
  const std::optional<float> want = PlainFloat(text);
  Require(SameBits(got, want),
          "ParseFloatField(" + Show(text) + ") = " + Show(got) + ", rules give " + Show(want));
  if (!got || std::isinf(*got)) return;
  // What the edit shows after the next copy to the window reads back, and shows the same
  // again. The window shows a negative zero as "0", since "-0" would be refused.
  const std::string shown = FormatGeneral(*got == 0.0f ? 0.0f : *got, 6);
  const std::optional<float> back = ParseFloatField(shown);
  Require(back.has_value(),
          "the shown value " + Show(shown) + " of " + Show(text) + " does not read back");
  Require(FormatGeneral(*back, 6) == shown,
          "the shown value " + Show(shown) + " reads back as " + Show(back));
}

void CheckInt(std::string_view text) {
  const std::optional<int> got = ParseIntField(text);
  const std::optional<int> want = PlainInt(text);
  Require(got == want,
          "ParseIntField(" + Show(text) + ") = " + Show(got) + ", rules give " + Show(want));
  if (got) {
    Require(ParseIntField(FormatInt(*got)) == got,
            "FormatInt(" + Show(got) + ") does not read back");
  }
}

}  // namespace
}  // namespace quillet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto took = FastestOfSlowRuns([&] {
    CheckFloat(text);
    CheckInt(text);
  });
  RequireNoHang(took, "parsing " + Show(text));
  return 0;
}
