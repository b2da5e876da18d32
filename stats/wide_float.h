#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/bit_cast.h"

namespace quillet {

// A binary floating-point number with the 53-bit significand of a double and a separately kept
// power-of-two exponent. Every operation rounds its result to 53 bits, to nearest with ties to
// even, exactly as double arithmetic would were its exponent unbounded, because the double
// operations below never leave the normal range. The exponent range is that of the 80-bit
// extended format: a result below 2^-16382 becomes 0 and one of 2^16384 or more infinite.
// This keeps e^(-x/2) of the chi-square series a normal number up to x of about 22,710 on
// every platform, where a plain double would give up at about 1,490.
class WideFloat {
 public:
  WideFloat() = default;
  explicit WideFloat(double value) { Normalize(value, 0); }

  // significand × 2^exponent
  static WideFloat Scaled(double significand, long long exponent) {
    WideFloat w;
    w.Normalize(significand, exponent);
    return w;
  }

  // value = Significand() × 2^Exponent(), with |Significand()| in [0.5, 1) unless the value is
  // 0, infinite or not a number (then Exponent() is 0).
  double Significand() const { return m_; }
  int Exponent() const { return e_; }

  // The window of significands that a value with exponent `exponent` may take before leaving
  // the extended range: below `low` it becomes 0, from `high` on infinite.
  static double LowLimit(int exponent) { return PowerOfTwoClamped(kMinExponent - 1 - exponent); }
  static double HighLimit(int exponent) { return PowerOfTwoClamped(kMaxExponent - exponent); }

  bool IsZero() const { return m_ == 0.0; }
  bool IsNaN() const { return std::isnan(m_); }
  bool IsInf() const { return std::isinf(m_); }
  bool IsNegative() const { return std::signbit(m_); }

  // The nearest double; beyond the double range this overflows to an infinity or underflows.
  double ToDouble() const { return IsSpecial() ? m_ : std::ldexp(m_, e_); }

  friend WideFloat operator*(const WideFloat& a, const WideFloat& b) {
    if (a.IsSpecial() || b.IsSpecial()) return WideFloat(a.m_ * b.m_);
    // Both significands lie in [0.5, 1): the product lies in [0.25, 1), a normal double.
    return Scaled(a.m_ * b.m_, static_cast<long long>(a.e_) + b.e_);
  }

  friend WideFloat operator/(const WideFloat& a, const WideFloat& b) {
    if (a.IsSpecial() || b.IsSpecial()) return WideFloat(a.m_ / b.m_);
    return Scaled(a.m_ / b.m_, static_cast<long long>(a.e_) - b.e_);
  }

  friend WideFloat operator+(const WideFloat& a, const WideFloat& b) {
    if (a.IsZero()) return b.IsZero() ? WideFloat(a.m_ + b.m_) : b;
    if (b.IsZero()) return a;
    if (a.IsSpecial() || b.IsSpecial()) return WideFloat(a.m_ + b.m_);
    const WideFloat& big = a.e_ >= b.e_ ? a : b;
    const WideFloat& small = a.e_ >= b.e_ ? b : a;
    const long long gap = static_cast<long long>(big.e_) - small.e_;
    // Below 2^-60 of the larger operand the smaller one cannot move a 53-bit rounding.
    if (gap > 60) return big;
    return Scaled(big.m_ + small.m_ * PowerOfTwo(static_cast<int>(-gap)), big.e_);
  }

  friend WideFloat operator-(const WideFloat& a, const WideFloat& b) {
    WideFloat negated = b;
    negated.m_ = -negated.m_;
    return a + negated;
  }

  friend WideFloat Sqrt(const WideFloat& a) {
    if (a.IsSpecial() || a.m_ < 0) return WideFloat(std::sqrt(a.m_));
    // Make the exponent even so that it halves exactly.
    const bool odd = (a.e_ % 2) != 0;
    const double m = odd ? a.m_ * 2.0 : a.m_;
    const long long e = odd ? static_cast<long long>(a.e_) - 1 : a.e_;
    return Scaled(std::sqrt(m), e / 2);
  }

  // a <= b; false when either is not a number.
  friend bool operator<=(const WideFloat& a, const WideFloat& b) {
    if (a.IsNaN() || b.IsNaN()) return false;
    if (a.IsSpecial() || b.IsSpecial() || a.IsNegative() != b.IsNegative()) {
      // Zeros and infinities compare correctly on the significands alone, and so do values of
      // opposite signs.
      return a.m_ <= b.m_;
    }
    if (a.e_ != b.e_) return a.IsNegative() ? a.e_ > b.e_ : a.e_ < b.e_;
    return a.m_ <= b.m_;
  }

 private:
  static constexpr int kMinExponent = -16381;  // smallest e_ with m_ × 2^e_ >= 2^-16382
  static constexpr int kMaxExponent = 16384;   // largest e_ with m_ × 2^e_ < 2^16384

  bool IsSpecial() const { return m_ == 0.0 || !std::isfinite(m_); }

  // 2^k, 0 below the normal range of a double and infinite above it.
  static double PowerOfTwoClamped(long long k) {
    if (k < -1022) return 0.0;
    if (k > 1023) return std::numeric_limits<double>::infinity();
    return PowerOfTwo(static_cast<int>(k));
  }

  // 2^k for k in the normal range of a double.
  static double PowerOfTwo(int k) {
    return BitCast<double>(static_cast<std::uint64_t>(1023 + k) << 52);
  }

  void Normalize(double significand, long long exponent) {
    // Reads and resets the exponent field directly: this runs after every operation of the
    // series, where frexp would dominate the cost.
    constexpr std::uint64_t kExponentMask = 0x7FFULL << 52;
    const auto bits = BitCast<std::uint64_t>(significand);
    const auto field = static_cast<int>((bits & kExponentMask) >> 52);
    long long e = 0;
    if (field == 0x7FF || significand == 0.0) {  // infinity, not-a-number or zero
      m_ = significand;
      e_ = 0;
      return;
    }
    if (field == 0) {  // subnormal input: only from the constructor
      int shift = 0;
      m_ = std::frexp(significand, &shift);
      e = exponent + shift;
    } else {
      m_ = BitCast<double>((bits & ~kExponentMask) | (1022ULL << 52));
      e = exponent + field - 1022;
    }
    if (e < kMinExponent) {
      m_ = std::copysign(0.0, m_);
      e_ = 0;
    } else if (e > kMaxExponent) {
      m_ = std::copysign(std::numeric_limits<double>::infinity(), m_);
      e_ = 0;
    } else {
      e_ = static_cast<int>(e);
    }
  }

  double m_ = 0.0;  // 0, an infinity, not-a-number, or |m_| in [0.5, 1)
  int e_ = 0;
};

}  // namespace quillet
