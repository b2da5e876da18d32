#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "import/file_import.h"

namespace quillet {

// Files larger than this are refused before anything is read.
inline constexpr std::uintmax_t kMaxImportBytes = 64u * 1024u * 1024u;

// Why a file of `size` bytes is refused before anything of it is read, or nothing.
std::optional<std::string> SizeProblem(std::uintmax_t size);

// Reads the log-likelihoods a file holds. `path` is UTF-8. Refused, with the file's name and
// the reason: files over kMaxImportBytes, files that cannot be opened or are not regular
// files, binary data, and whatever ReadLikelihoodText refuses. Never throws.
FileImport ReadLikelihoodFile(const std::string& path);

// Reads text as a file's content, recognising its format (FileFormats) by what it says rather
// than by the name. `source` is the name used in messages and kept with every value. Never
// throws.
FileImport ReadLikelihoodText(std::string_view text, const std::string& source);

}  // namespace quillet
