#include "ui/file_name.h"

#include <array>
#include <string>

#include "ui/save_report.h"

namespace quillet {

void OnFileName(AnalysisForm& form, ReportSession& report, CommandContext& ctx) {
  if (report.m_dlgSave.DoModal(ctx.host) != kIdOk) return;

  // A field that does not parse has shown its message; the setup goes on regardless. While a
  // calculation runs the window still shows the result texts of before: copying the window
  // into the form must not bring them back over the results just computed.
  const std::array<std::string*, 21> texts = form.ResultTexts();
  std::array<std::string, 21> kept;
  for (std::size_t i = 0; i < texts.size(); ++i) kept[i] = *texts[i];
  form.UpdateData(ctx.window, true);
  for (std::size_t i = 0; i < texts.size(); ++i) *texts[i] = std::move(kept[i]);

  // A new file, or one the user chose to replace, is emptied by the next analysis written; one
  // the user chose to add to gets a new header block after what it holds.
  if (report.m_dlgSave.AppendChosen()) {
    RestartReportNumbering(report);
  } else {
    StartNewReportFile(report);
  }

  if (ctx.host.DoModal(report.m_dlgComments) != kIdOk) return;
  form.UpdateData(ctx.window, false);
}

}  // namespace quillet
