#pragma once

#include <QIcon>

namespace quillet::qt {

// The program icon, 16 and 32 pixels, built into the program.
QIcon ProgramIcon();

}  // namespace quillet::qt
