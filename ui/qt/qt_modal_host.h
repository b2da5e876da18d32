#pragma once

#include <memory>
#include <vector>

#include "platform/modal_host.h"

class QWidget;

namespace quillet {
class CQuilletDlg;
}

namespace quillet::qt {

class QtDialogWindow;

// Runs the program's dialogs as Qt windows, each modal over the one opened before it, and the
// Save As dialog as a Qt file dialog.
class QtModalHost : public ModalHost {
 public:
  int DoModal(Dialog& dialog) override;
  std::optional<std::string> RunSaveAs(const SaveAsSettings& settings,
                                       const std::string& lastPath) override;
  std::vector<std::string> RunOpenFiles(const std::string& caption,
                                        const std::string& folder) override;
  std::optional<int> Ask(const std::string& text, const std::string& caption,
                         std::span<const std::string> buttons) override;

  // Builds the dialog's window over `parent` and initialises it, without running it. Returns
  // nullptr when the dialog has no template.
  std::unique_ptr<QtDialogWindow> Open(Dialog& dialog, QWidget* parent);

  // The main window's dialog: it answers F1 in every window and the About entry.
  void SetMainDialog(CQuilletDlg* dialog) { main_ = dialog; }
  CQuilletDlg* MainDialog() const { return main_; }

  // The most recently opened window still open, or nullptr.
  QtDialogWindow* TopWindow() const;

 private:
  friend class QtDialogWindow;
  CQuilletDlg* main_ = nullptr;
  std::vector<QtDialogWindow*> open_;
};

}  // namespace quillet::qt
