#pragma once

namespace quillet {

// A number in double precision with the decimals it was written with (typed, or read from a
// file), so that showing it again never drops any: -3040.10 comes back as "-3040.10", and
// -136006.9467 keeps all four decimals. A value computed or set in code has none of its own
// and shows with the digits it needs.
struct WrittenNumber {
  double value = 0;
  int decimals = 0;

  WrittenNumber() = default;
  WrittenNumber(double number) : value(number) {}  // NOLINT: a plain value converts freely
  WrittenNumber(double number, int written) : value(number), decimals(written) {}
  operator double() const { return value; }  // NOLINT: and reads as one
};

}  // namespace quillet
