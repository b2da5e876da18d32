#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace quillet {

// Reads a text line by line without copying. A line ends at "\n", "\r\n" or a lone "\r" (old
// Mac files); the end marks are not part of the line.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : rest_(text) {}

  // The next line, or false at the end of the text.
  bool Next(std::string_view& line);

  // 1 for the first line, after Next returned it.
  std::size_t LineNumber() const { return number_; }

 private:
  std::string_view rest_;
  std::size_t number_ = 0;
  bool done_ = false;
};

// Blanks are spaces and tabs; the other white space never appears inside a line here.
bool IsBlank(char c);
std::string_view Trim(std::string_view text);

// The words of a line, split at runs of blanks.
std::vector<std::string_view> Words(std::string_view line);

// When the trimmed line starts with `label`, the trimmed rest after it; otherwise false.
bool AfterLabel(std::string_view line, std::string_view label, std::string_view& rest);

// ASCII-only, so that no locale takes part.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool ContainsIgnoringCase(std::string_view text, std::string_view part);

// A whole word of decimal digits without sign, in int range; -1 otherwise.
int ReadCount(std::string_view word);

// The first whole number in the text after `after` (skipping blanks), or -1.
int CountAfter(std::string_view text, std::string_view after);

}  // namespace quillet
