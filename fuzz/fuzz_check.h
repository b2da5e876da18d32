#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quillet::fuzz {

// A broken property: says which and stops the run, so that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "\n*** property broken: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

inline void Require(bool holds, const std::string& what) {
  if (!holds) Fail(what);
}

// Any single input that takes longer than this counts as a hang. Sanitizers make everything
// two to three times slower, so this is far above what the program needs without them.
inline constexpr std::chrono::milliseconds kHangLimit{50};

// Runs `work` and returns how long it took. A run over the limit is repeated twice and only
// the fastest of the three counts, so that a busy machine does not make a slow input of a
// fast one.
template <typename Work>
std::chrono::nanoseconds FastestOfSlowRuns(Work&& work) {
  using Clock = std::chrono::steady_clock;
  auto timed = [&] {
    const auto start = Clock::now();
    work();
    return Clock::now() - start;
  };
  auto fastest = timed();
  for (int i = 0; i < 2 && fastest > kHangLimit; ++i) fastest = std::min(fastest, timed());
  return fastest;
}

inline void RequireNoHang(std::chrono::nanoseconds took, const std::string& what) {
  if (took > kHangLimit) {
    Fail(what + " took " +
         std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(took).count()) +
         " us");
  }
}

}  // namespace quillet::fuzz
