#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include "platform/clock.h"
#include "ui/qt/qt_dialog_window.h"
#include "ui/qt/qt_help_viewer.h"
#include "ui/qt/qt_modal_host.h"
#include "ui/quillet_dlg.h"

class QWidget;

namespace quillet::qt::testing {

// Plays the user in modal windows and popup menus. A click that opens a modal window only returns
// once that window has closed, so the test queues its steps first: each new modal window that
// appears is handed to the next step. A modal window nobody expected is reported and closed after a
// few seconds, so that no test ever hangs on one.
class ModalScript {
 public:
  using Step = std::function<void(QWidget* modal)>;

  ModalScript();
  ~ModalScript();

  void Then(Step step) { steps_.push_back(std::move(step)); }
  bool Done() const { return steps_.empty() && busy_.empty(); }

 private:
  void Tick();

  QTimer timer_;
  std::deque<Step> steps_;
  std::set<QWidget*> busy_;
  QWidget* stray_ = nullptr;
  QElapsedTimer strayFor_;
};

struct MessageSeen {
  QString title;
  QString text;
  bool noIcon = false;
  int buttons = 0;
};

// The running dialog of a modal step, or nullptr (and a test failure) when it is not one.
QtDialogWindow* AsDialog(QWidget* modal, int templateId);

// A step that reads a message box and clicks its OK button.
ModalScript::Step AnswerMessage(std::vector<MessageSeen>& seen);

// Clicks into an edit, selects everything and types `text` over it.
void Type(QWidget* edit, const QString& text);
// Presses a key on whatever has the keyboard focus in the active window.
void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Click(QWidget* widget);

// Shows a window and waits until it is active, so keys reach it.
bool ShowAndActivate(QWidget* window);

class FixedClock : public Clock {
 public:
  std::tm LocalNow() const override;
};

// The main window as the program opens it, over a real Qt host, with the help looked for in
// `helpFolders`.
class MainWindowHarness {
 public:
  MainWindowHarness();
  ~MainWindowHarness();

  QtDialogWindow& window() { return *window_; }
  QWidget* Control(int id) { return window_->Control(id); }
  QString Text(int id) { return QString::fromStdString(window_->GetControlText(id)); }

  std::vector<std::string> helpFolders;
  FixedClock clock;
  QtModalHost host;
  QtHelpViewer help;
  CQuilletDlg dlg;
  std::unique_ptr<QtDialogWindow> window_;
  int finishedWith = 0;  // end code once the window closed, else 0
};

}  // namespace quillet::qt::testing
