#pragma once

#include <string>

#include "support/scripted_host.h"

namespace quillet::testing {

// Steps of a dialog script that check, as they go, that the dialog did what was pressed.
ScriptedHost::Step PressOk(int okId = kIdOk);
ScriptedHost::Step Cancel();
ScriptedHost::Step TypeAndPress(int editId, std::string text, int buttonId);

}  // namespace quillet::testing
