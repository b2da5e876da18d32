#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "gui_driver.h"
#include "ui/control_ids.h"
#include "ui/import_dlg.h"
#include "ui/qt/startup_import.h"

namespace quillet::qt::testing {
namespace {

class ImportTest : public ::testing::Test {
 protected:
  ImportTest() {
    Put("fits.csv", "Model,lnL\nGTR,-950.75\nGTR+G,-905.25\n");
    Put("more.csv", "Model,lnL\nHKY85,-1000.5\n");
  }

  void Put(const QString& name, const QByteArray& content) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
  }
  QString Path(const QString& name) const { return dir.filePath(name); }

  // The import dialog over the main window shows the grid and the lists; the user presses
  // `key` (Enter applies, Escape cancels).
  ModalScript::Step InImportDialog(int key) {
    return [this, key](QWidget* modal) {
      QtDialogWindow* dialog = AsDialog(modal, CImportDlg::kTemplateId);
      if (!dialog) return;
      EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
      auto* cell = qobject_cast<QLabel*>(dialog->Control(CImportDlg::CellId(0, 2)));
      auto* list = qobject_cast<QComboBox*>(dialog->Control(CImportDlg::kIdFirstRowChoice));
      auto* text = qobject_cast<QPlainTextEdit*>(dialog->Control(CImportDlg::kIdMessages));
      ASSERT_TRUE(cell && list && text);
      EXPECT_EQ(cell->text(), "-905.25 [1]");
      EXPECT_EQ(list->count(), 3);
      EXPECT_EQ(list->currentText(), "GTR");
      EXPECT_EQ(QApplication::focusWidget(), list);
      EXPECT_TRUE(text->isReadOnly());
      EXPECT_TRUE(text->toPlainText().startsWith("Files:\n[1] " + Path("fits.csv")));
      PressKey(key);
      EXPECT_FALSE(dialog->isVisible());
    };
  }

  void WaitForScript() {
    EXPECT_TRUE(QTest::qWaitFor([this] { return script.Done(); }, 10000));
  }

  QTemporaryDir dir;
  MainWindowHarness ui;
  ModalScript script;
};

// Ctrl+O works from a number field: the Open dialog (Qt's own, several files at once) is
// followed by the import dialog, and Apply fills the rows from both files.
TEST_F(ImportTest, CtrlOOpensTheFileDialogThenTheImportDialog) {
  script.Then([this](QWidget* modal) {
    auto* files = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFiles);
    EXPECT_TRUE(files->testOption(QFileDialog::DontUseNativeDialog));
    auto* name = files->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    // Pasted rather than typed, so that no completion list pops up.
    files->setDirectory(dir.path());
    name->setText("\"fits.csv\" \"more.csv\"");
    QTest::keyClick(name, Qt::Key_Return);
  });
  script.Then(InImportDialog(Qt::Key_Return));
  ASSERT_EQ(QApplication::focusWidget(), ui.Control(ids::kLnLGTR));
  PressKey(Qt::Key_O, Qt::ControlModifier);
  WaitForScript();
  EXPECT_EQ(ui.Text(ids::kLnLGTR), "-950.75");
  EXPECT_TRUE(qobject_cast<QCheckBox*>(ui.Control(ids::kGTR))->isChecked());
  EXPECT_EQ(ui.Text(ids::kLnLHKY85), "-1000.5");
}

// Files dropped on a number field go to the window: they are imported, and the field does not
// take their names as text. Escape in the dialog changes nothing.
TEST_F(ImportTest, DroppedFilesAreImportedNotTyped) {
  script.Then(InImportDialog(Qt::Key_Escape));
  QWidget* field = ui.Control(ids::kLnLTrN);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(Path("fits.csv"))});
  data.setText(Path("fits.csv"));
  const QPoint centre = field->rect().center();
  QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field, &drop);
  WaitForScript();
  EXPECT_EQ(ui.Text(ids::kLnLTrN), "0");
  EXPECT_EQ(ui.Text(ids::kLnLGTR), "0");
}

// PhyML runs on 9 and on 12 taxa are no one data set: the dialog opens on the Data set list,
// and Show puts the chosen files' values into the grid before Enter applies them.
TEST_F(ImportTest, TheFilesOfOneDataSetAreChosenAndShownBeforeApply) {
  const QByteArray stats =
      " ---  PhyML 3.3.20200621  ---\n. Model of nucleotides substitution: \tHKY85\n"
      ". Number of taxa: \t9\n. Log-likelihood: \t-1000.125\n";
  Put("p9.txt", stats);
  Put("p12.txt", QByteArray(stats).replace("\t9", "\t12").replace("-1000.125", "-2000.5"));
  script.Then([this](QWidget* modal) {
    QtDialogWindow* dialog = AsDialog(modal, CImportDlg::kTemplateId);
    if (!dialog) return;
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    auto* sets = qobject_cast<QComboBox*>(dialog->Control(CImportDlg::kIdDataSet));
    auto* cell = qobject_cast<QLabel*>(dialog->Control(CImportDlg::CellId(2, 0)));
    QWidget* show = dialog->Control(CImportDlg::kIdShowDataSet);
    ASSERT_TRUE(sets && cell && show);
    EXPECT_EQ(QApplication::focusWidget(), sets);
    EXPECT_EQ(sets->currentText(), "Choose the files of one data set");
    EXPECT_EQ(cell->text(), "conflict [1,2]");
    sets->setCurrentIndex(2);
    Click(show);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(cell->text(), "-2000.5 [2]");
    EXPECT_EQ(sets->currentText(), "file 2: 12 taxa");
    sets->setFocus();
    PressKey(Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
  });
  ImportAtStart(ui.host, ui.dlg, {Path("p9.txt"), Path("p12.txt")});
  WaitForScript();
  EXPECT_EQ(ui.Text(ids::kLnLHKY85), "-2000.5");
  EXPECT_EQ(ui.Text(ids::kTaxa), "12");
}

TEST_F(ImportTest, FilesNamedOnTheCommandLineAreImportedOnceTheWindowIsUp) {
  script.Then(InImportDialog(Qt::Key_Return));
  ImportAtStart(ui.host, ui.dlg, {Path("fits.csv")});
  WaitForScript();
  EXPECT_EQ(ui.Text(ids::kLnLGTR), "-950.75");
}

}  // namespace
}  // namespace quillet::qt::testing
