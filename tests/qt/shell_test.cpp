#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

#include <fstream>
#include <ostream>
#include <sstream>

#include "gui_driver.h"
#include "ui/chi_square_dlg.h"
#include "ui/comments_dlg.h"
#include "ui/control_ids.h"
#include "ui/help_topics.h"
#include "ui/import_dlg.h"
#include "ui/model_selection_dlg.h"

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
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions().first()->text(), "&Import log-likelihoods...");
    EXPECT_EQ(menu->actions().at(1)->text(), "&Model selection...");
    entry = menu->actions().last()->text();
    QTest::keyClick(menu, Qt::Key_Up);  // from the top, up wraps round to the last entry
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

// True when the help document has an anchor of that name, which the browser can scroll to.
bool HasAnchor(const QTextDocument* document, const QString& name) {
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    // An anchor before a heading is kept with the heading's block.
    if (block.charFormat().anchorNames().contains(name)) return true;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().anchorNames().contains(name)) return true;
    }
  }
  return false;
}

struct F1Case {
  const char* name;
  int templateId;  // the window F1 is pressed in
  int topic;
};

void PrintTo(const F1Case& c, std::ostream* os) { *os << c.name; }

class F1TopicTest : public ShellTest, public ::testing::WithParamInterface<F1Case> {};

// F1 opens the help at the window's own topic, and the help file has that topic.
TEST_P(F1TopicTest, OpensTheTopicOfTheWindowInFront) {
  const F1Case& c = GetParam();
  auto pressF1 = [](QWidget* window) {
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    PressKey(Qt::Key_F1);
    window->activateWindow();  // the help window came to the front; the dialog still runs
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    PressKey(Qt::Key_Escape);
  };
  switch (c.templateId) {
    case CQuilletDlg::kTemplateId:
      PressKey(Qt::Key_F1);
      break;
    case kSaveAsHelpId:
      script.Then([&pressF1](QWidget* modal) {
        ASSERT_NE(qobject_cast<QFileDialog*>(modal), nullptr);
        pressF1(modal);
      });
      Click(ui.Control(ids::kFileName));
      break;
    case CChiSquareDlg::kTemplateId:
      script.Then([&pressF1](QWidget* modal) {
        if (QtDialogWindow* calc = AsDialog(modal, CChiSquareDlg::kTemplateId)) pressF1(calc);
      });
      Click(ui.Control(ids::kChiSquareCalc));
      break;
    case CImportDlg::kTemplateId: {
      QTemporaryDir dir;
      const QString fits = dir.filePath("fits.csv");
      std::ofstream(fits.toStdString()) << "Model,lnL\nGTR,-950.75\n";
      script.Then([&pressF1](QWidget* modal) {
        if (QtDialogWindow* import = AsDialog(modal, CImportDlg::kTemplateId)) pressF1(import);
      });
      ui.dlg.OnImport(ui.window(), {fits.toStdString()});
      break;
    }
    case CModelSelectionDlg::kTemplateId:
      Type(ui.Control(ids::kLnLGTR), "-950.5");
      Click(ui.Control(ids::kGTR));
      script.Then([&pressF1](QWidget* modal) {
        if (QtDialogWindow* window = AsDialog(modal, CModelSelectionDlg::kTemplateId)) {
          pressF1(window);
        }
      });
      PressKey(Qt::Key_M, Qt::ControlModifier);
      break;
    case CCommentsDlg::kTemplateId:
      script.Then([&pressF1](QWidget* modal) {
        if (QtDialogWindow* comments = AsDialog(modal, CCommentsDlg::kTemplateId)) {
          pressF1(comments);  // the focus is in the text box
        }
      });
      ui.host.DoModal(ui.dlg.m_report.m_dlgComments);
      break;
  }
  EXPECT_TRUE(script.Done());
  QTextBrowser* browser = ui.help.browser();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(browser->source().fragment(), QString::number(c.topic));
  EXPECT_TRUE(HasAnchor(browser->document(), QString::number(c.topic)));
}

