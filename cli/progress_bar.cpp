#include "cli/progress_bar.h"

#include <algorithm>

namespace quillet::cli {

namespace {

constexpr std::size_t kBarWidth = 30;

}  // namespace

ProgressBar::ProgressBar(std::ostream& out, std::size_t total, Now now)
    : out_(out), total_(total), now_(std::move(now)), last_(now_()) {}

std::string ProgressBar::Frame(std::size_t done) const {
  const std::size_t filled = total_ == 0 ? kBarWidth : std::min(done, total_) * kBarWidth / total_;
  const std::string count = std::to_string(done) + "/" + std::to_string(total_);
  const std::string totalText = std::to_string(total_);
  // The count right-aligned to the width of the total, so the line keeps its length.
  const std::size_t pad =
      2 * totalText.size() + 1 > count.size() ? 2 * totalText.size() + 1 - count.size() : 0;
  return "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '-') + "] " +
         std::string(pad, ' ') + count + " files";
}

void ProgressBar::Update(std::size_t done) {
  const TimePoint now = now_();
  if (now - last_ < kInterval) return;
  last_ = now;
  const std::string frame = Frame(done);
  width_ = std::max(width_, frame.size());
  out_ << '\r' << frame << std::flush;
}

void ProgressBar::Finish() {
  if (width_ == 0) return;
  out_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
  width_ = 0;
}

}  // namespace quillet::cli
