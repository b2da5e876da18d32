#pragma once

#include <string>
#include <string_view>

#include "import/file_import.h"

namespace quillet {

// Whether the text is a PAUP* score file (lscores /scorefile): its first line is a header
// "Tree  -lnL ..." of tabs or blanks.
bool LooksLikePaupScoreFile(std::string_view firstLine);

// A score file names no model: its columns are only the parameters that were estimated, and
// equal or empirical base frequencies, fixed parameters and rate-matrix constraints leave no
// trace in it. So which model a line was fitted under does not follow from the file, and it is
// refused with that reason.
FileImport ReadPaupScoreFile(std::string_view text, const std::string& source);

// Whether the text is a PAUP* log: the "P A U P *" banner or lscores output.
bool LooksLikePaupLog(std::string_view text);

// Reads the lscores output of a PAUP* log. Each "Likelihood scores of tree(s) in memory"
// block prints its likelihood settings above "-ln L"; the model is the one PAUP* names there
// ("Model correspondence = HKY85+I+G", or "These settings correspond to the ... model"), and is
// read only when the settings show its parameters estimated rather than set: base frequencies
// empirical or estimated for F81, HKY85, TrN and GTR, and "estimated" for the proportion of
// invariable sites, the gamma shape and the substitution rates. A block that scores several
// trees is left out. Taxa from "Data matrix has N taxa, M characters"; the sites of each block
// scored are the M characters, or the "Number of included characters" PAUP* printed last when
// some were excluded.
FileImport ReadPaupLog(std::string_view text, const std::string& source);

}  // namespace quillet
