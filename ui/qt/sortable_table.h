#pragma once

#include <QTableWidget>

#include "platform/table_content.h"

namespace quillet::qt {

// A read-only table that the user sorts by clicking a column's header: a first click sorts it
// ascending, a second descending. Numbers sort by their values and cells that hold none come last
// (SortedRows). Each column is as wide as its widest text, its header included, and the table
// scrolls rather than cut a text short.
class SortableTable : public QTableWidget {
 public:
  explicit SortableTable(QWidget* parent);

  // Replaces what the table shows; a table the user sorted stays sorted by that column.
  void SetContent(const TableContent& content);
  void SortBy(int column, Qt::SortOrder order);

 private:
  void Fill();

  TableContent content_;
  int sortColumn_ = -1;  // none: the rows in the order given
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace quillet::qt
