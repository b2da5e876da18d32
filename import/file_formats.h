#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "import/file_import.h"

namespace quillet {

// One kind of file Quillet reads: whose output it is, how it is recognised and how it is read.
struct FileFormat {
  // The program whose output it is, as the lists of programs name it ("PAML baseml"); null for
  // a table, which any program may write.
  const char* program;
  // How the list of what Quillet reads names it ("PhyML statistics"); null when that list
  // leaves it out: a second file of a program whose entry names both, or a format recognised
  // only to be refused with a better reason than "not a format Quillet reads".
  const char* listedAs;
  // The place of its program in those lists: programs as users know them, a table last.
  int listed;
  // Whether a text is of this format, from the text and its first line that is not blank.
  bool (*recognises)(std::string_view text, std::string_view firstLine);
  FileImport (*read)(std::string_view text, const std::string& source);
};

// Every format, in the order they are tried: a file is read by the first that recognises it.
std::span<const FileFormat> FileFormats();

// The format of a text, or null. `text` starts with its first line, without a byte order mark.
const FileFormat* RecogniseFormat(std::string_view text, std::string_view firstLine);

// The programs whose output is read, each once, in the order of the lists ("IQ-TREE", "PhyML",
// ...).
std::vector<std::string> ProgramsRead();

// What Quillet reads, in the order of the lists ("an IQ-TREE report or log", ..., "a table with
// a model and a log-likelihood column").
std::vector<std::string> FormatsRead();

}  // namespace quillet
