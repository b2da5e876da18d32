#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "lrt_run.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

using quillet::testing::TempDir;
using testing::LrtRun;
using testing::RunLrt;

// The ranking of three models given on the command line, with 3 taxa (3 branch lengths) and 10
// sites. JC k 3, K2P k 4, F81 k 6: AIC 206, 206, 216; AICc 206 + 24/6, 206 + 40/5, 216 + 84/3;
// BIC -2 lnL + k ln 10. A tie goes to the model with fewer parameters.
const std::vector<std::string> kThree = {"--criteria", "--taxa",  "3",       "--sites",
                                         "10",         "--model", "JC=-100", "--model",
                                         "K2P=-99.0",  "--model", "F81=-102"};

TEST(CriteriaCommandTest, TsvOfTheRanking) {
  std::vector<std::string> args = kThree;
  args.push_back("--tsv");
  const LrtRun run = RunLrt(args);
  EXPECT_EQ(run.status, kExitOk);
  // F81 is JC with base frequencies of its own, and fits worse here: the user is told.
  EXPECT_EQ(run.err,
            "quillet-lrt: F81 (ln L -102) fits worse than JC (ln L -100), a special case of it: "
            "that fit did not reach its maximum; refit it\n");
  EXPECT_EQ(run.out,
            "model\tlnL\tk\tAIC\tdAIC\twAIC\tAICc\tdAICc\twAICc\tBIC\tdBIC\twBIC\n"
            "JC\t-100\t3\t206.0000\t0.0000\t0.498321\t210.0000\t0.0000\t0.880797\t206.9078\t"
            "0.0000\t0.536516\n"
            "K2P\t-99.0\t4\t206.0000\t0.0000\t0.498321\t214.0000\t4.0000\t0.119203\t207.2103\t"
            "0.3026\t0.461187\n"
            "F81\t-102\t6\t216.0000\t10.0000\t0.00335766\t244.0000\t34.0000\t3.64644e-08\t"
            "217.8155\t10.9078\t0.00229612\n");
}

// The table as the terminal shows it, and as the report holds it after its header.
TEST(CriteriaCommandTest, TableOnTheTerminalAndInTheReport) {
  TempDir dir;
  const std::string report = dir.File("r.txt");
  std::vector<std::string> args = kThree;
  args.insert(args.end(), {"--report", report, "--comment", "C"});
  const LrtRun run = RunLrt(args);
  EXPECT_EQ(run.status, kExitOk);
  const std::string table =
      "Model               ln L    k         AIC        dAIC      w         AICc       dAICc"
      "      w          BIC        dBIC      w\n"
      "JC                  -100    3    206.0000*     0.0000 0.4983+    210.0000*     0.0000 "
      "0.8808+    206.9078*     0.0000 0.5365+\n"
      "K2P                -99.0    4    206.0000      0.0000 0.4983+    214.0000      4.0000 "
      "0.1192+    207.2103      0.3026 0.4612+\n"
      "F81                 -102    6    216.0000     10.0000 0.0034     244.0000     34.0000 "
      "0.0000     217.8155     10.9078 0.0023\n";
  const std::string summary =
      "n = 10 sites, T = 3 taxa; k = the model's own parameters + 3 branch lengths.\n"
      "Weights over the 3 models ranked here.\n"
      "* selected, + in the 95% confidence set.\n"
      "Selected by AIC: JC, AICc: JC, BIC: JC\n";
  EXPECT_EQ(run.out, table + "\n" + summary);
  EXPECT_EQ(quillet::testing::ReadTextFile(report),
            std::string("Quillet v. 2.0 (see help file for details)\n"
                        "-------------------------------------------\n\n"
                        "Analyses done: Tue Nov 14 09:05:03 2000\n\n\nC/d\n\nAnalysis number 1 \n"
                        "---------------\n\n*** Model selection ***\n\n" +
                        table + "\n" + summary.substr(0, summary.size() - 1)));
}

