#include "report/file_name.h"

#include <array>
#include <functional>
#include <string>

#include "report/save_report.h"

namespace quillet {

namespace {

// The result texts shown in static controls: the user never edits them, but while a
// calculation is running the window still shows those of before. Copying the window into the
// form must not bring the old ones back over the results just computed.
std::array<std::reference_wrapper<std::string>, 21> ResultTexts(AnalysisForm& f) {
  return {f.m_strLrtF81,     f.m_strLrtHKY85,  f.m_strLrtJC,     f.m_strLrtK2P,
          f.m_strLrtTrN,     f.m_strCritF81,   f.m_strCritHKY85, f.m_strCritJC,
          f.m_strCritK2P,    f.m_strCritTrN,   f.m_strResultF81, f.m_strResultHKY85,
          f.m_strResultJC,   f.m_strResultK2P, f.m_strResultTrN, f.m_strClockResult,
          f.m_strClockLrt,   f.m_strClockCrit, f.m_strGammaCrit, f.m_strGammaLrt,
          f.m_strGammaResult};
}

}  // namespace

void OnFileName(AnalysisForm& form, CommandContext& ctx) {
  if (form.m_dlgSave.DoModal(ctx.host) != kIdOk) return;

  // A field that does not parse has shown its message; the setup goes on regardless.
  std::array<std::string, 21> kept;
  auto texts = ResultTexts(form);
  for (std::size_t i = 0; i < texts.size(); ++i) kept[i] = texts[i].get();
  form.UpdateData(ctx.window, true);
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i].get() = std::move(kept[i]);

  StartNewReportFile(form);

  if (ctx.host.DoModal(form.m_dlgComments) != kIdOk) return;
  form.UpdateData(ctx.window, false);
}

}  // namespace quillet
