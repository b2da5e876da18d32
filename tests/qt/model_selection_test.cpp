#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gui_driver.h"
#include "report/criteria_text.h"
#include "ui/control_ids.h"
#include "ui/model_selection_dlg.h"

namespace quillet::qt::testing {
namespace {

using D = CModelSelectionDlg;

class ModelSelectionTest : public ::testing::Test {
 protected:
  // All 24 models imported, 32 taxa in the main window; Ctrl+M, 1506 sites typed and Enter
  // (Rank), then `step` in the window.
  void InModelSelection(std::function<void(QtDialogWindow&, QTableWidget&)> step) {
    QByteArray table = "Model,lnL\n";
    for (int i = 0; i < 24; ++i) {
      table += QByteArray::fromStdString(CanonicalName(AllClassicModels()[i])) + "," +
               QByteArray::number(-13000 + 37.25 * (i % 7) - 11.5 * i) + "\n";
    }
    QFile file(dir.filePath("fits.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(table) == table.size());
    file.close();
    script.Then([](QWidget* modal) {
      if (AsDialog(modal, 132)) PressKey(Qt::Key_Return);
    });
    ui.dlg.OnImport(ui.window(), {file.fileName().toStdString()});
    Type(ui.Control(ids::kTaxa), "32");
    script.Then([step](QWidget* modal) {
      QtDialogWindow* dialog = AsDialog(modal, D::kTemplateId);
      if (!dialog) return;
      EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
      Type(dialog->Control(D::kIdSites), "1506");
      PressKey(Qt::Key_Return);
      step(*dialog, *dynamic_cast<QTableWidget*>(dialog->Control(D::kIdTable)));
      Click(dialog->Control(kIdCancel));
    });
    PressKey(Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return script.Done(); }, 10000));
  }

  QTemporaryDir dir;
  MainWindowHarness ui;
  ModalScript script;
};

// Every column is wider than its widest text, title included; at the smallest size the window
// allows, the table shows a good part of the 24 rows and scrolls to the rest; a larger window
// gives the table the room and takes Close along.
TEST_F(ModelSelectionTest, TwentyFourRowsStayReadableAtTheSmallestSize) {
  InModelSelection([](QtDialogWindow& dialog, QTableWidget& table) {
    ASSERT_EQ(table.rowCount(), 24);
    const QFontMetrics cells = table.fontMetrics();
    const QFontMetrics titles = table.horizontalHeader()->fontMetrics();
    for (int column = 0; column < table.columnCount(); ++column) {
      int widest = titles.horizontalAdvance(table.horizontalHeaderItem(column)->text());
      for (int row = 0; row < table.rowCount(); ++row) {
        widest = std::max(widest, cells.horizontalAdvance(table.item(row, column)->text()));
      }
      EXPECT_GT(table.columnWidth(column), widest) << column;
    }
    EXPECT_GE(table.rowHeight(0), cells.height());

    dialog.resize(100, 100);
    QTest::qWait(20);
    EXPECT_EQ(dialog.size(), dialog.minimumSize());
    EXPECT_GE(table.viewport()->height() / table.rowHeight(0), 8);
    EXPECT_GT(table.verticalScrollBar()->maximum(), 0);
    QWidget* close = dialog.Control(kIdCancel);
    EXPECT_LT(table.geometry().bottom(), close->geometry().top());
    const QRect tableAtMinimum = table.geometry(), closeAtMinimum = close->geometry();
    dialog.resize(dialog.minimumSize() + QSize(200, 120));
    QTest::qWait(20);
    EXPECT_EQ(table.geometry(), tableAtMinimum.adjusted(0, 0, 200, 120));
    EXPECT_EQ(close->geometry(), closeAtMinimum.translated(200, 120));
  });
}

// A click on a title sorts by value (as text -12988.5 would come before -13000), a second click
// the other way round.
TEST_F(ModelSelectionTest, AClickOnATitleSortsByValue) {
  InModelSelection([](QtDialogWindow&, QTableWidget& table) {
    QHeaderView* header = table.horizontalHeader();
    for (bool ascending : {true, false}) {
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                        QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
      for (int row = 1; row < table.rowCount(); ++row) {
        const double above = table.item(row - 1, 1)->text().toDouble();
        const double here = table.item(row, 1)->text().toDouble();
        EXPECT_TRUE(ascending ? above <= here : above >= here) << row;
      }
    }
  });
}

TEST_F(ModelSelectionTest, CopyPutsTheTableOnTheClipboard) {
  InModelSelection([](QtDialogWindow& dialog, QTableWidget&) {
    QApplication::clipboard()->clear();
    Click(dialog.Control(D::kIdCopy));
    const auto& dlg = static_cast<CModelSelectionDlg&>(dialog.dialog());
    ASSERT_TRUE(dlg.m_table && dlg.m_table->sites == 1506);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              CriteriaTsvHeader() + CriteriaTsvRows(*dlg.m_table));
  });
}

}  // namespace
}  // namespace quillet::qt::testing
