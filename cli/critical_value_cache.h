#pragma once

#include <vector>

namespace quillet::cli {

// ChiSquareCritical for the few (p, df) pairs a run over many loci meets again and again: the
// bisection behind one critical value costs as much as the rest of a locus's tests together.
// One cache per thread; it holds whatever pairs it is asked for.
class CriticalValueCache {
 public:
  float At(float p, int df);

 private:
  struct Entry {
    float p;
    int df;
    float critical;
  };
  std::vector<Entry> entries_;
};

}  // namespace quillet::cli
