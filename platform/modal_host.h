#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace quillet {

// Settings of a Save As dialog.
struct SaveAsSettings {
  std::string defaultExtension = "txt";  // added to a name typed without one
  bool overwritePrompt = true;           // the platform asks before an existing file is accepted
  bool hideReadOnly = true;
};

// Runs modal dialogs over the main window. The Qt layer builds real windows; tests script
// the user's answers.
class ModalHost {
 public:
  virtual ~ModalHost() = default;

  // Builds the dialog's window from its template, runs it until a handler ends it and
  // returns the end code (kIdOk, kIdCancel, ...).
  virtual int DoModal(Dialog& dialog) = 0;

  // The platform's Save As dialog, opening on `lastPath` when it is not empty. Returns the
  // accepted full path, or nothing when the user cancelled.
  virtual std::optional<std::string> RunSaveAs(const SaveAsSettings& settings,
                                               const std::string& lastPath) = 0;

  // The platform's Open dialog for choosing several existing files, opening in `folder` when it
  // is not empty. Returns the chosen full paths (UTF-8), none when the user cancelled.
  virtual std::vector<std::string> RunOpenFiles(const std::string& caption,
                                                const std::string& folder) = 0;

  // A modal question with one button per answer ("&" marks a button's mnemonic). Returns the
  // index of the button pressed, or nothing when the box was closed without an answer.
  virtual std::optional<int> Ask(const std::string& text, const std::string& caption,
                                 std::span<const std::string> buttons) = 0;
};

}  // namespace quillet
