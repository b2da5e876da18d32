#include "import/import_choice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "support/sample_import_table.h"

namespace quillet {
namespace {

using testing::M;
ImportTable Table() { return testing::SampleImportTable(); }

// An analysis as the user set it up before the import: TrN typed in with gamma, the clock test
// with 7 taxa, one gamma value.
AnalysisInput Given() {
  AnalysisInput in;
  in.pValue = 0.01f;
  in[Model::TrN] = {true, -960.5f, true, false};
  in.testClock = true;
  in.taxa = 7;
  in.lnLGamma = -3.5f;
  return in;
}

// Every field, floats exactly, so that one comparison shows any change.
std::string Show(const AnalysisInput& in) {
  auto f = [](float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return std::string(text);
  };
  std::string text = "p " + f(in.pValue) + "; clock " + std::to_string(in.testClock) + " " +
                     std::to_string(in.taxa) + " " + f(in.lnLClock) + " " + f(in.lnLNoClock) +
                     "; gamma " + std::to_string(in.testGamma) + " " + f(in.lnLGamma) + " " +
                     f(in.lnLNoGamma) + "; models " + std::to_string(in.testModels);
  for (const ModelEntry& row : in.models) {
    text += " [" + std::to_string(row.ticked) + " " + f(row.lnL) + " " + std::to_string(row.gamma) +
            std::to_string(row.invariants) + "]";
  }
  return text;
}

// "rows GTR; gamma; taxa; missing K2P (conflict), GTR+I (gamma)".
std::string Show(const ImportFill& fill) {
  std::string text = "rows";
  for (std::size_t row = 0; row < fill.rows.size(); ++row) {
    if (fill.rows[row]) text += std::string(" ") + ModelName(static_cast<Model>(row));
  }
  if (fill.gamma) text += "; gamma";
  if (fill.taxa) text += "; taxa";
  text += "; missing";
  for (const MissingValue& m : fill.missing) {
    text += " " + CanonicalName(m.model) + (m.conflict ? " (conflict)" : "") +
            (m.gamma ? " (gamma)" : "");
  }
  return text;
}

// The one step from imported values to an analysis fills exactly what was chosen and found,
// and tells what was chosen and not found.
TEST(FillInput, FillsWhatWasChosenAndFoundAndTellsTheRest) {
  struct Case {
    const char* name;
    std::function<void(ImportChoice&)> choose;
    std::function<void(AnalysisInput&)> expect;  // the input before, changed by hand
    const char* fill;
  };
  const Case cases[] = {
      {"nothing chosen", [](ImportChoice&) {}, [](AnalysisInput&) {}, "rows; missing"},
      {"a variant fills its row, rounded to float, and asks for the test of models",
       [](ImportChoice& c) { c.rows[int(Model::HKY85)] = M("HKY85"); },
       [](AnalysisInput& in) {
         in[Model::HKY85] = {true, -6172.58029f, false, false};
         in.testModels = true;
       },
       "rows HKY85; missing"},
      {"the variant's gamma and invariants go with its value",
       [](ImportChoice& c) {
         c.rows[int(Model::GTR)] = M("GTR+I+G");
         c.rows[int(Model::JC)] = M("JC+I");
       },
       [](AnalysisInput& in) {
         in[Model::GTR] = {true, -900.5f, true, true};
         in[Model::JC] = {true, -1100.0f, false, true};
         in.testModels = true;
       },
       "rows JC GTR; missing"},
      {"a variant not found leaves the row as it was",
       [](ImportChoice& c) { c.rows[int(Model::TrN)] = M("TrN+I"); }, [](AnalysisInput&) {},
       "rows; missing TrN+I"},
      {"a model the files disagree on is not filled",
       [](ImportChoice& c) { c.rows[int(Model::K2P)] = M("K2P"); }, [](AnalysisInput&) {},
       "rows; missing K2P (conflict)"},
      {"another model's variant fills no row",
       [](ImportChoice& c) { c.rows[int(Model::TrN)] = M("GTR+G"); }, [](AnalysisInput&) {},
       "rows; missing"},
      {"a gamma pair fills both values and asks for the gamma test",
       [](ImportChoice& c) {
         c.gamma = GammaPair{M("GTR+I+G"), M("GTR+G")};
       },
       [](AnalysisInput& in) {
         in.lnLGamma = -900.5f;
         in.lnLNoGamma = -905.25f;
         in.testGamma = true;
       },
       "rows; gamma; missing"},
      {"a pair missing a value fills neither",
       [](ImportChoice& c) {
         c.gamma = GammaPair{M("GTR+I"), M("GTR")};
       },
       [](AnalysisInput&) {}, "rows; missing GTR+I (gamma)"},
      {"a pair two parameters apart fills nothing",
       [](ImportChoice& c) {
         c.gamma = GammaPair{M("GTR+I+G"), M("GTR")};
       },
       [](AnalysisInput&) {}, "rows; missing"},
      {"the number of taxa, without asking for the clock test",
       [](ImportChoice& c) { c.taxa = true; }, [](AnalysisInput& in) { in.taxa = 12; },
       "rows; taxa; missing"},
      {"the rows' missing values by model, then the gamma test's",
       [](ImportChoice& c) {
         c.gamma = GammaPair{M("HKY85+G"), M("HKY85")};
         c.rows[int(Model::TrN)] = M("TrN+G");
         c.rows[int(Model::K2P)] = M("K2P");
       },
       [](AnalysisInput&) {}, "rows; missing K2P (conflict) TrN+G HKY85+G (gamma)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ImportChoice choice;
    c.choose(choice);
    AnalysisInput filled = Given(), expected = Given();
    const ImportFill fill = FillInput(choice, Table(), filled);
    c.expect(expected);
    EXPECT_EQ(Show(filled), Show(expected));
    EXPECT_EQ(Show(fill), c.fill);
  }
}

// A locus of its own is filled by the same rule as the files read together.
TEST(FillInput, OneFileFillsAsATableDoes) {
  const ImportTable table = Table();
  FileImport file;
  file.values = table.values;
  file.conflicts = table.conflicts;
  file.taxa = table.taxa;
  ImportChoice choice;
  choice.rows[int(Model::GTR)] = M("GTR+G");
  choice.rows[int(Model::K2P)] = M("K2P");
  choice.gamma = GammaPair{M("GTR+G"), M("GTR")};
  choice.taxa = true;
  AnalysisInput fromTable = Given(), fromFile = Given();
  const ImportFill tableFill = FillInput(choice, table, fromTable);
  const ImportFill fileFill = FillInput(choice, file, fromFile);
  EXPECT_EQ(Show(fromFile), Show(fromTable));
  EXPECT_EQ(Show(fileFill), Show(tableFill));
  EXPECT_EQ(Show(fileFill), "rows GTR; gamma; taxa; missing K2P (conflict)");
}

}  // namespace
}  // namespace quillet
