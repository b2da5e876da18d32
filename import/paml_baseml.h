#pragma once

#include <string>
#include <string_view>

#include "import/file_import.h"

namespace quillet {

// Whether the text is output of one of PAML's programs: its first line starts with BASEML,
// CODONML or AAML.
bool LooksLikePamlOutput(std::string_view firstLine);

// Reads baseml's main result file (mlb): the model from the first line ("BASEML (in paml
// version 4.9j, February 2020)  seqs.txt  HKY85 dGamma (ncatG=5)"), the value from
// "lnL(ntime: 16  np: 21):  -1727.569162  +0.000000", the taxa from "ns = 9". The number of
// free parameters (np - ntime) must be the model's own, with or without its three base
// frequencies, plus one for gamma; otherwise a parameter was fixed and the fit is not the
// classic model. Fits under a clock, non-homogeneous and auto-discrete-gamma models are left
// out. Refused: codeml output (codons or amino acids), several genes, several data sets, and
// several trees. baseml has no proportion of invariable sites.
FileImport ReadPamlOutput(std::string_view text, const std::string& source);

}  // namespace quillet
