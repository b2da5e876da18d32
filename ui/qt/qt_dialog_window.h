#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/window.h"

class QKeyEvent;
class QMimeData;
class QPushButton;

namespace quillet::qt {

class QtDialogWindow;

// The windows open at one time, in the order they were opened: each runs modal over the one
// before it. A window joins when it is built and leaves when it is destroyed.
class WindowStack {
 public:
  void Push(QtDialogWindow* window);
  void Remove(QtDialogWindow* window);

  // The most recently opened window still open, or nullptr.
  QtDialogWindow* Top() const;

  // F1 pressed in `window`, built from `templateId`: asks the dialog of each open window, from
  // `from` (the top when nullptr) down to the first opened, until one answers. Returns whether
  // one did.
  bool HelpKey(Window& window, int templateId, const QtDialogWindow* from = nullptr) const;

 private:
  std::vector<QtDialogWindow*> windows_;
};

// One running dialog: widgets built from its template, with the window seam over them. The
// dialog object decides everything; this class only renders it and turns user actions into
// its commands.
class QtDialogWindow : public QDialog, public Window {
 public:
  // The window joins `stack` for as long as it lives.
  QtDialogWindow(Dialog& dialog, const DialogTemplate& tmpl, WindowStack& stack, QWidget* parent);
  ~QtDialogWindow() override;

  std::string GetControlText(int id) const override;
  void SetControlText(int id, const std::string& text) override;
  int GetCheck(int id) const override;
  void SetCheck(int id, int state) override;
  void EnableControl(int id, bool enable) override;
  void SetComboItems(int id, const std::vector<std::string>& items) override;
  int GetComboSelection(int id) const override;
  void SetComboSelection(int id, int index) override;
  void SetTable(int id, const TableContent& content) override;
  void SetClipboardText(const std::string& text) override;
  void FocusAndSelect(int id) override;
  void FocusAtEnd(int id) override;
  void MessageBox(const std::string& text, const std::string& caption = {}) override;

  // The widget of a control, or nullptr.
  QWidget* Control(int id) const;
  // The id of a control's widget, or kNoId.
  int ControlId(const QWidget* widget) const;
  Dialog& dialog() const { return dialog_; }
  int templateId() const { return templateId_; }

  // Puts the keyboard focus on the first tab stop, as a freshly opened dialog has it.
  void FocusFirstTabStop();
  // True once the dialog has moved the focus itself.
  bool FocusPlaced() const { return focusPlaced_; }

  // Runs until a handler ends the window and returns the end code. A window without a parent
  // (the main window) blocks no other window, so the help window stays usable beside it.
  int RunModal();

  // The command of a control, as its click gives it; ends the window when the handler says so.
  void Command(int id);

 protected:
  void reject() override;  // the close box, Alt+F4: the Cancel command
  void accept() override;  // the OK command
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Files go to a dialog that takes them.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
#ifdef Q_OS_WIN
  bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

 private:
  void Build(const DialogTemplate& tmpl);
  void End(std::optional<int> code);
  // The menu entry whose shortcut the key press is, or nullptr.
  const MenuEntry* EntryForKeys(const QKeyEvent* event) const;
  // The local files a drag carries when this window takes them, else none.
  std::vector<std::string> DroppableFiles(const QMimeData* data) const;
  // Handles a drag or drop event of files; false when it is none of ours.
  bool TakeFileDrag(QEvent* event);

  Dialog& dialog_;
  WindowStack& stack_;
  int templateId_;
  std::map<int, QWidget*> controls_;
  // The controls that follow the edges of a window that can be resized, where the template put
  // them; the window's smallest size is the template's.
  struct Anchored {
    QWidget* widget;
    QRect placed;
    std::uint32_t styles;
  };
  std::vector<Anchored> anchored_;
  QSize templateSize_;
  QPushButton* defaultButton_ = nullptr;
  QWidget* firstTabStop_ = nullptr;
  bool centred_ = false;
  bool focusPlaced_ = false;
};

}  // namespace quillet::qt
