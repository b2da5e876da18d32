#pragma once

#include <ctime>
#include <string>

namespace quillet {

// The report's time stamp: "Tue Nov 14 09:05:03 2000\n", 25 characters with English day and
// month names whatever the locale, and the day of the month zero-padded to two digits
// (asctime would pad it with a blank).
std::string FormatTimeStamp(const std::tm& time);

}  // namespace quillet
