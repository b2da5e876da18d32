#pragma once

#include <string>
#include <string_view>

#include "import/model_names.h"
#include "import/text_lines.h"

namespace quillet {

// The version in IQ-TREE's first line ("IQ-TREE 2.2.2.3 COVID-edition built ...", "IQ-TREE
// multicore version 1.6.12 for Linux ..."); empty when there is none.
std::string IqTreeVersion(std::string_view firstLine);

// Reads up to the first line that is not blank and returns its version, as above.
std::string ReadIqTreeVersion(LineReader& lines);

// What IQ-TREE of that version means by "HKY" without "+F": from 1.6 on the equal-frequency
// variant, before that the classic model; unknown without a version.
PlainNames IqTreePlainNames(std::string_view version);

}  // namespace quillet
