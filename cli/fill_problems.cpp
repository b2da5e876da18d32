#include "cli/fill_problems.h"

namespace quillet::cli {

FillProblems DescribeFill(const ImportFill& fill, const std::array<bool, 6>& named,
                          const std::string& where) {
  FillProblems out;
  for (const MissingValue& missing : fill.missing) {
    const std::string name = CanonicalName(missing.model);
    const std::string absent =
        missing.conflict ? " has different values in " + where : " is not in " + where;
    if (missing.gamma) {
      out.problems.push_back(name + " (--gamma-pair)" + absent + "; the gamma test cannot run");
      out.incomplete = true;
      continue;
    }
    // A row the files disagree on is left out against the user's choice, named or not.
    if (missing.conflict) out.incomplete = true;
    if (named[static_cast<std::size_t>(missing.model.base)]) {
      out.problems.push_back(name + " (--use)" + absent + "; the " + ModelName(missing.model.base) +
                             " row is left out");
      out.incomplete = true;
    }
  }
  return out;
}

}  // namespace quillet::cli
