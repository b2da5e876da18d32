#pragma once

#include <ctime>

#include "platform/clock.h"

namespace quillet::testing {

// A clock that always tells the same local time.
class FixedClock : public Clock {
 public:
  explicit FixedClock(const std::tm& time) : time_(time) {}
  std::tm LocalNow() const override { return time_; }

 private:
  std::tm time_;
};

// A broken-down local time from its parts (month 1-12, weekday 0 = Sunday).
inline std::tm MakeTime(int year, int month, int day, int hour, int minute, int second,
                        int weekday) {
  std::tm time{};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  time.tm_wday = weekday;
  return time;
}

}  // namespace quillet::testing
