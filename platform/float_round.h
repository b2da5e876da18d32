#pragma once

#include <cmath>
#include <limits>

namespace quillet {

// Rounds a double to the nearest float as IEEE arithmetic does, also where the value lies
// beyond the float range: it then becomes an infinity of its sign (a plain cast would be
// undefined behaviour in C++).
inline float RoundToFloat(double value) {
  // Halfway between FLT_MAX and 2^128: from here on the rounding goes to infinity.
  constexpr double kOverflow = 340282356779733661637539395458142568448.0;  // 2^128 - 2^103
  if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
  if (value >= kOverflow) return std::numeric_limits<float>::infinity();
  if (value <= -kOverflow) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

}  // namespace quillet
