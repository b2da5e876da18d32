#pragma once

#include "analysis/classic_model.h"

namespace quillet::testing {

// A model from its name as the tests write it ("GTR+I+G").
inline ClassicModel M(const char* name) { return *ParseCanonicalName(name); }

}  // namespace quillet::testing
