// Keyboard focus moves among the mode radio groups (arrows, Tab, Shift+Tab).
#pragma once

#include "command_ids.h"

namespace vxc::ui {

class MainWindow;

// Moves the focus for one of the ids 32777..32782.
void MoveFocus(MainWindow& window, CommandId id);

}  // namespace vxc::ui
