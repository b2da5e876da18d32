#pragma once

#include <optional>
#include <string>

#include "analysis/analysis_input.h"
#include "analysis/analysis_result.h"
#include "analysis/criteria.h"
#include "analysis/result_texts.h"
#include "ui/analysis_form.h"
#include "ui/command_context.h"
#include "ui/report_session.h"

namespace quillet {

inline constexpr char kNoFileNameText[] = "Please enter some file name in the 'Save As...' dialog!";
inline constexpr char kNoFileNameCaption[] = "No File name entered";
inline constexpr char kReportNotWrittenCaption[] = "Report not written";
inline constexpr char kNothingAddedText[] = "No report file was chosen; nothing was added.";

// Records a calculation in the report file when "Save work?" is ticked. With no file chosen
// yet it asks for one and runs the save setup instead, writing nothing. Otherwise it writes
// the analysis: analysis number 1 starts with the header block, later ones are appended.
//
// Returns the text of a message for the user when the file could not be opened or written
// (it names the file and the system's reason); the caller shows it once the calculation's
// results are on screen. Nothing is returned when all went well or nothing was to be written.
// `texts` are TextsOf(result), made once for the fields and the report.
std::optional<std::string> SaveReport(const AnalysisInput& input, const AnalysisResult& result,
                                      const ResultTexts& texts, AnalysisForm& form,
                                      ReportSession& report, CommandContext& ctx);

// "Add to report" of a ranking by information criteria: the user asked for it, so it is written
// whether "Save work?" is ticked or not, as the next numbered analysis, placed as SaveReport
// places a calculation; with no file chosen yet the save setup runs first, and the ranking is
// written to the file it chooses. Returns the message for the user when nothing was written:
// the file could not be, or no file was chosen.
std::optional<std::string> SaveModelSelection(const CriteriaTable& table, AnalysisForm& form,
                                              ReportSession& report, CommandContext& ctx);

// True when SaveReport will take its writing path: saving on and a report file chosen.
bool WillWriteReport(const AnalysisForm& form, const ReportSession& report);

// Restarts the analysis numbering without forgetting the file: the next written analysis is
// number 1 and begins with a new header block, appended to what the file holds. Clear All
// calls this.
void RestartReportNumbering(ReportSession& report);

// Starts afresh with a newly accepted report file: numbering restarts at 1 and the next
// written analysis empties the file first (the Save As dialog asked the user about a file that
// held text).
void StartNewReportFile(ReportSession& report);

}  // namespace quillet
