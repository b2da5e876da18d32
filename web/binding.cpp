// The page's way into the core: each function takes and returns plain JavaScript objects and
// calls what the window and quillet-lrt call. Nothing here decides anything about the data;
// it only carries values in and results out. The shapes are described in web/README.md.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analyze.h"
#include "analysis/classic_model.h"
#include "cli/critical_value_cache.h"
#include "cli/list_command.h"
#include "cli/locus_names.h"
#include "cli/locus_outcome.h"
#include "cli/lrt_request.h"
#include "cli/tsv.h"
#include "import/gamma_pair.h"
#include "import/import_builder.h"
#include "import/import_choice.h"
#include "import/import_table.h"
#include "import/likelihood_import.h"
#include "platform/format.h"
#include "report/report_entry.h"
#include "report/time_stamp.h"
#include "ui/analysis_form.h"
#include "ui/form_data.h"
#include "ui/import_choices.h"
#include "ui/import_dlg.h"
#include "web/page_form.h"
#include "web/page_window.h"

namespace quillet::web {

using emscripten::val;

namespace {

// ---- plain values

val Text(const std::optional<std::string>& text) { return text ? val(*text) : val::null(); }

val Texts(const std::vector<std::string>& texts) {
  val array = val::array();
  for (const std::string& text : texts) array.call<void>("push", text);
  return array;
}

std::vector<std::string> StringsOf(const val& array) {
  std::vector<std::string> strings;
  const auto n = array["length"].as<unsigned>();
  for (unsigned i = 0; i < n; ++i) strings.push_back(array[i].as<std::string>());
  return strings;
}

// A Uint8Array's bytes, copied into the module's memory in one step.
std::string BytesOf(const val& array) {
  const auto size = array["length"].as<std::size_t>();
  std::string bytes(size, '\0');
  val view(emscripten::typed_memory_view(size, reinterpret_cast<unsigned char*>(bytes.data())));
  view.call<void>("set", array);
  return bytes;
}

// The lines of a tab-separated text, each as an array of its fields.
val TsvTable(const std::string& text) {
  val rows = val::array();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    val cells = val::array();
    std::size_t field = start;
    for (std::size_t tab; (tab = text.find('\t', field)) < end; field = tab + 1) {
      cells.call<void>("push", text.substr(field, tab - field));
    }
    cells.call<void>("push", text.substr(field, end - field));
    rows.call<void>("push", cells);
    start = end + 1;
  }
  return rows;
}

// ---- files

// A file as the page hands it over: { name, size, bytes } (bytes a Uint8Array, which the page
// leaves out of a file too large to read).
FileImport ReadPageFile(const val& file) {
  const auto name = file["name"].as<std::string>();
  const auto size = static_cast<std::uintmax_t>(file["size"].as<double>());
  if (const std::optional<std::string> problem = SizeProblem(size)) {
    return ImportBuilder(name, "").Refuse(*problem);
  }
  return ReadLikelihoodText(BytesOf(file["bytes"]), name);
}

std::vector<FileImport> ReadPageFiles(const val& files) {
  std::vector<FileImport> read;
  const auto n = files["length"].as<unsigned>();
  for (unsigned i = 0; i < n; ++i) read.push_back(ReadPageFile(files[i]));
  return read;
}

val ValueView(const ImportedValue& value) {
  val v = val::object();
  v.set("model", CanonicalName(value.model));
  v.set("lnL", value.lnL);
  v.set("source", value.source);
  return v;
}

val FileView(const FileImport& file) {
  val f = val::object();
  f.set("source", file.source);
  f.set("format", file.format);
  f.set("refusal", Text(file.refusal));
  f.set("taxa", file.taxa ? val(*file.taxa) : val::null());
  f.set("leftOut", file.leftOut);
  f.set("notes", Texts(file.notes));
  val values = val::array();
  for (const ImportedValue& value : file.values) values.call<void>("push", ValueView(value));
  f.set("values", values);
  val conflicts = val::array();
  for (const ValueConflict& c : file.conflicts) conflicts.call<void>("push", DescribeConflict(c));
  f.set("conflicts", conflicts);
  return f;
}

// ---- the form

// The form read as the window reads it, stopping at the first field that does not parse.
struct ReadForm {
  AnalysisForm form;
  val problem = val::null();  // { field, message } when a field did not parse
};

val Problem(const std::string& field, const std::string& message) {
  val p = val::object();
  p.set("field", field);
  p.set("message", message);
  return p;
}

ReadForm ReadPageForm(const val& pageForm) {
  ReadForm read;
  PageWindow window;
  FormToWindow(pageForm, window);
  if (!read.form.UpdateData(window, true)) {
    const std::string message = window.messages().empty() ? "" : window.messages().front().text;
    read.problem = Problem(FieldOfControl(window.focus()), message);
  }
  return read;
}

std::string FieldOf(InputField field) {
  switch (field) {
    case InputField::kPValue:
      return "pValue";
    case InputField::kTaxa:
      break;
  }
  return "taxa";
}

// ---- results

val NoticesView(const std::vector<Notice>& notices) {
  val array = val::array();
  for (const Notice& notice : notices) {
    val n = val::object();
    n.set("text", notice.text);
    n.set("caption", notice.caption);
    array.call<void>("push", n);
  }
  return array;
}

val TestView(const char* test, const std::string& model, const LrtOutcome& outcome) {
  const LrtTexts texts = TextsOf(outcome);
  val t = val::object();
  t.set("test", std::string(test));
  t.set("model", model);
  t.set("df", outcome.df);
  t.set("statistic", outcome.statistic);
  t.set("critical", outcome.critical);
  t.set("pValue", outcome.pValue);
  t.set("rejected", outcome.rejected);
  t.set("lrt", texts.lrt);
  t.set("crit", texts.crit);
  t.set("result", texts.result);
  return t;
}

// The tests in the order of the TSV's rows, whose fields each takes along.
val TestsView(const AnalysisInput& in, const AnalysisResult& result, const val& rows) {
  val tests = val::array();
  if (result.clock) tests.call<void>("push", TestView("clock", "", *result.clock));
  if (result.gamma) tests.call<void>("push", TestView("gamma", "", *result.gamma));
  for (const ModelComparison& c : result.models.compared) {
    const ModelEntry& entry = in[c.model];
    const std::string model = CanonicalName({c.model, entry.invariants, entry.gamma});
    tests.call<void>("push", TestView("models", model, c.outcome));
  }
  const auto n = tests["length"].as<unsigned>();
  for (unsigned i = 0; i < n; ++i) tests[i].set("tsv", rows[i + 1]);
  return tests;
}

// The report's time stamp from the page's clock: { year, month (1-12), day, hours, minutes,
// seconds, weekday (0 Sunday) }.
std::string TimeStampOf(const val& time) {
  std::tm tm{};
  tm.tm_year = time["year"].as<int>() - 1900;
  tm.tm_mon = time["month"].as<int>() - 1;
  tm.tm_mday = time["day"].as<int>();
  tm.tm_hour = time["hours"].as<int>();
  tm.tm_min = time["minutes"].as<int>();
  tm.tm_sec = time["seconds"].as<int>();
  tm.tm_wday = time["weekday"].as<int>();
  return FormatTimeStamp(tm);
}

// ---- exported functions

val FormView(const AnalysisForm& form) {
  PageWindow window;
  AnalysisForm copy = form;
  copy.UpdateData(window, false);
  return FormFromWindow(window);
}

// The form as the window opens: every field as its exchange shows it, the three analyses
// ticked.
val InitialForm() {
  AnalysisForm form;
  form.m_bTestClock = form.m_bTestModels = form.m_bTestGamma = 1;
  return FormView(form);
}

// The form as Clear All leaves it: every value the form starts with, no analysis ticked.
val ClearedForm() { return FormView(AnalysisForm{}); }

// Calculate: the form read as the window reads it, the calculation, its texts and notices,
// the TSV quillet-lrt --tsv prints for it, and the text the window adds to its report.
// `report` is { number, comment, time }: number 1 brings the header block.
val Calculate(const val& pageForm, const val& report) {
  val out = val::object();
  ReadForm read = ReadPageForm(pageForm);
  out.set("problem", read.problem);
  if (!read.problem.isNull()) return out;

  const AnalysisInput in = InputFromForm(read.form);
  const AnalysisResult result = Analyze(in);
  if (result.refusal) {
    out.set("problem", Problem(FieldOf(result.refusal->field), result.refusal->message));
    return out;
  }
  out.set("notices", NoticesView(result.notices));
  out.set("anyTestRan", result.AnyTestRan());
  out.set("everyTestRan", EveryTestRan(in, result));
  const std::string tsv = cli::TsvHeader() + cli::TsvRows(in, result);
  out.set("tsv", tsv);
  out.set("tests", TestsView(in, result, TsvTable(tsv)));
  if (result.models.reference) {
    const ModelEntry& entry = in[*result.models.reference];
    out.set("reference", CanonicalName({*result.models.reference, entry.invariants, entry.gamma}));
  } else {
    out.set("reference", val::null());
  }
  if (result.AnyTestRan()) {
    ReportPlacement placement;
    placement.number = report["number"].as<int>();
    if (placement.number == 1) {
      // A browser has no working folder to write into the header.
      placement.header =
          ReportHeader{TimeStampOf(report["time"]), report["comment"].as<std::string>(), ""};
    }
    out.set("reportEntry", ReportEntryText(in, result, placement));
  }
  return out;
}

// Files dropped on the page, read as one data set, shown as the import dialog shows them:
// { problem, files, list, nothing, rows, gammaPairs, taxa, messages }.
val ImportFiles(const val& files, const val& pageForm) {
  val out = val::object();
  ReadForm read = ReadPageForm(pageForm);
  out.set("problem", read.problem);
  if (!read.problem.isNull()) return out;

  const std::vector<FileImport> imports = ReadPageFiles(files);
  val fileViews = val::array();
  for (const FileImport& file : imports) fileViews.call<void>("push", FileView(file));
  out.set("files", fileViews);
  ImportTable table = CombineImports(imports);
  out.set("list", cli::ListHeader() + cli::ListRows(table.values));
  if (table.values.empty() && table.conflicts.empty() && table.taxaReadings.empty()) {
    std::string text = kNothingImportedText;
    if (!table.messages.empty()) text += "\n";
    for (const std::string& message : table.messages) text += "\n" + message;
    out.set("nothing", text);
    return out;
  }
  out.set("nothing", val::null());

  const std::vector<GammaPair> pairs = GammaPairs(table);
  ImportChoices choices = DefaultChoices(table, read.form);
  CImportDlg dialog(std::move(table), SummarizeFiles(imports), std::move(choices));
  PageWindow window;
  dialog.OnInitDialog(window);

  val rows = val::array();
  for (std::size_t r = 0; r < kReportOrder.size(); ++r) {
    const int screenRow = static_cast<int>(r);
    val row = val::object();
    row.set("model", std::string(ModelName(kReportOrder[r])));
    val cells = val::array();
    const std::array<ClassicModel, 4> variants = VariantsOf(kReportOrder[r]);
    for (int c = 0; c < 4; ++c) {
      val cell = val::object();
      cell.set("model", CanonicalName(variants[static_cast<std::size_t>(c)]));
      cell.set("text", window.GetControlText(CImportDlg::CellId(screenRow, c)));
      cells.call<void>("push", cell);
    }
    row.set("cells", cells);
    // The first item leaves the row as it is; the others are the variants by their names.
    const int list = CImportDlg::kIdFirstRowChoice + screenRow;
    row.set("items", Texts(window.ComboItems(list)));
    row.set("selected", window.GetComboSelection(list));
    rows.call<void>("push", row);
  }
  out.set("rows", rows);

  val gamma = val::object();
  gamma.set("items", Texts(window.ComboItems(CImportDlg::kIdGammaPair)));
  val pairViews = val::array();
  pairViews.call<void>("push", val::null());
  for (const GammaPair& pair : pairs) {
    val p = val::object();
    p.set("with", CanonicalName(pair.with));
    p.set("without", CanonicalName(pair.without));
    pairViews.call<void>("push", p);
  }
  gamma.set("pairs", pairViews);
  gamma.set("selected", window.GetComboSelection(CImportDlg::kIdGammaPair));
  out.set("gammaPairs", gamma);

  val taxa = val::object();
  taxa.set("text", window.GetControlText(CImportDlg::kIdTaxa));
  taxa.set("enabled", window.IsEnabled(CImportDlg::kIdTaxa));
  taxa.set("checked", window.GetCheck(CImportDlg::kIdTaxa) == 1);
  out.set("taxa", taxa);
  out.set("messages", window.GetControlText(CImportDlg::kIdMessages));
  return out;
}

std::optional<ClassicModel> ModelOf(const val& name) {
  if (name.isNull() || name.isUndefined()) return std::nullopt;
  return ParseCanonicalName(name.as<std::string>());
}

// Apply in the import dialog: what the chosen values change in the form, as the window's
// Apply puts them there, but with each ln L as the file writes it. `choice` is { rows: { GTR:
// "GTR+I+G" or null, ... }, gamma: { with, without } or null, taxa: boolean }. Returns
// { problem, form: the fields that change, filled: { models, gamma, taxa } }.
val ApplyImport(const val& files, const val& pageForm, const val& choice) {
  val out = val::object();
  ReadForm read = ReadPageForm(pageForm);
  out.set("problem", read.problem);
  if (!read.problem.isNull()) return out;

  const ImportTable table = CombineImports(ReadPageFiles(files));
  ImportChoices choices;
  for (Model model : kReportOrder) {
    choices.rows[static_cast<std::size_t>(model)] = ModelOf(choice["rows"][ModelName(model)]);
  }
  const val gamma = choice["gamma"];
  if (!gamma.isNull() && !gamma.isUndefined()) {
    const std::optional<ClassicModel> with = ModelOf(gamma["with"]);
    const std::optional<ClassicModel> without = ModelOf(gamma["without"]);
    if (with && without) choices.gamma = GammaPair{*with, *without};
  }
  choices.taxa = choice["taxa"].as<bool>();

  AnalysisInput in = InputFromForm(read.form);
  const ImportFill fill = FillInput(choices, table, in);
  val changes = val::object();
  val models = val::object();
  for (Model model : kReportOrder) {
    const auto i = static_cast<std::size_t>(model);
    if (!fill.rows[i]) continue;
    val row = val::object();
    row.set("ticked", in[model].ticked);
    row.set("lnL", FindValue(table, *choices.rows[i])->lnL);
    row.set("gamma", in[model].gamma);
    row.set("invariants", in[model].invariants);
    models.set(ModelName(model), row);
  }
  changes.set("models", models);
  if (fill.AnyRow()) changes.set("testModels", in.testModels);
  if (fill.gamma) {
    changes.set("lnLGamma", FindValue(table, choices.gamma->with)->lnL);
    changes.set("lnLNoGamma", FindValue(table, choices.gamma->without)->lnL);
    changes.set("testGamma", in.testGamma);
  }
  if (fill.taxa) changes.set("taxa", FormatInt(in.taxa));
  out.set("form", changes);
  val filled = val::object();
  filled.set("models", fill.AnyRow());
  filled.set("gamma", fill.gamma);
  filled.set("taxa", fill.taxa);
  out.set("filled", filled);
  return out;
}

// A run over many loci, one file at a time, so that the page can show its progress: the
// options of quillet-lrt --each and the files' names (after "--"), then each file in the order
// given, then the summary quillet-lrt writes on stderr.
class EachRun {
 public:
  EachRun(const EachRun&) = delete;  // `critical_` points at this one's cache
  EachRun& operator=(const EachRun&) = delete;

