#pragma once

#include <string>

#include "ui/comments_dlg.h"
#include "ui/csalvando.h"

namespace quillet {

// The main window's report: which file it is, the comment that heads it, the start-up folder
// and the number of the next analysis. The Save As dialog's path is the only record of the file.
struct ReportSession {
  std::string m_szStartDir;   // the working directory at start-up, written into the header
  std::string m_strComments;  // the comment as last written into a header
  int m_nAnalysis = 1;        // number of the next analysis written to the report
  CCommentsDlg m_dlgComments;
  Csalvando m_dlgSave;
  std::string m_strSavePath;  // the report's path as last taken from the Save As dialog
  // A file was just accepted in the Save As dialog and nothing has been written to it since:
  // the next first analysis empties it. A first analysis after Clear All appends instead, so
  // Clear All never destroys a report.
  bool m_bNewReportFile = false;
  // The text this window last added to the report. A later analysis continues it only while
  // the file still ends with it; after a script's analysis it opens a header block of its own.
  std::string m_strLastWritten;
};

}  // namespace quillet
