#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "analysis/notices.h"
#include "cli/lrt_command.h"
#include "cli/lrt_run.h"
#include "stats/lrt.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

using testing::Contains;
using Outcome = testing::LrtRun;

Outcome Lrt(const std::vector<std::string>& args) { return testing::RunLrt(args); }

// What the program answers: its exit status, and a piece of what it prints on stdout and on
// stderr (empty: that stream stays empty).
TEST(CommandLineTest, ExitStatusAndMessages) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
  };
  const std::string kGammaText =
      "\n\n*** Gamma test results ***\n\nwith gamma:    -10.00  \nwithout gamma: -12.50  ";
  const Row rows[] = {
      {"Help", {"--help"}, kExitOk, "Usage: quillet-lrt", ""},
      {"Version", {"--version"}, kExitOk, "quillet-lrt 2.1\n", ""},
      {"GammaTest", {"--gamma", "-10,-12.5"}, kExitOk, "Analysis number 1 \n", ""},
      {"NumbersReadAsTheWindowReadsThem", {"--gamma", " -1e1\t,-12.50 "}, kExitOk, kGammaText, ""},
      {"NothingAsked", {}, kExitUsage, "", "nothing to calculate"},
      {"UnknownOption", {"--gama", "-1,-2"}, kExitUsage, "", "--gama"},
      {"CommaDecimal", {"--gamma", "-10,5,-12,5"}, kExitUsage, "", "--gamma: '-10,5,-12,5'"},
      {"ClockWithoutTaxa", {"--clock", "-1,-2"}, kExitUsage, "", "--clock needs --taxa"},
      {"TaxaWithoutClock", {"--taxa", "5", "--gamma", "-1,-2"}, kExitUsage, "", "--taxa is for"},
      {"TaxaNotWhole", {"--clock", "-1,-2", "--taxa", "5.5"}, kExitUsage, "", "--taxa: '5.5'"},
      {"TooFewTaxa", {"--clock", "-1,-2", "--taxa", "2"}, kExitUsage, "", kTaxaRangeText},
      {"PValueOne", {"-p", "1", "--gamma", "-1,-2"}, kExitUsage, "", kPValueRangeText},
      {"PValueWord", {"--p-value", "five", "--gamma", "-1,-2"}, kExitUsage, "", "'five'"},
      {"UnknownModel", {"--model", "HKY=-1", "--model", "JC=-2"}, kExitUsage, "", "'HKY' is not"},
      {"ModelWithoutValue", {"--model", "GTR", "--model", "JC=-2"}, kExitUsage, "", "'GTR' needs"},
      {"SameBaseTwice",
       {"--model", "HKY85=-1", "--model", "HKY85+G=-2"},
       kExitUsage,
       "",
       "HKY85 is given twice"},
      {"MissingGammaValue", {"--gamma", "0,-12.5"}, kExitNotAllRan, "", kGammaMissingText},
      {"OneModelOnly", {"--model", "GTR=-10"}, kExitNotAllRan, "", kModelsNeedTwoText},
      {"ModelLeftOut",
       {"--model", "GTR=-10", "--model", "TrN=0", "--model", "JC=-20"},
       kExitNotAllRan,
       "JC    lnL = -20.00",
       "Left out: TrN."},
      {"NoteOnK2PAgainstF81",
       {"--model", "F81=-10", "--model", "K2P=-20"},
       kExitOk,
       "K2P   lnL = -20.00",
       "K2P is not a special case of F81"},
      // In single precision these were -1234567.875 and -1234572.625: LRT 9.50, rejected.
      {"LogLikelihoodsKeepTheirDecimals",
       {"--model", "GTR+G=-1234567.89", "--model", "HKY85+G=-1234572.61"},
       kExitOk,
       "LRT = 9.44      crit. value = 9.4876    Result: NOT rejected",
       ""},
      {"MoreComplexFitWorse",
       {"--gamma", "-3050,-3040"},
       kExitNotAllRan,
       "LRT = -20.00    crit. value = 3.8415    Result: NOT rejected  (p 1.000000)",
       "fits worse than the model without gamma/invariants"},
      {"PositiveLogLikelihood",
       {"--model", "K2P=95", "--model", "JC=-100"},
       kExitUsage,
       "",
       std::string("--model K2P: 95") + kLnLAboveZeroReason},
      {"LogLikelihoodBeyondTheDoubleRange",
       {"--model", "K2P=-1e400", "--model", "JC=-100"},
       kExitUsage,
       "",
       std::string("--model K2P: ") + kLnLNotFiniteReason},
      {"InfiniteClockValue",
       {"--clock", "-inf,-10", "--taxa", "5"},
       kExitUsage,
       "",
       "--clock: '-inf,-10' is not two numbers"},
      {"EmptyReportName",
       {"--report", "", "--gamma", "-1,-2"},
       kExitUsage,
       "",
       "--report: the value is empty"},
      {"LevelBelowSinglePrecision",
       {"-p", "1e-300", "--gamma", "-1000,-1020"},
       kExitUsage,
       "",
       kPValueTooSmallReason},
      {"ReportThatCannotBeWritten",
       {"--gamma", "-10,-12.5", "--report", "/no such folder/r.txt"},
       kExitNotAllRan,
       "Analysis number 1",
       "could not be written to the report file\n/no such folder/r.txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Outcome run = Lrt(row.args);
    EXPECT_EQ(run.status, row.status);
    if (row.out.empty()) {
      EXPECT_EQ(run.out, "");
    } else {
      EXPECT_TRUE(Contains(run.out, row.out)) << run.out;
    }
    if (row.err.empty()) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_TRUE(Contains(run.err, row.err)) << run.err;
      EXPECT_EQ(run.err.rfind("quillet-lrt: ", 0), 0u) << run.err;
    }
  }
}

