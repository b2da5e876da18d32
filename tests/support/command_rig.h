#pragma once

#include <string>

#include "support/fake_window.h"
#include "support/fixed_clock.h"
#include "support/scripted_host.h"
#include "support/scripted_steps.h"
#include "ui/analysis_form.h"
#include "ui/command_context.h"
#include "ui/comments_dlg.h"
#include "ui/file_name.h"
#include "ui/report_session.h"

namespace quillet::testing {

// A form and the main window's report session with a fake window, a scripted dialog host and
// a clock fixed at Tue Nov 14 09:05:03 2000, wired together as a command of the main window
// sees them.
struct CommandRig {
  AnalysisForm form;
  ReportSession report;
  FakeWindow window;
  ScriptedHost host;
  FixedClock clock{MakeTime(2000, 11, 14, 9, 5, 3, 2)};
  CommandContext ctx{window, host, clock};

  // Copies the form to the window, as the end of the previous command left it.
  void Show() { form.UpdateData(window, false); }

  // The File Name command with the window showing the form: Save As accepts `path`, and the
  // comments dialog is closed with OK after `comment` was typed into it.
  void ChooseReportFile(const std::string& path, const std::string& comment) {
    Show();
    host.saveAsAnswers.push_back(path);
    host.dialogSteps.push_back(
        TypeAndPress(CCommentsDlg::kIdComments, comment, CCommentsDlg::kIdOkButton));
    OnFileName(form, report, ctx);
  }
};

}  // namespace quillet::testing
