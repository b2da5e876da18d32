#pragma once

#include <memory>
#include <vector>

#include "platform/modal_host.h"
#include "ui/qt/qt_dialog_window.h"

class QWidget;

namespace quillet::qt {

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

  // The most recently opened window still open, or nullptr.
  QtDialogWindow* TopWindow() const { return open_.Top(); }

 private:
  WindowStack open_;
};

}  // namespace quillet::qt
