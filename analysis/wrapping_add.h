#pragma once

namespace quillet {

// Sums and differences of user numbers (taxa - 2, parameter counts, the analysis number) wrap
// in two's complement, as 32-bit arithmetic always has here: n - 2 for INT_MIN gives INT_MAX - 1
// instead of being undefined.
inline int WrappingAdd(int value, int delta) {
  return static_cast<int>(static_cast<unsigned>(value) + static_cast<unsigned>(delta));
}

inline int WrappingSubtract(int value, int subtrahend) {
  return static_cast<int>(static_cast<unsigned>(value) - static_cast<unsigned>(subtrahend));
}

}  // namespace quillet