INSTANTIATE_TEST_SUITE_P(Windows, F1TopicTest,
                         ::testing::Values(F1Case{"MainWindow", CQuilletDlg::kTemplateId, 131174},
                                           F1Case{"Calculator", CChiSquareDlg::kTemplateId, 131201},
                                           F1Case{"Comments", CCommentsDlg::kTemplateId, 131202},
                                           F1Case{"SaveAs", kSaveAsHelpId, 131203},
                                           F1Case{"Import", CImportDlg::kTemplateId, 131204},
                                           F1Case{"ModelSelection", CModelSelectionDlg::kTemplateId,
                                                  131205}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CloseKeyCase {
  const char* name;
  int key;
  Qt::KeyboardModifiers modifiers;
};

void PrintTo(const CloseKeyCase& c, std::ostream* os) { *os << c.name; }

class HelpWindowTest : public ShellTest, public ::testing::WithParamInterface<CloseKeyCase> {};

// At its default size the help window needs no sideways scrolling; the usual keys close it and
// leave the main window as it was.
TEST_P(HelpWindowTest, FitsItsWidthAndClosesFromTheKeyboard) {
  Click(ui.Control(ids::kHelp));
  QTextBrowser* browser = ui.help.browser();
  ASSERT_NE(browser, nullptr);
  ASSERT_TRUE(ShowAndActivate(browser));
  EXPECT_EQ(browser->horizontalScrollBar()->maximum(), 0);
  EXPECT_LE(browser->document()->idealWidth(), browser->viewport()->width());

  PressKey(GetParam().key, GetParam().modifiers);
  EXPECT_FALSE(browser->isVisible());
  EXPECT_TRUE(ui.window().isVisible());
}

INSTANTIATE_TEST_SUITE_P(Keys, HelpWindowTest,
                         ::testing::Values(CloseKeyCase{"Escape", Qt::Key_Escape, Qt::NoModifier},
                                           CloseKeyCase{"CtrlW", Qt::Key_W, Qt::ControlModifier}),
                         [](const auto& info) { return std::string(info.param.name); });

enum class Gesture { kDropFiles, kRightClick, kCtrlO };

struct RefusedCase {
  const char* name;
  Gesture gesture;
  bool onMainWindow;  // else on the calculator, which is open over it
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class RefusedTest : public ShellTest, public ::testing::WithParamInterface<RefusedCase> {};

// Files, the background menu and Ctrl+O belong to the main window alone, and files only while
// nothing is open over it. A menu or file dialog that opened anyway would be reported as an
// unexpected modal window.
TEST_P(RefusedTest, WindowsOtherThanTheMainOneTakeNothing) {
  const RefusedCase& c = GetParam();
  bool took = false;
  script.Then([&](QWidget* modal) {
    QtDialogWindow* calc = AsDialog(modal, CChiSquareDlg::kTemplateId);
    if (!calc) return;
    EXPECT_TRUE(QTest::qWaitForWindowActive(calc));
    QWidget* target = c.onMainWindow ? static_cast<QWidget*>(&ui.window()) : calc;
    const QPoint corner(target->width() - 3, 3);
    switch (c.gesture) {
      case Gesture::kDropFiles: {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QDir::tempPath() + "/fits.csv")});
        QDragEnterEvent enter(corner, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        took = enter.isAccepted();
        break;
      }
      case Gesture::kRightClick: {
        QContextMenuEvent event(QContextMenuEvent::Mouse, corner, target->mapToGlobal(corner));
        QApplication::sendEvent(target, &event);
        break;
      }
      case Gesture::kCtrlO:
        PressKey(Qt::Key_O, Qt::ControlModifier);
        break;
    }
    calc->done(kIdCancel);
  });
  Click(ui.Control(ids::kChiSquareCalc));
  EXPECT_FALSE(took);
  EXPECT_TRUE(script.Done());
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, RefusedTest,
    ::testing::Values(RefusedCase{"FilesOnTheCalculator", Gesture::kDropFiles, false},
                      RefusedCase{"FilesOnTheMainWindowUnderIt", Gesture::kDropFiles, true},
                      RefusedCase{"RightClickOnTheCalculator", Gesture::kRightClick, false},
                      RefusedCase{"CtrlOInTheCalculator", Gesture::kCtrlO, false}),
    [](const auto& info) { return std::string(info.param.name); });

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
