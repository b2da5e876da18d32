#pragma once

#include <string>
#include <vector>

namespace quillet::cli {

// One file of a run over many loci and the name of its locus.
struct LocusFile {
  std::string path;   // as given, or the folder as given joined with the file's name
  std::string locus;  // the file's name without its last extension, unless that is taken
};

struct LocusFiles {
  std::vector<LocusFile> files;       // in the order given, a folder's files by name
  std::vector<std::string> problems;  // folders that cannot be listed or hold no file
};

// The files the arguments of --each name. A folder stands for every regular file in it (links
// to one included), sorted by name, without its subfolders and without files whose names
// start with a dot (.DS_Store and the like); anything else is taken as a file, to be read or
// refused later. A path given twice is read once. Each locus is named by its file's name
// without the last extension ("cytb.fasta.iqtree" is "cytb.fasta"); where files would share a
// name, each of them is named by its path instead, so that no two rows of the table mix.
LocusFiles ExpandLocusFiles(const std::vector<std::string>& args);

}  // namespace quillet::cli
