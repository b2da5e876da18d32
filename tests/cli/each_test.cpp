#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "analysis/analyze.h"
#include "cli/critical_value_cache.h"
#include "cli/locus_files.h"
#include "cli/lrt_request.h"
#include "cli/lrt_run.h"
#include "cli/ordered_parallel.h"
#include "cli/progress_bar.h"
#include "report/tsv.h"
#include "stats/chi_square.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

using testing::Columns;
using testing::Contains;
using testing::LrtRun;
using testing::RunLrt;
namespace fs = std::filesystem;

// A locus's fits as a table: GTR and HKY85, each plain and with gamma.
std::string Fits(double gtr) {
  std::ostringstream text;
  text << "Model\tlnL\nGTR\t" << gtr << "\nGTR+G\t" << gtr + 20 << "\nHKY85\t" << gtr - 10
       << "\nHKY85+G\t" << gtr + 5 << "\n";
  return text.str();
}

void Write(const fs::path& file, const std::string& content) {
  fs::create_directories(file.parent_path());
  quillet::testing::WriteWholeFile(file.string(), content);
}

// One locus per file, in the order given, a folder's files by name; a bad file is summed up
// at the end and the others still run; a locus whose tests did not run has a line with empty
// fields and the reason in its note. Rows are "locus test model lnL1" for each TSV line.
TEST(EachLocus, RunsTheTestsForEveryFile) {
  struct Row {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;  // under the temporary folder
    std::vector<std::string> args;                           // "@x" is the path of x
    int status;
    std::string rows;
    std::string err;  // a piece of stderr; empty: nothing there
    int columns = 4;
  };
  const Row rows[] = {
      {"ABadFileInTheMiddle",
       {{"a.tsv", Fits(-1000)}, {"b.tsv", "not a table\n"}, {"c.tsv", Fits(-2000)}},
       {"@a.tsv", "@b.tsv", "@c.tsv"},
       kExitFileRefused,
       "a models HKY85 -1010; b   ; c models HKY85 -2010",
       "1 of 3 files refused:\nquillet-lrt:   "},
      {"AFolderByNameWithoutSubfoldersAndDotFiles",
       {{"d/b.tsv", Fits(-2000)},
        {"d/a.tsv", Fits(-1000)},
        {"d/.hidden", "x"},
        {"d/sub/c.tsv", Fits(-3000)}},
       {"@d"},
       kExitOk,
       "a models HKY85 -1010; b models HKY85 -2010",
       ""},
      {"LociNamedWithoutTheLastExtension",
       {{"cytb.fasta.iqtree.tsv", Fits(-1000)}, {"coi", Fits(-2000)}},
       {"@cytb.fasta.iqtree.tsv", "@coi"},
       kExitOk,
       "cytb.fasta.iqtree models HKY85 -1010; coi models HKY85 -2010",
       ""},
      {"ChosenTestsForEachLocus",
       {{"a.tsv", Fits(-1000)}},
       {"--variant", "+G", "--gamma-pair", "GTR+G,GTR", "@a.tsv"},
       kExitOk,
       "a gamma GTR+G,GTR -1000; a models HKY85+G -995",
       ""},
      {"ALocusWhoseTestsCannotRun",
       {{"a.tsv", Fits(-1000)}, {"b.tsv", "Model\tlnL\nGTR\t-5\n"}},
       {"--gamma-pair", "GTR+G,GTR", "@a.tsv", "@b.tsv"},
       kExitNotAllRan,
       "a gamma GTR+G,GTR -1000; b   ",
       "b: GTR+G (--gamma-pair) is not in the file; the gamma test cannot run"},
      {"ALocusWithOneModel",
       {{"a.tsv", "Model\tlnL\nGTR+G\t-5\nHKY85+G\t-6\n"}},
       {"@a.tsv"},
       kExitNotAllRan,
       "a   ",
       "a: the test of models needs two models; the file gives none with the chosen variants "
       "(it holds +G for 2 models)"},
      {"AFileDisagreeingWithItself",
       {{"a.tsv", Fits(-1000) + "HKY85\t-1200\n"}},
       {"@a.tsv"},
       kExitNotAllRan,
       "a   ",
       "a: different values for HKY85: -1010"},
      {"AGammaModelTheFileDisagreesOn",
       {{"a.tsv", Fits(-1000) + "GTR\t-1100\n"}},
       {"--gamma-pair", "GTR+G,GTR", "@a.tsv"},
       kExitNotAllRan,
       "a   ",
       "a: GTR (--gamma-pair) has different values in the file; the gamma test cannot run"},
      {"AConflictOnAModelNotChosen",
       {{"a.tsv", Fits(-1000) + "GTR+I\t-900\nGTR+I\t-950\n"}},
       {"@a.tsv"},
       kExitOk,
       "a models HKY85 -1010",
       "a: different values for GTR+I: -900"},
      {"AnEmptyFolder", {{"e/.keep", ""}}, {"@e"}, kExitFileRefused, "", "holds no file to read"},
      {"ListingEachFile",
       {{"a.tsv", "Model\tlnL\nJC\t-7.50\n"}, {"b.tsv", "Model\tlnL\nK2P\t-6\n"}},
       {"--list", "@a.tsv", "@b.tsv"},
       kExitOk,
       "a JC -7.50; b K2P -6",
       "",
       3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const quillet::testing::TempDir dir;
    for (const auto& [name, content] : row.files) Write(dir.path() / name, content);
    std::vector<std::string> args = {"--each"};
    for (const std::string& arg : row.args) {
      args.push_back(arg.starts_with("@") ? dir.File(arg.substr(1)) : arg);
    }
    const LrtRun run = RunLrt(args);
    EXPECT_EQ(run.status, row.status) << run.err;
    EXPECT_EQ(Columns(run.out, row.columns), row.rows);
    const std::string header = run.out.substr(0, run.out.find('\n'));
    EXPECT_EQ(header.substr(0, 6), "locus\t");
    EXPECT_FALSE(Contains(run.out.substr(header.size()), "locus\t")) << "one header line";
    if (row.err.empty()) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_TRUE(Contains(run.err, row.err)) << run.err;
    }
  }
}

