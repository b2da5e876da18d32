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
#include "cli/criteria_command.h"
#include "cli/critical_value_cache.h"
#include "cli/list_command.h"
#include "cli/locus_names.h"
#include "cli/locus_outcome.h"
#include "cli/lrt_request.h"
#include "cli/option_values.h"
#include "import/fitted_models.h"
#include "import/gamma_pair.h"
#include "import/import_builder.h"
#include "import/import_choice.h"
#include "import/import_table.h"
#include "import/likelihood_import.h"
#include "platform/format.h"
#include "report/criteria_text.h"
#include "report/report_entry.h"
#include "report/report_text.h"
#include "report/time_stamp.h"
#include "report/tsv.h"
#include "ui/analysis_form.h"
#include "ui/calculate.h"
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
  f.set("sites", file.sites ? val(*file.sites) : val::null());
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

// The tests that ran: the clock test, the gamma test, then the models in the order they were
// compared. (The TSV, in `tsv`, lists them in the report's order.)
val TestsView(const AnalysisInput& in, const AnalysisResult& result) {
  val tests = val::array();
  if (result.clock) tests.call<void>("push", TestView("clock", "", *result.clock));
  if (result.gamma) tests.call<void>("push", TestView("gamma", "", *result.gamma));
  for (const ModelComparison& c : result.models.compared) {
    const ModelEntry& entry = in[c.model];
    const std::string model = CanonicalName({c.model, entry.invariants, entry.gamma});
    tests.call<void>("push", TestView("models", model, c.outcome));
  }
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

  AnalysisInput in = InputFromForm(read.form);
  // The gamma test's values applied from files keep the models they belong to, as quillet-lrt's
  // --gamma-pair does; the page drops the pair when either value is typed over.
  const val pair = pageForm["gammaPair"];
  if (pair.isString() && !pair.as<std::string>().empty()) {
    ImportChoice named;
    std::string error;
    if (cli::ReadGammaPair(pair.as<std::string>(), named, error) && named.gamma) {
      in.gammaModels = std::pair{named.gamma->with, named.gamma->without};
    }
  }
  const AnalysisResult result = Analyze(in);
  if (result.refusal) {
    out.set("problem",
            Problem(FieldOfControl(ControlOf(*result.refusal)), result.refusal->message));
    return out;
  }
  out.set("notices", NoticesView(result.notices));
  out.set("anyTestRan", result.AnyTestRan());
  out.set("everyTestRan", EveryTestRan(in, result));
  const std::string tsv = TsvHeader() + TsvRows(in, result);
  out.set("tsv", tsv);
  out.set("tests", TestsView(in, result));
  if (result.models.reference) {
    const ModelEntry& entry = in[*result.models.reference];
    out.set("reference", CanonicalName({*result.models.reference, entry.invariants, entry.gamma}));
  } else {
    out.set("reference", val::null());
  }
  if (result.AnyTestRan()) {
    // What the window adds to a report of its own: a first analysis after its header block (a
    // browser has no working folder to write into it), a later one after the analyses before.
    const int number = report["number"].as<int>();
    const ReportAnalysis analysis = ReportAnalysisOf(in, result, number);
    const ReportHeader header{TimeStampOf(report["time"]), report["comment"].as<std::string>(), ""};
    out.set("reportEntry", number == 1 ? FormatReportHeader(header) + FormatAnalysis(analysis, true)
                                       : FormatAnalysis(analysis, false));
  }
  return out;
}

// The import dialog over the page's files as the window opens it, then showing item
// `dataSet` of its Data set list when that is another (files that are not one data set).
struct PageImport {
  PageImport(std::vector<FileImport> files, AnalysisForm& form, int dataSet)
      : dialog(std::move(files), RowVariantsOf(form)) {
    dialog.OnInitDialog(window);
    if (dataSet > 0) {
      window.SetComboSelection(CImportDlg::kIdDataSet, dataSet);
      dialog.OnCommand(window, CImportDlg::kIdShowDataSet);
    }
  }
  CImportDlg dialog;
  PageWindow window;
};

val List(const PageWindow& window, int id) {
  val list = val::object();
  list.set("items", Texts(window.ComboItems(id)));
  list.set("selected", window.GetComboSelection(id));
  list.set("enabled", window.IsEnabled(id));
  return list;
}

int IntOr(const val& value, int otherwise) {
  return value.isUndefined() || value.isNull() ? otherwise : value.as<int>();
}

