#pragma once

#include <string>

#include "platform/modal_host.h"

namespace quillet {

inline constexpr char kReportExistsCaption[] = "Report file exists";

// The report's Save As dialog: a save dialog with default extension "txt", no filter and the
// read-only box hidden. It remembers the file accepted last, which is the only record of which
// file is the report. A file that already holds text is not silently replaced: the user
// chooses between adding to it, replacing it and choosing again.
class Csalvando {
 public:
  Csalvando() { m_settings.overwritePrompt = false; }  // the question below takes its place

  // Runs the dialog, opening on the file accepted last; kIdOk when a file was accepted.
  int DoModal(ModalHost& host);

  // Full path of the file accepted last; empty until the first acceptance.
  const std::string& GetPathName() const { return m_strPathName; }

  // The file accepted last held text and the user chose to add to it.
  bool AppendChosen() const { return m_bAppend; }

  SaveAsSettings m_settings;

 private:
  std::string m_strPathName;
  bool m_bAppend = false;
};

}  // namespace quillet