// Many loci on several threads come out in the order given, the same as on one.
TEST(EachLocus, KeepsTheOrderOnEveryNumberOfThreads) {
  const quillet::testing::TempDir dir;
  for (int i = 0; i < 40; ++i) {
    Write(dir.path() / ("locus" + std::to_string(100 + i) + ".tsv"), Fits(-1000 - i));
  }
  const LrtRun one = RunLrt({"--each", dir.path().string()}, 1);
  ASSERT_EQ(one.status, kExitOk) << one.err;
  EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 1 + 40 * 1);
  for (unsigned workers : {2u, 3u, 8u}) {
    SCOPED_TRACE(workers);
    const LrtRun many = RunLrt({"--each", dir.path().string()}, workers);
    EXPECT_EQ(many.out, one.out);
    EXPECT_EQ(many.err, "");
  }
}

// Where two files would give one name, each is named by its path, so no two loci mix. (The
// files need not exist: whatever is not a folder is taken as a file, to be read later.)
TEST(EachLocus, NamesEveryLocusOnce) {
  struct Row {
    const char* name;
    std::vector<std::string> files;
    std::vector<std::string> loci;
  };
  const Row rows[] = {
      {"ByFileName", {"no-x/a.iqtree", "no-x/b.log", "c"}, {"a", "b", "c"}},
      {"OneNameInTwoFolders",
       {"no-x/gene.iqtree", "no-y/gene.iqtree"},
       {"no-x/gene.iqtree", "no-y/gene.iqtree"}},
      {"AReportAndItsLog",
       {"no-x/run.iqtree", "no-x/run.log", "no-x/other.log"},
       {"no-x/run.iqtree", "no-x/run.log", "other"}},
      {"APathTakenAsNameMeetsAnotherName",
       {"a.b", "no-x/a.iqtree", "no-y/a.b.iqtree"},
       {"a.b", "no-x/a.iqtree", "no-y/a.b.iqtree"}},
      {"AFileGivenTwice", {"no-x/a.iqtree", "no-x/a.iqtree"}, {"a"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const LocusFiles loci = ExpandLocusFiles(row.files);
    EXPECT_TRUE(loci.problems.empty());
    std::vector<std::string> names;
    for (const LocusFile& f : loci.files) names.push_back(f.locus);
    EXPECT_EQ(names, row.loci);
  }
}

// A file name with a tab, a line break or a quote must not add a column or a row in R's
// read.delim or Python's csv: the breaks are escaped, and a quote is read back from a quoted
// field with its quotes doubled.
TEST(EachLocus, KeepsOddFileNamesInOneField) {
  EXPECT_EQ(TsvField("a\tb\nc\rd"), "a\\tb\\nc\\rd");
  EXPECT_EQ(TsvField("\"lead.iqtree"), "\"\"\"lead.iqtree\"");
  EXPECT_EQ(TsvField("say \"x\"\tnow"), "\"say \"\"x\"\"\\tnow\"");
  EXPECT_EQ(TsvField("plain name"), "plain name");
  EXPECT_EQ(WithFirstField("x", "1\t2\n3\t4\n"), "x\t1\t2\nx\t3\t4\n");
  // A run whose tests did not run still has its line, with every column and the reason.
  EXPECT_EQ(TsvReasonRow("no \"GTR\""), "\t\t\t\t\t\t\t\t\t\t\t\"no \"\"GTR\"\"\"\n");
}

// The cached critical values are ChiSquareCritical's to the bit, asked once or again, and a
// whole calculation from them is the same as one without.
TEST(EachLocus, CachedCriticalValuesAreTheSame) {
  CriticalValueCache cache;
  const std::pair<float, int> pairs[] = {{0.05f, 1},   {0.05f, 4}, {0.01f, 1}, {0.05f, 1},
                                         {0.999f, 30}, {1e-7f, 2}, {0.05f, 4}};
  for (const auto& [p, df] : pairs) {
    SCOPED_TRACE(std::to_string(p) + " " + std::to_string(df));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(cache.At(p, df)),
              std::bit_cast<std::uint32_t>(ChiSquareCritical(p, df)));
  }
  AnalysisInput in;
  in.pValue = 0.01f;
  in.testGamma = true;
  in.lnLGamma = -3040.10f;
  in.lnLNoGamma = -3044.35f;
  in.testModels = true;
  in[Model::GTR] = {true, -3040.10f, true, true};
  in[Model::HKY85] = {true, -3045.55f, true, false};
  in[Model::K2P] = {true, -3050.20f, false, false};
  const CriticalValueSource cached = [&cache](float p, int df) { return cache.At(p, df); };
  const AnalysisResult direct = Analyze(in);
  const AnalysisResult fromCache = Analyze(in, cached);
  EXPECT_EQ(TsvRows(in, fromCache), TsvRows(in, direct));
}

// Results come back in the order of the items however many threads share them and however
// far ahead the workers may run; each thread keeps a state of its own.
TEST(EachLocus, ParallelWorkKeepsItsOrder) {
  struct Counter {
    int items = 0;
  };
  for (unsigned workers : {1u, 2u, 4u, 16u}) {
    for (std::size_t window : {std::size_t{1}, std::size_t{3}, std::size_t{100}}) {
      SCOPED_TRACE(std::to_string(workers) + " workers, window " + std::to_string(window));
      std::vector<std::size_t> order;
      std::vector<long long> values;
      ForEachInOrder<Counter>(
          50, workers, window,
          [](Counter& counter, std::size_t i) {
            ++counter.items;
            if (i % 7 == 0) std::this_thread::yield();
            return std::make_pair(static_cast<long long>(i * i), counter.items);
          },
          [&](std::size_t i, std::pair<long long, int>&& result) {
            order.push_back(i);
            values.push_back(result.first);
            EXPECT_GE(result.second, 1);
          });
      ASSERT_EQ(order.size(), 50u);
      for (std::size_t i = 0; i < 50; ++i) {
        EXPECT_EQ(order[i], i);
        EXPECT_EQ(values[i], static_cast<long long>(i * i));
      }
    }
  }
}

// The bar is drawn at most once per interval, never in a run shorter than one, and wiped at
// the end; its line keeps one length.
TEST(EachLocus, ProgressBarDrawsAtMostTenTimesASecond) {
  using namespace std::chrono_literals;
  ProgressBar::TimePoint now{};
  std::ostringstream out;
  ProgressBar bar(out, 10, [&now] { return now; });
  struct Step {
    std::chrono::milliseconds at;
    std::size_t done;
    const char* drawn;  // empty: nothing
  };
  const Step steps[] = {
      {0ms, 1, ""},   {99ms, 2, ""},  {100ms, 3, "\r[#########---------------------]  3/10 files"},
      {150ms, 4, ""}, {199ms, 5, ""}, {200ms, 10, "\r[##############################] 10/10 files"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.at.count());
    out.str("");
    now = ProgressBar::TimePoint{} + step.at;
    bar.Update(step.done);
    EXPECT_EQ(out.str(), step.drawn);
  }
  out.str("");
  bar.Finish();
  EXPECT_EQ(out.str(), "\r" + std::string(44, ' ') + "\r");

  std::ostringstream quick;
  ProgressBar quickBar(quick, 5, [] { return ProgressBar::TimePoint{}; });
  for (std::size_t i = 1; i <= 5; ++i) quickBar.Update(i);
  quickBar.Finish();
  EXPECT_EQ(quick.str(), "");
}

}  // namespace
}  // namespace quillet::cli