// Files dropped on the page, shown as the import dialog shows them: { problem, files, nothing,
// dataSets, rows, gammaPairs, taxa, messages }. `dataSet` is the item of the Data set list to
// show (0, the first, when the files are one data set).
val ImportFiles(const val& files, const val& pageForm, const val& dataSet) {
  val out = val::object();
  ReadForm read = ReadPageForm(pageForm);
  out.set("problem", read.problem);
  if (!read.problem.isNull()) return out;

  std::vector<FileImport> imports = ReadPageFiles(files);
  val fileViews = val::array();
  for (const FileImport& file : imports) fileViews.call<void>("push", FileView(file));
  out.set("files", fileViews);
  const ImportTable table = CombineImports(imports);
  if (const std::optional<std::string> nothing = NothingImportedMessage(table)) {
    out.set("nothing", *nothing);
    return out;
  }
  out.set("nothing", val::null());

  PageImport import(std::move(imports), read.form, IntOr(dataSet, 0));
  const PageWindow& window = import.window;
  out.set("dataSets", List(window, CImportDlg::kIdDataSet));
  val rows = val::array();
  for (std::size_t r = 0; r < kReportOrder.size(); ++r) {
    const int screenRow = static_cast<int>(r);
    val row = List(window, CImportDlg::kIdFirstRowChoice + screenRow);
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
    rows.call<void>("push", row);
  }
  out.set("rows", rows);
  out.set("gammaPairs", List(window, CImportDlg::kIdGammaPair));
  val taxa = val::object();
  taxa.set("text", window.GetControlText(CImportDlg::kIdTaxa));
  taxa.set("enabled", window.IsEnabled(CImportDlg::kIdTaxa));
  taxa.set("checked", window.GetCheck(CImportDlg::kIdTaxa) == 1);
  out.set("taxa", taxa);
  out.set("messages", window.GetControlText(CImportDlg::kIdMessages));

  // The data set shown, its models ranked as quillet-lrt --criteria ranks a file's.
  const ImportTable& shown = import.dialog.m_table;
  val criteria = val::null();
  if (shown.OneDataSet() && !shown.values.empty()) {
    const cli::DataSetRanking ranking = cli::RankDataSet(
        FittedModelsOf(shown.values), shown.taxa, shown.sites, import.dialog.m_files.size() == 1);
    criteria = val::object();
    criteria.set("tsv", ranking.table ? CriteriaTsvHeader() + CriteriaTsvRows(*ranking.table)
                                      : std::string());
    // The table as quillet-lrt prints it: the selected models marked *, the confidence sets +,
    // and under it n, T, the models the weights are over and the three selected models.
    criteria.set("table", ranking.table ? FormatCriteriaTable(*ranking.table) : std::string());
    criteria.set("summary", ranking.table ? FormatCriteriaSummary(*ranking.table) : std::string());
    criteria.set("notes", Texts(ranking.notes));
  }
  out.set("criteria", criteria);
  return out;
}

// Apply in the import dialog: what the chosen values change in the form, as the window's Apply
// puts them there, with each ln L as the file writes it. `choice` is { dataSet, rows: [the item
// chosen in each row's list, GTR first], gammaPair: the item chosen, taxa: boolean }, the items
// as importFiles listed them. Returns { problem, form: the fields Apply changes, filled:
// { models, gamma, taxa } }.
val ApplyImport(const val& files, const val& pageForm, const val& choice) {
  val out = val::object();
  ReadForm read = ReadPageForm(pageForm);
  out.set("problem", read.problem);
  if (!read.problem.isNull()) return out;

  PageImport import(ReadPageFiles(files), read.form, IntOr(choice["dataSet"], 0));
  PageWindow& window = import.window;
  const val rows = choice["rows"];
  for (int r = 0; r < static_cast<int>(kReportOrder.size()); ++r) {
    window.SetComboSelection(CImportDlg::kIdFirstRowChoice + r, IntOr(rows[r], 0));
  }
  window.SetComboSelection(CImportDlg::kIdGammaPair, IntOr(choice["gammaPair"], 0));
  window.SetCheck(CImportDlg::kIdTaxa, choice["taxa"].as<bool>() ? 1 : 0);
  val changes = val::object();
  val filled = val::object();
  out.set("form", changes);
  out.set("filled", filled);
  if (import.dialog.OnOK(window) != kIdOk) return out;

  const ImportTable& table = import.dialog.m_table;
  const ImportChoices& choices = import.dialog.m_choices;
  AnalysisInput in = InputFromForm(read.form);
  const ImportFill fill = FillInput(choices, table, in);
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
    changes.set("gammaPair",
                CanonicalName(choices.gamma->with) + "," + CanonicalName(choices.gamma->without));
  }
  if (fill.taxa) changes.set("taxa", FormatInt(in.taxa));
  filled.set("models", fill.AnyRow());
  filled.set("gamma", fill.gamma);
  filled.set("taxa", fill.taxa);
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
    if (!parsed.request->list && !parsed.request->criteria) {
      if (const std::optional<Refusal> refusal = CheckInput(parsed.request->input)) {
        error_ = refusal->message;
        return;
      }
    }
    request_ = *parsed.request;
    summary_ = std::make_unique<cli::EachSummary>(request_->list       ? cli::EachKind::kList
                                                  : request_->criteria ? cli::EachKind::kCriteria
                                                                       : cli::EachKind::kTests);
    for (const std::string& name : files) loci_.push_back({name, {}});
    cli::NameLoci(loci_);
  }

  // The refusal of the options, or empty.
  std::string error() const { return error_; }

  // The header line of the TSV.
  std::string header() const {
    if (!request_) return {};
    return "locus\t" + (request_->list ? cli::ListHeader()
                        : request_->criteria
                            ? (request_->best ? BestTsvHeader() : CriteriaTsvHeader())
                            : TsvHeader());
  }

  // The next locus's file, { name, size, bytes }: its rows of the TSV.
  std::string add(const val& file) {
    if (!request_ || next_ >= loci_.size()) return {};
    const FileImport read = ReadPageFile(file);
    const std::string& locus = loci_[next_++].locus;
    cli::LocusOutcome outcome = request_->list ? cli::ListLocus(locus, read)
                                : request_->criteria
                                    ? cli::RankLocus(*request_, locus, read)
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
