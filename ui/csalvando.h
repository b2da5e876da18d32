#pragma once

#include <string>

#include "platform/modal_host.h"

namespace quillet {

// The report's Save As dialog: a save dialog with default extension "txt", no filter, the
// read-only box hidden and an overwrite prompt. It remembers the file accepted last, which is
// the only record of which file is the report.
class Csalvando {
 public:
  // Runs the dialog, opening on the file accepted last; kIdOk when a file was accepted.
  int DoModal(ModalHost& host);

  // Full path of the file accepted last; empty until the first acceptance.
  const std::string& GetPathName() const { return m_strPathName; }

  SaveAsSettings m_settings;

 private:
  std::string m_strPathName;
};

}  // namespace quillet
