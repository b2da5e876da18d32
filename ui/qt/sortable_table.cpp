#include "ui/qt/sortable_table.h"

#include <numeric>

#include <QHeaderView>

namespace quillet::qt {

SortableTable::SortableTable(QWidget* parent) : QTableWidget(parent) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  // Qt's own sorting would put the cells without a value first when descending.
  setSortingEnabled(false);
  verticalHeader()->hide();
  // Rows as tall as their text needs, so that the table shows as many as it can.
  verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  QHeaderView* header = horizontalHeader();
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  header->setSortIndicator(-1, Qt::AscendingOrder);
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setStretchLastSection(false);
  connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
    const bool again = column == sortColumn_ && sortOrder_ == Qt::AscendingOrder;
    SortBy(column, again ? Qt::DescendingOrder : Qt::AscendingOrder);
  });
}

void SortableTable::SetContent(const TableContent& content) {
  content_ = content;
  if (sortColumn_ >= static_cast<int>(content_.columns.size())) sortColumn_ = -1;
  Fill();
}

void SortableTable::SortBy(int column, Qt::SortOrder order) {
  if (column < 0 || column >= static_cast<int>(content_.columns.size())) return;
  sortColumn_ = column;
  sortOrder_ = order;
  Fill();
}

void SortableTable::Fill() {
  std::vector<std::size_t> order(content_.rows.size());
  if (sortColumn_ >= 0) {
    order = SortedRows(content_, static_cast<std::size_t>(sortColumn_),
                       sortOrder_ == Qt::DescendingOrder);
  } else {
    std::iota(order.begin(), order.end(), std::size_t{0});
  }
  horizontalHeader()->setSortIndicator(sortColumn_, sortOrder_);

  clearContents();
  setColumnCount(static_cast<int>(content_.columns.size()));
  setRowCount(static_cast<int>(content_.rows.size()));
  QStringList titles;
  for (const std::string& title : content_.columns) titles << QString::fromStdString(title);
  setHorizontalHeaderLabels(titles);
  // A column of numbers lines up at the right, as in the report, the cells without a value too.
  std::vector<bool> numbers(content_.columns.size(), false);
  for (const std::vector<TableCell>& cells : content_.rows) {
    for (std::size_t column = 0; column < cells.size() && column < numbers.size(); ++column) {
      if (cells[column].sortKey) numbers[column] = true;
    }
  }
  for (int row = 0; row < rowCount(); ++row) {
    const std::vector<TableCell>& cells = content_.rows[order[static_cast<std::size_t>(row)]];
    for (int column = 0; column < columnCount() && column < static_cast<int>(cells.size());
         ++column) {
      const TableCell& cell = cells[static_cast<std::size_t>(column)];
      auto* item = new QTableWidgetItem(QString::fromStdString(cell.text));
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      item->setTextAlignment(
          Qt::AlignVCenter |
          (numbers[static_cast<std::size_t>(column)] ? Qt::AlignRight : Qt::AlignLeft));
      setItem(row, column, item);
    }
  }
}

}  // namespace quillet::qt
