#include "report/save_report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "analysis/models.h"
#include "platform/format.h"
#include "report/file_name.h"
#include "report/time_stamp.h"

namespace quillet {

namespace {

// A text-mode file written item by item. The first failure (of the open, of any write or of
// the close) is kept with the system's reason; after it nothing more is attempted.
class ReportStream {
 public:
  ReportStream(const std::string& path, const char* mode) {
    errno = 0;
    file_ = std::fopen(path.c_str(), mode);
    if (!file_) Fail();
  }
  ReportStream(const ReportStream&) = delete;
  ReportStream& operator=(const ReportStream&) = delete;
  ~ReportStream() {
    if (file_) std::fclose(file_);
  }

  bool IsOpen() const { return file_ != nullptr; }

  // Whether the file already holds anything (append mode leaves it as it was).
  bool HoldsText() {
    if (!file_ || std::fseek(file_, 0, SEEK_END) != 0) return false;
    return std::ftell(file_) > 0;
  }

  void Write(std::string_view text) {
    if (!file_ || failed_ || text.empty()) return;
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) Fail();
  }

  // Closes the file; a buffered write that fails here (a full disk) is a failure too.
  void Close() {
    if (!file_) return;
    errno = 0;
    bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
    if (!flushed) Fail();
    int closeErrno = 0;
    errno = 0;
    if (std::fclose(file_) != 0) closeErrno = errno;
    file_ = nullptr;
    if (!failed_ && closeErrno != 0) {
      failed_ = true;
      reason_ = std::strerror(closeErrno);
    }
  }

  bool Failed() const { return failed_; }
  const std::string& Reason() const { return reason_; }

 private:
  void Fail() {
    if (failed_) return;
    failed_ = true;
    reason_ = errno != 0 ? std::strerror(errno) : "unknown error";
  }

  std::FILE* file_ = nullptr;
  bool failed_ = false;
  std::string reason_;
};

// "%-8.2f" of a log-likelihood.
std::string LnL(float value) { return FormatFixedLeft(value, 2, 8); }

void WriteTestTexts(ReportStream& out, const std::string& lrt, const std::string& crit,
                    const std::string& result) {
  out.Write("  LRT = " + PadRight(lrt, 8));
  out.Write("  crit. value = " + PadRight(crit, 8));
  out.Write("  Result: " + result);
}

void WriteExtras(ReportStream& out, const ModelFields& model) {
  if (model.gamma == 1) out.Write("  with gamma     ");
  if (model.invar == 1) out.Write("  with invariants");
}

void WriteLnLLine(ReportStream& out, Model model, float lnL) {
  // Names padded to six characters before "lnL".
  out.Write("\n" + PadRight(ModelName(model), 6) + "lnL = " + LnL(lnL));
}

void WriteModelSection(ReportStream& out, AnalysisForm& form, bool first) {
  out.Write("\n\n*** Model test results ***");
  if (!first) out.Write("\n------------------\n");
  Model reference;
  if (!FindReference(form, reference)) return;

  bool afterReference = false;
  for (Model model : kReportOrder) {
    ModelFields row = FieldsOf(form, model);
    if (model == reference) {
      WriteLnLLine(out, model, row.lnL);
      WriteExtras(out, row);
      afterReference = true;
    } else if (afterReference && row.selected == 1) {
      WriteLnLLine(out, model, row.lnL);
      WriteTestTexts(out, *row.lrt, *row.crit, *row.result);
      WriteExtras(out, row);
    }
  }
}

}  // namespace

bool WillWriteReport(const AnalysisForm& form) {
  return form.m_bSaveWork == 1 && !form.m_dlgSave.GetPathName().empty();
}

void RestartReportNumbering(AnalysisForm& form) { form.m_nAnalysis = 1; }

void StartNewReportFile(AnalysisForm& form) {
  form.m_nAnalysis = 1;
  form.m_bNewReportFile = true;
}

std::optional<std::string> SaveReport(AnalysisForm& form, CommandContext& ctx) {
  if (form.m_bSaveWork != 1) return std::nullopt;

  const std::string& chosen = form.m_dlgSave.GetPathName();
  if (chosen.empty()) {
    ctx.window.MessageBox(kNoFileNameText, kNoFileNameCaption);
    OnFileName(form, ctx);
    return std::nullopt;
  }
  form.m_strSavePath = chosen;
  const std::string stamp = FormatTimeStamp(ctx.clock.LocalNow());
  const bool first = form.m_nAnalysis == 1;

  std::optional<ReportStream> out;
  if (first) {
    // Only the first analysis after a file was accepted in the Save As dialog empties it;
    // a restart of the numbering (Clear All) appends a new header block instead.
    const bool empty = form.m_bNewReportFile;
    form.m_bNewReportFile = false;
    out.emplace(form.m_strSavePath, empty ? "w" : "a");
    form.m_strComments = form.m_dlgComments.m_strComments;
    if (!empty && out->HoldsText()) out->Write("\n\n\n");
    out->Write("Quillet v. 2.0 (see help file for details)\n");
    out->Write("-------------------------------------------\n\n");
    out->Write("Analyses done: " + stamp + "\n\n");
    out->Write(form.m_strComments);
    out->Write(form.m_szStartDir);
    out->Write("\n\nAnalysis number " + FormatInt(form.m_nAnalysis) + " \n");
  } else {
    out.emplace(form.m_strSavePath, "a");
    out->Write("\n\n\nAnalysis number " + FormatInt(form.m_nAnalysis) + "\n");
  }

  out->Write("---------------\n");
  out->Write("p-value used: " + FormatFixed(form.m_fPValue, 6) + "\n");

  if (form.m_bTestClock == 1 && form.m_bClockValid == 1) {
    out->Write("\n\n*** Clock test results ***");
    out->Write("\n\nNumber of taxa: " + FormatInt(form.m_nTaxa));
    out->Write("\nwithout clock: " + LnL(form.m_fLnLNoClock));
    out->Write("\nwith clock:    " + LnL(form.m_fLnLClock));
    WriteTestTexts(*out, form.m_strClockLrt, form.m_strClockCrit, form.m_strClockResult);
  }

  if (form.m_bTestGamma == 1 && form.m_bGammaValid == 1) {
    out->Write("\n\n*** Gamma test results ***");
    if (!first) out->Write("\n------------------");
    out->Write("\n\nwith gamma:    " + LnL(form.m_fLnLGamma));
    out->Write("\nwithout gamma: " + LnL(form.m_fLnLNoGamma));
    WriteTestTexts(*out, form.m_strGammaLrt, form.m_strGammaCrit, form.m_strGammaResult);
  }

  if (form.m_bTestModels == 1) WriteModelSection(*out, form, first);

  out->Close();
  if (!out->Failed()) return std::nullopt;
  return "The analysis could not be written to the report file\n" + form.m_strSavePath + "\n\n" +
         out->Reason();
}

}  // namespace quillet
