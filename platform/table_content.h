#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quillet {

// One cell of a read-only table: the text shown and, for a number, the value its column sorts
// by. A cell without a value (a name, or a number that is not defined) sorts by its text.
struct TableCell {
  std::string text;
  std::optional<double> sortKey;
  bool operator==(const TableCell&) const = default;
};

// What a table control shows: the column titles and the rows, each with one cell per column.
struct TableContent {
  std::vector<std::string> columns;
  std::vector<std::vector<TableCell>> rows;
  bool operator==(const TableContent&) const = default;
};

// The order of the rows sorted by one column, as positions in `content.rows`: cells with a sort
// key by their values, then cells without one by their texts; descending reverses both, but the
// cells without a key stay last either way, so that what is not defined never heads the column.
// Equal cells keep the order given.
std::vector<std::size_t> SortedRows(const TableContent& content, std::size_t column,
                                    bool descending);

}  // namespace quillet
