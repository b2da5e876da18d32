#pragma once

#include <string>

class QWidget;

namespace quillet::qt {

// A modal box over `owner` with a single OK button and no icon, as every message of the program
// is; an empty caption shows the program's name. Returns when the user has dismissed it.
void ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption);

}  // namespace quillet::qt
