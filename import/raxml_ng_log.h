#pragma once

#include <string>
#include <string_view>

#include "import/file_import.h"

namespace quillet {

// Whether the text is a RAxML-NG log (.raxml.log): "RAxML-NG v." near the top.
bool LooksLikeRaxmlNgLog(std::string_view text);

// Reads a RAxML-NG log: the model from "Model:" (GTR+FO+G4m and the like), the value from
// "Final LogLikelihood:", the taxa from "Loaded alignment with N taxa" or "Alignment comprises
// N taxa", the sites from "Alignment sites / patterns: S / P" (or "Loaded alignment with N
// taxa and S sites"). A log can hold several runs one after the other (a restarted run appends);
// each is read, and runs that stopped with "ERROR:" or never reached a final log-likelihood are
// passed over with a note. Refused: partitioned alignments, amino-acid models, and logs in which no
// run has a final log-likelihood.
FileImport ReadRaxmlNgLog(std::string_view text, const std::string& source);

}  // namespace quillet
