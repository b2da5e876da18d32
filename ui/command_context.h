#pragma once

#include "platform/clock.h"
#include "platform/modal_host.h"
#include "platform/window.h"

namespace quillet {

// What a command of the main window needs from its surroundings: the window itself (controls
// and message boxes), the host that runs modal dialogs over it, and the clock that stamps
// the report.
struct CommandContext {
  Window& window;
  ModalHost& host;
  const Clock& clock;
};

}  // namespace quillet
