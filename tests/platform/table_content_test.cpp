#include "platform/table_content.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {
namespace {

TEST(SortedRows, OrdersByValueOrByTextWithWhatIsNotDefinedLast) {
  const TableContent table = {{"Model", "AICc"},
                              {{{"K2P", {}}, {"12.5", 12.5}},
                               {{"GTR", {}}, {"-", {}}},
                               {{"JC", {}}, {"9.75", 9.75}},
                               {{"F81", {}}, {"100", 100.0}},
                               {{"HKY85", {}}, {"9.75", 9.75}}}};
  struct Case {
    const char* name;
    std::size_t column;
    bool descending;
    std::vector<std::size_t> order;
  };
  // By value, not by text ("100" is not below "12.5"); equal values keep their order.
  for (const Case& c : {Case{"NumbersAscending", 1, false, {2, 4, 0, 3, 1}},
                        Case{"NumbersDescendingUndefinedStillLast", 1, true, {3, 0, 2, 4, 1}},
                        Case{"NamesAscending", 0, false, {3, 1, 4, 2, 0}},
                        Case{"NamesDescending", 0, true, {0, 2, 4, 1, 3}}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SortedRows(table, c.column, c.descending), c.order);
  }
}

}  // namespace
}  // namespace quillet