  EachRun(const val& args, const val& names) {
    std::vector<std::string> arguments = StringsOf(args);
    const std::vector<std::string> files = StringsOf(names);
    arguments.push_back("--");  // a file's name that starts with '-' is still a file
    arguments.insert(arguments.end(), files.begin(), files.end());
    const cli::ParsedCommandLine parsed = cli::ParseCommandLine(arguments);
    error_ = !parsed.error.empty() ? parsed.error : parsed.output;
    if (!parsed.request || parsed.request->mode != cli::LrtMode::kEach) {
      if (error_.empty()) error_ = "not a run over loci";
      return;
    }
    if (!parsed.request->list) {
      if (const std::optional<Refusal> refusal = CheckInput(parsed.request->input)) {
        error_ = refusal->message;
        return;
      }
    }
    request_ = *parsed.request;
    summary_ = std::make_unique<cli::EachSummary>(request_->list);
    for (const std::string& name : files) loci_.push_back({name, {}});
    cli::NameLoci(loci_);
  }

  // The refusal of the options, or empty.
  std::string error() const { return error_; }

  // The header line of the TSV.
  std::string header() const {
    return "locus\t" + (request_ && request_->list ? cli::ListHeader() : cli::TsvHeader());
  }

  // The next locus's file, { name, size, bytes }: its rows of the TSV.
  std::string add(const val& file) {
    if (!request_ || next_ >= loci_.size()) return {};
    const FileImport read = ReadPageFile(file);
    const std::string& locus = loci_[next_++].locus;
    cli::LocusOutcome outcome = request_->list ? cli::ListLocus(locus, read)
                                               : cli::TestLocus(*request_, locus, read, critical_);
    std::string rows = std::move(outcome.rows);
    summary_->Add(locus, std::move(outcome));
    return rows;
  }