// What the program answers: its exit status and a piece of what it prints on stderr.
TEST(CriteriaCommandTest, RefusalsAndNotes) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const Row rows[] = {
      {"NoSites",
       {"--criteria", "--taxa", "3", "--model", "JC=-1"},
       kExitOk,
       "the number of sites is not known (--sites N): AICc and BIC are left out"},
      {"NoTaxa", {"--criteria", "--model", "JC=-1"}, kExitUsage, "needs the number of taxa"},
      {"TooFewTaxa", {"--criteria", "--taxa", "2", "--model", "JC=-1"}, kExitUsage, "3 or more"},
      {"NoModels", {"--criteria", "--taxa", "3"}, kExitUsage, "--criteria needs the models"},
      {"SameModelTwice",
       {"--criteria", "--taxa", "3", "--model", "JC=-1", "--model", "JC=-2"},
       kExitUsage,
       "JC is given twice"},
      {"AWorseNestedFit",
       {"--criteria", "--taxa", "3", "--model", "JC+G=-10", "--model", "JC+I+G=-12"},
       kExitOk,
       "JC+I+G (ln L -12) fits worse than JC+G (ln L -10)"},
      {"WithATest",
       {"--criteria", "--gamma", "-1,-2", "--model", "JC=-1"},
       kExitUsage,
       "--criteria ranks the models the files or --model give and runs no test; leave out "
       "--gamma"},
      {"BestWithoutEach",
       {"--criteria", "--best", "--taxa", "3", "--model", "JC=-1"},
       kExitUsage,
       "--best gives one line per locus of a ranking; use it with --each --criteria"},
      {"SitesWithoutCriteria",
       {"--sites", "5", "--gamma", "-1,-2"},
       kExitUsage,
       "--sites is for the ranking of --criteria"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const LrtRun run = RunLrt(row.args);
    EXPECT_EQ(run.status, row.status);
    EXPECT_NE(run.err.find(row.err), std::string::npos) << run.err;
  }
}

// Every locus ranked from its own file, with its own numbers of taxa and sites; a file that
// does not state the taxa has no ranking, and says so.
TEST(CriteriaCommandTest, EachLocusAndTheBestOfEach) {
  TempDir dir;
  const std::string report =
      "IQ-TREE 2.0.3 built Dec 20 2020\n\nInput data: 4 sequences with 16 nucleotide sites\n"
      "Number of constant sites: 3\n\nModelFinder\n-----------\n\n"
      "List of models sorted by BIC scores: \n\n"
      "Model             LogL          AIC      w-AIC      AICc     w-AICc       BIC      w-BIC\n"
      "JC                -60.0000    130.0000 + 0.5    136.0000 + 0.5    133.8600 + 0.5\n"
      "GTR+F+I+G4        -40.0000    110.0000 + 0.5    150.0000 + 0.5    121.5900 + 0.5\n\n"
      "AIC, w-AIC   : Akaike information criterion scores and weights.\n";
  quillet::testing::WriteWholeFile(dir.File("a.iqtree"), report);
  quillet::testing::WriteWholeFile(dir.File("b.tsv"), "Model\tlnL\nJC\t-5\n");
  const LrtRun rows = RunLrt({"--each", "--criteria", dir.File("a.iqtree"), dir.File("b.tsv")});
  EXPECT_EQ(rows.status, kExitNotAllRan);
  EXPECT_EQ(rows.out.substr(0, rows.out.find('\n')),
            "locus\tmodel\tlnL\tk\tAIC\tdAIC\twAIC\tAICc\tdAICc\twAICc\tBIC\tdBIC\twBIC");
  // 4 taxa, 5 branch lengths: JC k 5, GTR+I+G k 15, whose AICc 16 sites cannot give.
  EXPECT_NE(rows.out.find("\na\tGTR+I+G\t-40.0000\t15\t110.0000\t0.0000\t"), std::string::npos)
      << rows.out;
  EXPECT_NE(rows.out.find("\ta\tGTR+I+G"), 0u);
  EXPECT_NE(rows.err.find("b: the file does not state the number of taxa"), std::string::npos)
      << rows.err;

  const LrtRun best = RunLrt({"--each", "--criteria", "--best", dir.File("a.iqtree")});
  EXPECT_EQ(best.status, kExitOk);
  EXPECT_EQ(best.out.substr(0, best.out.find('\n')),
            "locus\tsites\ttaxa\tAIC_model\twAIC\tAICc_model\twAICc\tBIC_model\twBIC");
  // AIC 130 and 110: weight 1/(1 + e^-10); AICc only for JC; BIC 120 + 5 ln 16 and 80 + 15 ln 16.
  EXPECT_EQ(best.out.substr(best.out.find('\n') + 1),
            "a\t16\t4\tGTR+I+G\t0.999955\tJC\t1\tGTR+I+G\t0.997843\n");
}

}  // namespace
}  // namespace quillet::cli
