#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace quillet {

// Reads a text line by line without copying. A line ends at "\n", "\r\n" or a lone "\r" (old
// Mac files); the end marks are not part of the line.
class LineReader {
 public:
  explicit LineReader(std::string_view text);

  // The next line, or false at the end of the text.
  bool Next(std::string_view& line);

  // 1 for the first line, after Next returned it.
  std::size_t LineNumber() const { return number_; }

 private:
  std::string_view rest_;
  char end_ = '\n';  // '\r' in a text without any "\n"
  std::size_t number_ = 0;
  bool done_ = false;
};

// Blanks are spaces and tabs; the other white space never appears inside a line here.
bool IsBlank(char c);
std::string_view Trim(std::string_view text);

// The words of a line, split at runs of blanks.
std::vector<std::string_view> Words(std::string_view line);

// The first words of a line, up to out.size() of them, without allocating; how many were
// found.
std::size_t FirstWords(std::string_view line, std::span<std::string_view> out);

// When the line starts with `label` after any blanks, the trimmed rest after it; otherwise
// false. Inline and quick to say no: readers try a handful of labels on every line.
inline bool AfterLabel(std::string_view line, std::string_view label, std::string_view& rest) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  if (line.size() - i < label.size() || line.compare(i, label.size(), label) != 0) return false;
  rest = Trim(line.substr(i + label.size()));
  return true;
}

// ASCII-only, so that no locale takes part. Inline: the readers compare every model name of a
// table against a dozen or so names.
inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}
bool ContainsIgnoringCase(std::string_view text, std::string_view part);

// A whole word of decimal digits without sign, in int range; -1 otherwise.
int ReadCount(std::string_view word);

// The first whole number in the text after `after` (skipping blanks), or -1.
int CountAfter(std::string_view text, std::string_view after);

}  // namespace quillet