  val summary() const { return summary_ ? Texts(summary_->Lines(loci_.size())) : val::array(); }

 private:
  std::string error_;
  std::optional<cli::LrtRequest> request_;
  std::vector<cli::LocusFile> loci_;
  std::size_t next_ = 0;
  std::unique_ptr<cli::EachSummary> summary_;
  cli::CriticalValueCache cache_;
  CriticalValueSource critical_ = [this](float p, int df) { return cache_.At(p, df); };
};

// Every gamma pair of the six models, for a choice over many loci: { value: "GTR+G,GTR" as
// --gamma-pair takes it, text: "GTR+G against GTR" }.
val AllGammaPairs() {
  val pairs = val::array();
  for (Model model : kReportOrder) {
    for (const GammaPair& pair : GammaPairsOf(model)) {
      val p = val::object();
      p.set("value", CanonicalName(pair.with) + "," + CanonicalName(pair.without));
      p.set("text", DescribePair(pair));
      pairs.call<void>("push", p);
    }
  }
  return pairs;
}

}  // namespace

EMSCRIPTEN_BINDINGS(quillet) {
  emscripten::constant("maxImportBytes", static_cast<double>(kMaxImportBytes));
  emscripten::function("allGammaPairs", &AllGammaPairs);
  emscripten::function("initialForm", &InitialForm);
  emscripten::function("clearedForm", &ClearedForm);
  emscripten::function("calculate", &Calculate);
  emscripten::function("importFiles", &ImportFiles);
  emscripten::function("applyImport", &ApplyImport);
  emscripten::class_<EachRun>("EachRun")
      .constructor<const val&, const val&>()
      .function("error", &EachRun::error)
      .function("header", &EachRun::header)
      .function("add", &EachRun::add)
      .function("summary", &EachRun::summary);
}

}  // namespace quillet::web
