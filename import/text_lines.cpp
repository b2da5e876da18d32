#include "import/text_lines.h"

#include <limits>

namespace quillet {

LineReader::LineReader(std::string_view text) : rest_(text) {
  if (text.find('\n') == std::string_view::npos) end_ = '\r';
}

bool LineReader::Next(std::string_view& line) {
  if (done_) return false;
  const std::size_t end = rest_.find(end_);
  if (end == std::string_view::npos) {
    // A text that ends with a line break has no further, empty line.
    if (rest_.empty() && number_ > 0) {
      done_ = true;
      return false;
    }
    line = rest_;
    rest_ = {};
    done_ = true;
  } else {
    line = rest_.substr(0, end);
    rest_.remove_prefix(end + 1);
    if (rest_.empty()) done_ = true;
  }
  if (end_ == '\n' && !line.empty() && line.back() == '\r') line.remove_suffix(1);
  ++number_;
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::size_t FirstWords(std::string_view line, std::span<std::string_view> out) {
  std::size_t count = 0;
  std::size_t i = 0;
  while (count < out.size() && i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) out[count++] = line.substr(start, i - start);
  }
  return count;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  if (part.empty()) return true;
  for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
    if (EqualsIgnoringCase(text.substr(i, part.size()), part)) return true;
  }
  return false;
}

int ReadCount(std::string_view word) {
  if (word.empty() || word.size() > 9) return -1;
  int value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

int CountAfter(std::string_view text, std::string_view after) {
  const std::size_t at = text.find(after);
  if (at == std::string_view::npos) return -1;
  std::string_view rest = text.substr(at + after.size());
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  std::size_t digits = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
  return ReadCount(rest.substr(0, digits));
}

}  // namespace quillet
