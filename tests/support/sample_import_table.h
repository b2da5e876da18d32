#pragma once

#include <string>
#include <utility>

#include "import/import_table.h"
#include "support/model_name.h"

namespace quillet::testing {

// GTR in three variants, HKY85 and JC+I, K2P with two different values, 12 taxa.
inline ImportTable SampleImportTable() {
  ImportTable t;
  for (auto [name, lnL] : {std::pair{"JC+I", "-1100"},
                           {"HKY85", "-6172.58029"},
                           {"GTR", "-950.75"},
                           {"GTR+G", "-905.25"},
                           {"GTR+I+G", "-900.5"}}) {
    t.values.push_back({M(name), lnL, std::stod(lnL), "a.txt"});
  }
  t.conflicts = {{M("K2P"), {{M("K2P"), "-1020", -1020, "a.txt"}, {M("K2P"), "-1", -1, "b"}}}};
  t.taxa = 12;
  return t;
}

}  // namespace quillet::testing
