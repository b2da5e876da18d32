#include "import/iqtree_version.h"

#include "import/text_lines.h"

namespace quillet {

namespace {

bool IsVersionWord(std::string_view word) {
  if (word.empty() || word.front() < '0' || word.front() > '9') return false;
  for (char c : word) {
    if ((c < '0' || c > '9') && c != '.') return false;
  }
  return true;
}

}  // namespace

std::string ReadIqTreeVersion(LineReader& lines) {
  std::string_view line;
  while (lines.Next(line)) {
    if (!Trim(line).empty()) return IqTreeVersion(line);
  }
  return {};
}

std::string IqTreeVersion(std::string_view firstLine) {
  const std::size_t at = firstLine.find("IQ-TREE");
  if (at == std::string_view::npos) return {};
  for (std::string_view word : Words(firstLine.substr(at + 7))) {
    if (IsVersionWord(word)) return std::string(word.substr(0, 20));
    if (word == "built" || word == "for") break;
  }
  return {};
}

PlainNames IqTreePlainNames(std::string_view version) {
  if (version.empty()) return PlainNames::kUnknown;
  const std::size_t dot = version.find('.');
  const int major = ReadCount(version.substr(0, dot));
  int minor = 0;
  if (dot != std::string_view::npos) {
    std::string_view rest = version.substr(dot + 1);
    minor = ReadCount(rest.substr(0, rest.find('.')));
  }
  if (major < 0 || minor < 0) return PlainNames::kUnknown;
  return major > 1 || (major == 1 && minor >= 6) ? PlainNames::kEqualFrequencies
                                                 : PlainNames::kClassic;
}

}  // namespace quillet
