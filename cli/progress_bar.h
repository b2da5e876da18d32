#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>

namespace quillet::cli {

// A one-line progress bar for a terminal, "[#########-----------]  4213/10000 files", drawn
// over itself with a carriage return. It is redrawn at most ten times a second, so that
// thousands of quick files do not spend their time on the terminal, and not at all in a run
// shorter than that; Finish() wipes it so that what follows starts on a clean line.
class ProgressBar {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  using Now = std::function<TimePoint()>;

  ProgressBar(std::ostream& out, std::size_t total, Now now = std::chrono::steady_clock::now);

  void Update(std::size_t done);
  void Finish();

  static constexpr std::chrono::milliseconds kInterval{100};

 private:
  std::string Frame(std::size_t done) const;

  std::ostream& out_;
  std::size_t total_;
  Now now_;
  TimePoint last_;
  std::size_t width_ = 0;  // of the frame on the line, to wipe it
};

}  // namespace quillet::cli
