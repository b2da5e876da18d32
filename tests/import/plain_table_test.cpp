#include <gtest/gtest.h>

#include <string>

#include "import/likelihood_import.h"
#include "import/value_list.h"

namespace quillet {
namespace {

using testing::ValueList;

TEST(PlainTable, ReadsModelAndLogLikelihoodColumnsHoweverSeparated) {
  struct Case {
    const char* name;
    const char* text;
    const char* format;
    const char* values;
    int leftOut;
  };
  const Case cases[] = {
      {"comma-separated", "Model,lnL,AIC\nJC,-1000.5,2003\nHKY85+G,-950.25,1910.5\nTIM,-940,1896\n",
       "table (comma-separated)", "JC -1000.5; HKY85+G -950.25", 1},
      {"R write.csv with quotes and row names",
       "\"\",\"model\",\"logLik\"\n\"1\",\"JC\",-1000.5\n\"2\",\"GTR+I+G\",-900.125\n",
       "table (comma-separated)", "JC -1000.5; GTR+I+G -900.125", 0},
      {"R write.table: the header lacks the row names' column",
       "\"model\" \"logLik\"\n\"1\" \"K80+G\" -980.5\n\"2\" \"HKY+G\" -950\n",
       "table (blank-separated)", "K2P+G -980.5; HKY85+G -950", 0},
      {"tab-separated -lnL column", "Model\t-lnL\nK2P\t980.25\nF81+I\t975\n",
       "table (tab-separated)", "K2P -980.25; F81+I -975", 0},
      {"semicolon-separated with a spreadsheet's header",
       "Substitution model;Log likelihood\nTrN;-960.5\n", "table (semicolon-separated)",
       "TrN -960.5", 0},
      {"IQ-TREE's names: a plain HKY is the equal-frequency variant",
       "Model,LogL\nHKY+F+G4,-950.25\nHKY+G4,-990.5\nJC,-1000.5\n", "table (comma-separated)",
       "JC -1000.5; HKY85+G -950.25", 1},
      {"a model given twice at two precisions", "Model,lnL\nJC,-1000.5\nJC,-1000.4999\n",
       "table (comma-separated)", "JC -1000.4999", 0},
      {"byte order mark, comment and blank lines",
       "\xef\xbb\xbfmodel,lnL\n# from my notes\n\nJC,-1\n", "table (comma-separated)", "JC -1", 0},
      {"old Mac line ends", "Model,lnL\rJC,-1000.5\rK2P,-990\r", "table (comma-separated)",
       "JC -1000.5; K2P -990", 0},
      {"a spreadsheet's export where the comma is the decimal mark",
       "Model;lnL\nGTR+G;-3040,10\nHKY85+G;-3045,55\nK2P;-3050\n",
       "table (semicolon-separated, decimal commas)", "K2P -3050; HKY85+G -3045.55; GTR+G -3040.10",
       0},
      {"decimal commas in a tab-separated table with a -lnL column", "Model\t-lnL\nJC\t1000,5\n",
       "table (tab-separated, decimal commas)", "JC -1000.5", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "fits.csv");
    ASSERT_FALSE(file.refusal) << *file.refusal;
    EXPECT_EQ(file.format, c.format);
    EXPECT_EQ(ValueList(file), c.values);
    EXPECT_EQ(file.leftOut, c.leftOut);
    EXPECT_FALSE(file.taxa);
  }
}

TEST(PlainTable, NotesRowsItCannotTake) {
  struct Case {
    const char* name;
    const char* text;
    const char* values;
    const char* note;
  };
  const Case cases[] = {
      // A comma is a decimal mark only where every value uses it.
      {"decimal commas beside decimal points", "Model;lnL\nJC;-1000,5\nK2P;-990.5\n", "K2P -990.5",
       "JC: \"-1000,5\" is not a number; not read"},
      {"thousands separators", "Model;lnL\nJC;-1.000,5\n", "",
       "JC: \"-1.000,5\" is not a number; not read"},
      {"no value", "Model,lnL\nJC,NA\n", "", "JC on line 2 has no value"},
      {"short row", "Model,AIC,lnL\nJC,2000\n", "", "line 2 not understood"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "fits.csv");
    ASSERT_FALSE(file.refusal) << *file.refusal;
    EXPECT_EQ(ValueList(file), c.values);
    ASSERT_EQ(file.notes.size(), 1u);
    EXPECT_EQ(file.notes[0], c.note);
  }
}

// A log-likelihood above zero, or one that is not finite however it is written, has no meaning
// for sequence data: it is left out with a note naming the model, and a file that holds nothing
// else is refused.
TEST(PlainTable, LeavesOutValuesWithoutMeaning) {
  struct Case {
    const char* name;
    const char* text;
    const char* note;  // for a refused file, the refusal
    bool refused;
  };
  const Case cases[] = {
      {"above zero", "Model,lnL\nJC,1000.5\nK2P,-990\n",
       "JC: the log-likelihood 1000.5 is above zero, which no fit of sequence data gives; not "
       "read",
       false},
      {"a negative -ln L", "Model,-lnL\nJC,-1000.5\nK2P,990\n",
       "JC: the log-likelihood 1000.5 is above zero, which no fit of sequence data gives; not "
       "read",
       false},
      {"beyond the range of numbers", "Model,lnL\nJC,-1e400\nK2P,-990\n",
       "JC: the log-likelihood -1e400 is not finite (out of the range of numbers); not read",
       false},
      {"R's infinity", "Model,lnL\nJC,-Inf\nK2P,-990\n",
       "JC: the log-likelihood -Inf is not finite; not read", false},
      {"nothing else in the file", "Model,lnL\nJC,1000.5\nGTR+G,1e400\nTIM,-5\n",
       "t.csv: every log-likelihood in it is above zero or not finite, which no fit of sequence "
       "data gives (JC 1000.5, GTR+G 1e400)",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "t.csv");
    if (c.refused) {
      ASSERT_TRUE(file.refusal);
      EXPECT_EQ(*file.refusal, c.note);
      continue;
    }
    ASSERT_FALSE(file.refusal) << *file.refusal;
    EXPECT_EQ(ValueList(file), "K2P -990");
    ASSERT_EQ(file.notes.size(), 1u);
    EXPECT_EQ(file.notes[0], c.note);
  }
}

TEST(PlainTable, DifferentValuesForOneModelAreAConflict) {
  const FileImport file =
      ReadLikelihoodText("Model,lnL\nGTR+G,-900.5\nREV+G,-901.5\nJC,-1000\n", "t.csv");
  EXPECT_EQ(ValueList(file), "JC -1000");
  ASSERT_EQ(file.conflicts.size(), 1u);
  EXPECT_EQ(DescribeConflict(file.conflicts[0]), "GTR+G: -900.5 (t.csv), -901.5 (t.csv)");
  EXPECT_EQ(file.notes[0],
            "different values for GTR+G: -900.5 (t.csv), -901.5 (t.csv); that model is left "
            "unfilled");
}

TEST(PlainTable, RefusesAmbiguousColumnsAndProteinModels) {
  struct Case {
    const char* name;
    const char* text;
    const char* refusal;
  };
  const Case cases[] = {
      {"two log-likelihood columns", "Model,lnL,logLik\nJC,-1,-2\n",
       "t.csv: more than one log-likelihood column"},
      {"two model columns", "Model,Models,lnL\nJC,JC,-1\n", "t.csv: more than one model column"},
      {"protein", "Model,lnL\nLG+G4,-1\n",
       "t.csv: protein models (LG+G4); Quillet compares nucleotide models"},
      {"header only", "Model,lnL\n", "t.csv: the table has no rows"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "t.csv");
    ASSERT_TRUE(file.refusal);
    EXPECT_EQ(*file.refusal, c.refusal);
  }
}

}  // namespace
}  // namespace quillet
