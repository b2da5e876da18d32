#include "gui_driver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTextBrowser>

namespace quillet::qt::testing {

ModalScript::ModalScript() {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
  timer_.start();
}

ModalScript::~ModalScript() {
  timer_.stop();
  if (!steps_.empty()) ADD_FAILURE() << steps_.size() << " expected modal window(s) never came";
}

// Runs inside the nested event loops of the modal windows, so a step may itself open another
// modal window and a later tick serves that one.
void ModalScript::Tick() {
  QWidget* modal = QApplication::activePopupWidget();  // a context menu
  if (!modal) modal = QApplication::activeModalWidget();
  if (!modal || busy_.count(modal)) return;
  if (steps_.empty()) {
    if (stray_ != modal) {
      stray_ = modal;
      strayFor_.start();
    } else if (strayFor_.elapsed() > 3000) {
      ADD_FAILURE() << "unexpected modal window: " << modal->windowTitle().toStdString()
                    << (qobject_cast<QMessageBox*>(modal)
                            ? " - " + qobject_cast<QMessageBox*>(modal)->text().toStdString()
                            : std::string());
      stray_ = nullptr;
      if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
      else
        modal->close();
    }
    return;
  }
  // The step runs from a timer of its own: a timer does not fire again while its own handler
  // runs, and the polling timer must keep serving the windows the step opens.
  auto step = std::make_shared<Step>(std::move(steps_.front()));
  steps_.pop_front();
  busy_.insert(modal);
  QPointer<QWidget> guard(modal);
  QTimer::singleShot(0, &timer_, [this, step, guard, modal] {
    if (guard) (*step)(modal);
    busy_.erase(modal);
  });
}

QtDialogWindow* AsDialog(QWidget* modal, int templateId) {
  auto* window = dynamic_cast<QtDialogWindow*>(modal);
  if (!window || window->templateId() != templateId) {
    ADD_FAILURE() << "expected window " << templateId << ", got "
                  << modal->windowTitle().toStdString();
    modal->close();
    return nullptr;
  }
  return window;
}

ModalScript::Step AnswerMessage(std::vector<MessageSeen>& seen) {
  return [&seen](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) {
      ADD_FAILURE() << "expected a message box, got " << modal->windowTitle().toStdString();
      modal->close();
      return;
    }
    seen.push_back({box->windowTitle(), box->text(), box->icon() == QMessageBox::NoIcon,
                    static_cast<int>(box->buttons().size())});
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    if (ok) {
      QTest::mouseClick(ok, Qt::LeftButton);
    } else {
      box->reject();
    }
  };
}

void Type(QWidget* edit, const QString& text) {
  QTest::mouseClick(edit, Qt::LeftButton);
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty()) {
    QTest::keyClick(edit, Qt::Key_Delete);
  } else {
    QTest::keyClicks(edit, text);
  }
}

void PressKey(int key, Qt::KeyboardModifiers modifiers) {
  // The window manager may hand the activation back a moment after a box has closed.
  for (int waited = 0; !QApplication::activeWindow() && waited < 1000; waited += 10) {
    QTest::qWait(10);
  }
  QWidget* target = QApplication::focusWidget();
  if (!target) target = QApplication::activeWindow();
  ASSERT_NE(target, nullptr) << "nothing to press a key on";
  QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

bool ShowAndActivate(QWidget* window) {
  window->show();
  window->activateWindow();
  return QTest::qWaitForWindowActive(window);
}

std::tm FixedClock::LocalNow() const {
  std::tm t{};
  t.tm_year = 124;  // 2024
  t.tm_mon = 2;
  t.tm_mday = 5;
  t.tm_hour = 14;
  t.tm_min = 30;
  t.tm_wday = 2;
  t.tm_yday = 64;
  return t;
}

MainWindowHarness::MainWindowHarness()
    : help([this] { return helpFolders; }),
      dlg(host, clock, help, [] { return std::string("/home/user/alignments"); }) {
  window_ = host.Open(dlg, nullptr);
  QObject::connect(window_.get(), &QDialog::finished, [this](int code) { finishedWith = code; });
  EXPECT_TRUE(ShowAndActivate(window_.get()));
}

MainWindowHarness::~MainWindowHarness() {
  if (QTextBrowser* browser = help.browser()) browser->close();
}

}  // namespace quillet::qt::testing
