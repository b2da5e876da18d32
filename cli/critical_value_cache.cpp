#include "cli/critical_value_cache.h"

#include <cstdint>

#include "platform/bit_cast.h"
#include "stats/chi_square.h"

namespace quillet::cli {

float CriticalValueCache::At(float p, int df) {
  // Compared bit for bit, so that a not-a-number p finds its own entry and 0 and -0 stay apart.
  const auto bits = BitCast<std::uint32_t>(p);
  for (const Entry& e : entries_) {
    if (e.df == df && BitCast<std::uint32_t>(e.p) == bits) return e.critical;
  }
  const float critical = ChiSquareCritical(p, df);
  entries_.push_back({p, df, critical});
  return critical;
}

}  // namespace quillet::cli
