#include "report/time_stamp.h"

#include "platform/format.h"

namespace quillet {

namespace {

// At least two digits, zero-padded; negative values keep their sign.
std::string TwoDigits(int value) {
  std::string text = FormatInt(value);
  return (value >= 0 && value < 10) ? "0" + text : text;
}

}  // namespace

std::string FormatTimeStamp(const std::tm& time) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  // A broken-down time from a platform call is always in range; guard anyway rather than
  // index out of the tables.
  const char* day = (time.tm_wday >= 0 && time.tm_wday < 7) ? kDays[time.tm_wday] : "???";
  const char* month = (time.tm_mon >= 0 && time.tm_mon < 12) ? kMonths[time.tm_mon] : "???";
  // tm_year counts from 1900; add in 64 bits so a hostile value cannot overflow.
  const long long year = static_cast<long long>(time.tm_year) + 1900;
  return std::string(day) + " " + month + " " + TwoDigits(time.tm_mday) + " " +
         TwoDigits(time.tm_hour) + ":" + TwoDigits(time.tm_min) + ":" + TwoDigits(time.tm_sec) +
         " " + std::to_string(year) + "\n";
}

}  // namespace quillet