// One line per test, the numbers exact: they read back to the values the tests used, so what a
// spreadsheet computes from them agrees with the verdicts; the p-value to six significant digits.
TEST(CommandLineTest, TsvHasOneLinePerTest) {
  const Outcome run =
      Lrt({"--tsv", "--clock", "-3062.80,-3050.25", "--taxa", "12", "--gamma", "-3040.10,-3044.35",
           "--model", "GTR+G=-3040.10", "--model", "HKY85+G=-3045.55", "--model", "K2P=-3050.20"});
  ASSERT_EQ(run.status, kExitOk);
  std::istringstream lines(run.out);
  std::vector<std::vector<std::string>> table;
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string>& cells = table.emplace_back();
    std::istringstream fields(line);
    for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
    if (line.back() == '\t') cells.push_back("");
  }
  ASSERT_EQ(table.size(), 5u);
  EXPECT_EQ(table[0], (std::vector<std::string>{"test", "model", "lnL1", "lnL2", "df", "statistic",
                                                "critical_value", "verdict", "p_value",
                                                "p_boundary", "reference", "note"}));
  struct Expected {
    const char* test;
    const char* model;
    double lnL1, lnL2;
    int df;
    const char* reference;
  };
  const Expected expected[] = {{"clock", "", -3050.25, -3062.80, 10, ""},
                               {"gamma", "", -3044.35, -3040.10, 1, ""},
                               {"models", "HKY85+G", -3045.55, -3040.10, 4, "GTR+G"},
                               {"models", "K2P", -3050.20, -3040.10, 8, "GTR+G"}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const std::vector<std::string>& cells = table[i + 1];
    ASSERT_EQ(cells.size(), 12u);
    const Expected& e = expected[i];
    const LrtOutcome o = RunLrt(e.lnL1, e.lnL2, e.df, 0.05f);
    EXPECT_EQ(cells[0], e.test);
    EXPECT_EQ(cells[1], e.model);
    EXPECT_EQ(std::stod(cells[2]), e.lnL1);
    EXPECT_EQ(std::stod(cells[3]), e.lnL2);
    EXPECT_EQ(std::stoi(cells[4]), e.df);
    EXPECT_EQ(std::stof(cells[5]), o.statistic);
    EXPECT_EQ(std::stof(cells[6]), o.critical);
    EXPECT_EQ(cells[7], o.rejected ? "Rejected" : "NOT rejected");
    EXPECT_NEAR(std::stod(cells[8]), o.pValue, 5e-6 * o.pValue);
    EXPECT_EQ(cells[10], e.reference);
    EXPECT_EQ(cells[11], "");
  }
}

}  // namespace
}  // namespace quillet::cli
