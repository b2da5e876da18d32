#pragma once

#include <string>
#include <vector>

#include "cli/locus_names.h"

namespace quillet::cli {

struct LocusFiles {
  std::vector<LocusFile> files;       // in the order given, a folder's files by name
  std::vector<std::string> problems;  // folders that cannot be listed or hold no file
};

// The files the arguments of --each name. A folder stands for every regular file in it (links
// to one included), sorted by name, without its subfolders and without files whose names
// start with a dot (.DS_Store and the like); anything else is taken as a file, to be read or
// refused later. A path given twice is read once. The loci are named by NameLoci.
LocusFiles ExpandLocusFiles(const std::vector<std::string>& args);

}  // namespace quillet::cli
