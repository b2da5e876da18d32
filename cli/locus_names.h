#pragma once

#include <string>
#include <vector>

namespace quillet::cli {

// One file of a run over many loci and the name of its locus.
struct LocusFile {
  std::string path;   // as given, or the folder as given joined with the file's name
  std::string locus;  // the file's name without its last extension, unless that is taken
};

// Names the locus of each file (whose paths all differ) by its file's name without the last
// extension ("cytb.fasta.iqtree" is "cytb.fasta"); where files would share a name, each of
// them is named by its path instead, so that no two rows of the table mix.
void NameLoci(std::vector<LocusFile>& files);

}  // namespace quillet::cli
