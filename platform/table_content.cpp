#include "platform/table_content.h"

#include <algorithm>
#include <numeric>

namespace quillet {

std::vector<std::size_t> SortedRows(const TableContent& content, std::size_t column,
                                    bool descending) {
  std::vector<std::size_t> order(content.rows.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  // A row too short for the column has nothing there, which sorts as a cell without a key.
  static const TableCell kNone;
  auto cell = [&](std::size_t row) -> const TableCell& {
    const std::vector<TableCell>& cells = content.rows[row];
    return column < cells.size() ? cells[column] : kNone;
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const TableCell &x = cell(a), &y = cell(b);
    if (x.sortKey.has_value() != y.sortKey.has_value()) return x.sortKey.has_value();
    if (x.sortKey) return descending ? *y.sortKey < *x.sortKey : *x.sortKey < *y.sortKey;
    return descending ? y.text < x.text : x.text < y.text;
  });
  return order;
}

}  // namespace quillet
