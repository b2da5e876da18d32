#include "import/likelihood_import.h"

#include <algorithm>
#include <array>
#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "import/file_formats.h"
#include "import/import_builder.h"
#include "import/text_lines.h"

namespace quillet {

namespace {

FileImport Refused(const std::string& source, const std::string& reason) {
  return ImportBuilder(source, "").Refuse(reason);
}

// UTF-16 without a byte order mark, as some Windows programs save text: the ASCII characters
// such files hold leave every other byte NUL, the second of each pair in little-endian order
// and the first in big-endian. Counted over the first bytes, for some tolerance of other
// characters.
bool LooksLikeUtf16(std::string_view bytes) {
  const std::size_t pairs = std::min<std::size_t>(bytes.size(), 512) / 2;
  if (pairs < 2) return false;
  for (std::size_t nul : {1u, 0u}) {
    std::size_t text = 0;
    for (std::size_t i = 0; i < pairs; ++i) {
      const auto c = static_cast<unsigned char>(bytes[2 * i + 1 - nul]);
      const bool character = c == '\t' || c == '\n' || c == '\r' || c >= 0x20;
      if (bytes[2 * i + nul] == '\0' && character) ++text;
    }
    if (4 * text >= 3 * pairs) return true;
  }
  return false;
}

// Why the bytes are not text, or empty when they are. Text files of these programs hold no
// NUL and hardly any other control characters; a few stray ones (a form feed, an escape
// sequence) are allowed.
std::string BinaryProblem(std::string_view bytes) {
  if ((bytes.size() >= 2 && ((bytes[0] == '\xff' && bytes[1] == '\xfe') ||
                             (bytes[0] == '\xfe' && bytes[1] == '\xff'))) ||
      LooksLikeUtf16(bytes)) {
    return "UTF-16 text; save it as UTF-8 or plain text";
  }
  if (bytes.size() >= 2 && bytes[0] == '\x1f' && bytes[1] == '\x8b') {
    return "a gzip-compressed file; unpack it first";
  }
  if (bytes.starts_with("PK\x03\x04")) return "a zip archive; unpack it first";
  if (bytes.find('\0') != std::string_view::npos) return "binary data, not text";
  static constexpr auto kControl = [] {
    std::array<unsigned char, 256> table{};
    for (int c = 1; c < 0x20; ++c) table[c] = 1;
    for (char allowed : {'\t', '\n', '\r', '\f', '\v', '\x1b'})
      table[static_cast<unsigned char>(allowed)] = 0;
    table[0x7f] = 1;
    return table;
  }();
  // Binary data shows itself at the start; counting there keeps large files quick.
  const std::string_view start = bytes.substr(0, 4096);
  std::size_t controls = 0;
  for (char c : start) controls += kControl[static_cast<unsigned char>(c)];
  if (controls > start.size() / 100) return "binary data, not text";
  return {};
}

// "an IQ-TREE report or log, ..., or a table with a model and a log-likelihood column".
std::string FormatsText() {
  const std::vector<std::string> formats = FormatsRead();
  std::string text;
  for (std::size_t i = 0; i < formats.size(); ++i) {
    if (i > 0) text += i + 1 == formats.size() ? ", or " : ", ";
    text += formats[i];
  }
  return text;
}

std::string_view FirstNonEmptyLine(std::string_view text) {
  LineReader lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    if (!Trim(line).empty()) return line;
  }
  return {};
}

FileImport ReadRecognised(std::string_view text, const std::string& source) {
  const std::string problem = BinaryProblem(text);
  if (!problem.empty()) return Refused(source, problem);
  if (text.starts_with("\xef\xbb\xbf")) text.remove_prefix(3);
  const std::string_view first = FirstNonEmptyLine(text);
  if (first.empty()) return Refused(source, "the file is empty");

  if (const FileFormat* format = RecogniseFormat(text, first)) return format->read(text, source);
  return Refused(source, "not a format Quillet reads (" + FormatsText() + ")");
}

}  // namespace

FileImport ReadLikelihoodText(std::string_view text, const std::string& source) {
  try {
    return ReadRecognised(text, source);
  } catch (const std::exception& e) {
    // Only running out of memory can get here; the caller still gets an answer.
    return Refused(source, std::string("could not be read (") + e.what() + ")");
  }
}

std::optional<std::string> SizeProblem(std::uintmax_t size) {
  if (size <= kMaxImportBytes) return std::nullopt;
  return "larger than 64 MiB, which no output Quillet reads comes near";
}

FileImport ReadLikelihoodFile(const std::string& path) {
  try {
    namespace fs = std::filesystem;
    const fs::path file(std::u8string(path.begin(), path.end()));
    // file_size fails for anything but a regular file, so one call answers both questions.
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error == std::errc::no_such_file_or_directory) return Refused(path, "no such file");
    if (error) return Refused(path, "not a regular file");
    if (const std::optional<std::string> problem = SizeProblem(size))
      return Refused(path, *problem);
    std::ifstream in(file, std::ios::binary);
    if (!in) return Refused(path, "cannot be opened");
    // Read no more than the limit, even if the file grew since its size was taken.
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return Refused(path, "could not be read");
    return ReadLikelihoodText(bytes, path);
  } catch (const std::exception& e) {
    return Refused(path, std::string("could not be read (") + e.what() + ")");
  }
}

}  // namespace quillet
