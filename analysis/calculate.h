#pragma once

#include "analysis/analysis_form.h"
#include "analysis/command_context.h"
#include "platform/window.h"

namespace quillet {

inline constexpr char kNothingChosenText[] =
    "Calculate what? \nPlease choose some type of analysis!";
inline constexpr char kClockMissingText[] = "You must define all values to do the clock test!";
inline constexpr char kGammaMissingText[] = "You must define all values to do the gamma test!";
inline constexpr char kSomethingIsZeroCaption[] = "Something is zero...";

// The Calculate command: reads the window, runs the ticked analyses (clock test, gamma test,
// test of models), writes the report, and shows every result at once. No step ends it early;
// problems are told only by message boxes.
void OnCalculate(AnalysisForm& form, CommandContext& ctx);

// Empties the fifteen model result texts and copies the whole form to the window.
void ClearModelResults(AnalysisForm& form, Window& window);

// The clock test when ticked: with taxa, lnL with and without the clock all non-zero, one test
// with taxa - 2 degrees of freedom; otherwise a message and the clock results marked invalid.
void RunClockTest(AnalysisForm& form, Window& window);

// The gamma/invariants test when ticked: one test with 1 degree of freedom, or a message when
// a value is missing.
void RunGammaTest(AnalysisForm& form, Window& window);

}  // namespace quillet
