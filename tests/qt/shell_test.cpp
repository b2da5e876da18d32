#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <fstream>
#include <sstream>

#include "analysis/control_ids.h"
#include "gui_driver.h"
#include "ui/comments_dlg.h"

namespace quillet::qt::testing {
namespace {

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() { ui.helpFolders = {QUILLET_SOURCE_HELP_DIR}; }

  // Right-click on the window's background, where no control lies.
  void RightClickBackground() {
    QPoint pos(ui.window().width() - 3, 3);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, ui.window().mapToGlobal(pos));
    QApplication::sendEvent(&ui.window(), &event);
  }

  MainWindowHarness ui;
  ModalScript script;
  std::vector<MessageSeen> messages;
};

TEST_F(ShellTest, BackgroundMenuOpensTheAboutBoxWhereF1OpensItsTopic) {
  QString entry;
  script.Then([&entry](QWidget* popup) {
    auto* menu = qobject_cast<QMenu*>(popup);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    entry = menu->actions().first()->text();
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QStringList labels;
  bool hasIcon = false;
  script.Then([&](QWidget* modal) {
    QtDialogWindow* about = AsDialog(modal, 100);
    if (!about) return;
    EXPECT_EQ(about->windowTitle(), "About Quillet");
    for (QLabel* label : about->findChildren<QLabel*>()) {
      if (!label->pixmap().isNull()) hasIcon = true;
      if (!label->text().isEmpty()) labels << label->text();
    }
    EXPECT_TRUE(QTest::qWaitForWindowActive(about));
    PressKey(Qt::Key_F1);
    ASSERT_NE(ui.help.browser(), nullptr);
    EXPECT_EQ(ui.help.browser()->source().fragment(), "131172");
    about->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(about));
    PressKey(Qt::Key_Return);  // OK is the default button
    EXPECT_FALSE(about->isVisible());
  });
  RightClickBackground();
  EXPECT_EQ(entry, "&About Quillet...");
  EXPECT_TRUE(labels.contains("Quillet v. 2.1  (11/2000)"));
  EXPECT_TRUE(labels.filter("Quillet developers").size() == 1);
  EXPECT_TRUE(hasIcon);
  EXPECT_TRUE(script.Done());
}

// The help window blocks nothing: the main window takes input while it is open.
TEST_F(ShellTest, HelpButtonAndF1OpenTheHelpBesideTheMainWindow) {
  Click(ui.Control(ids::kHelp));
  QTextBrowser* browser = ui.help.browser();
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(browser->isVisible());
  EXPECT_EQ(browser->source().fileName(), "Quillet.hlp");
  EXPECT_TRUE(browser->source().fragment().isEmpty());
  EXPECT_FALSE(browser->isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  ASSERT_TRUE(ShowAndActivate(&ui.window()));
  Type(ui.Control(ids::kLnLGTR), "-12.5");
  EXPECT_EQ(ui.Text(ids::kLnLGTR), "-12.5");
  PressKey(Qt::Key_F1);
  EXPECT_EQ(browser->source().fragment(), "131174");
  EXPECT_TRUE(browser->toPlainText().size() > 0);
}

TEST_F(ShellTest, MissingHelpIsToldClearly) {
  ui.helpFolders = {QDir::tempPath().toStdString() + "/no-such-quillet-folder"};
  script.Then(AnswerMessage(messages));
  Click(ui.Control(ids::kHelp));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.contains("Quillet.hlp"));
  EXPECT_EQ(messages[0].title, "Quillet");
  EXPECT_EQ(ui.help.browser(), nullptr);
}

std::string ReadFile(const QString& path) {
  std::ifstream in(path.toStdString());
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The whole path of a first report: Calculate with saving on asks for a file, the Save As
// dialog and the comments dialog follow, and the next Calculate writes the report.
TEST_F(ShellTest, FullCalculationWritesTheReportToTheChosenFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString typed = dir.filePath("cytb-run");  // no extension: "txt" is added

  Click(ui.Control(ids::kTestClock));
  Click(ui.Control(ids::kTestGamma));
  Click(ui.Control(ids::kGTR));
  Click(ui.Control(ids::kJC));
  Type(ui.Control(ids::kLnLGTR), "-1000");
  Type(ui.Control(ids::kLnLJC), "-1010");
  Click(ui.Control(ids::kSaveWork));

  script.Then(AnswerMessage(messages));
  script.Then([&typed](QWidget* modal) {
    auto* files = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(files->defaultSuffix(), "txt");
    auto* name = files->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    Type(name, typed);
    QTest::keyClick(name, Qt::Key_Return);
  });
  script.Then([](QWidget* modal) {
    QtDialogWindow* comments = AsDialog(modal, CCommentsDlg::kTemplateId);
    if (!comments) return;
    EXPECT_EQ(comments->windowTitle(), "Comments");
    QWidget* edit = comments->Control(CCommentsDlg::kIdComments);
    Type(edit, "cytb alignment");
    QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);  // a new line
    QTest::keyClicks(edit, "PAUP* lnL values");
    QTest::keyClick(edit, Qt::Key_Return);  // Enter presses OK
    EXPECT_FALSE(comments->isVisible());
  });
  Click(ui.Control(ids::kCalculate));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "No File name entered");
  EXPECT_EQ(ui.dlg.m_report.m_dlgComments.m_strComments, "cytb alignment\nPAUP* lnL values");
  EXPECT_EQ(ui.Text(ids::kLrtJC), "20.00");
  const QString report = typed + ".txt";
  EXPECT_FALSE(QFile::exists(report)) << "nothing is written by the calculation that asked";

  Click(ui.Control(ids::kCalculate));
  ASSERT_TRUE(QFile::exists(report));
  std::string text = ReadFile(report);
  EXPECT_NE(text.find("cytb alignment"), std::string::npos) << text;
  EXPECT_NE(text.find("/home/user/alignments"), std::string::npos) << text;
  EXPECT_NE(text.find("20.00"), std::string::npos) << text;

  // File Name opens the Save As dialog on the file accepted last.
  script.Then([&report](QWidget* modal) {
    auto* files = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(files, nullptr);
    ASSERT_FALSE(files->selectedFiles().isEmpty());
    EXPECT_EQ(QFileInfo(files->selectedFiles().first()).absoluteFilePath(),
              QFileInfo(report).absoluteFilePath());
    files->reject();
  });
  Click(ui.Control(ids::kFileName));
  EXPECT_TRUE(script.Done());
}

}  // namespace
}  // namespace quillet::qt::testing
