#pragma once

#include <emscripten/val.h>

#include <string>

#include "web/page_window.h"

namespace quillet::web {

// The page's form, a plain object with the window's fields under names of their own:
//
//   { testModels, testClock, testGamma: booleans,
//     pValue, taxa, lnLClock, lnLNoClock, lnLGamma, lnLNoGamma: the fields' texts,
//     models: { GTR: { ticked, lnL, gamma, invariants }, TrN: ..., ..., JC: ... } }
//
// and its way into the window's controls and back. A field added to the window is a line in
// the table of page_form.cpp.

// Puts the page's values into the controls of the main window.
void FormToWindow(const emscripten::val& form, PageWindow& window);

// The controls of the main window as the page's form.
emscripten::val FormFromWindow(const PageWindow& window);

// The page's name of a control ("pValue", "models.GTR.lnL"), or empty.
std::string FieldOfControl(int id);

}  // namespace quillet::web
