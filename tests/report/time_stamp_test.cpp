#include "report/time_stamp.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/fixed_clock.h"

namespace quillet {
namespace {

using testing::MakeTime;

TEST(TimeStampTest, TwentyFiveCharactersWithEnglishNamesAndAZeroPaddedDay) {
  struct Row {
    const char* name;
    std::tm time;
    const char* expected;
  };
  const std::vector<Row> rows = {
      {"worked example", MakeTime(2000, 11, 14, 9, 5, 3, 2), "Tue Nov 14 09:05:03 2000\n"},
      {"single-digit day", MakeTime(2023, 11, 7, 23, 59, 59, 2), "Tue Nov 07 23:59:59 2023\n"},
      {"midnight on new year", MakeTime(1999, 1, 1, 0, 0, 0, 5), "Fri Jan 01 00:00:00 1999\n"},
      {"sunday in march", MakeTime(2024, 3, 31, 12, 30, 0, 0), "Sun Mar 31 12:30:00 2024\n"},
      {"saturday in december", MakeTime(2005, 12, 3, 7, 8, 9, 6), "Sat Dec 03 07:08:09 2005\n"},
      {"monday in june", MakeTime(2015, 6, 22, 10, 0, 1, 1), "Mon Jun 22 10:00:01 2015\n"},
      {"leap second", MakeTime(2016, 12, 31, 23, 59, 60, 6), "Sat Dec 31 23:59:60 2016\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string stamp = FormatTimeStamp(row.time);
    EXPECT_EQ(stamp, row.expected);
    EXPECT_EQ(stamp.size(), 25u);
  }
}

}  // namespace
}  // namespace quillet
