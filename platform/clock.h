#pragma once

#include <ctime>

namespace quillet {

// Source of the report's time stamp, so that tests can fix the time.
class Clock {
 public:
  virtual ~Clock() = default;
  // The current time converted to local time.
  virtual std::tm LocalNow() const = 0;
};

class SystemClock final : public Clock {
 public:
  std::tm LocalNow() const override;
};

}  // namespace quillet
