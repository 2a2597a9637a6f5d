// Keyboard focus moves among the mode radio groups (arrows, Tab, Shift+Tab).
// The arrow keys and Tab are accelerators, so Qt's own focus chain and the
// radio buttons' own arrow handling never run: these rules are the whole of it.
#pragma once

#include <cstdint>

#include "command_ids.h"

namespace vxc::ui {

class MainWindow;

// The group that holds the keyboard focus for the arrow keys.
enum class FocusGroup : uint8_t { kBase, kAngle, kMem, kDisplay, kRange };

// The value an arrow key steps `current` to inside `group`, wrapping; in
// RANGE (QW above DW, W above B) Up and Down step within a column, Left and
// Right within a row. A value outside the group counts as its first.
// Returns `current` for an id that is no arrow.
uint32_t SteppedValue(FocusGroup group, uint32_t current, CommandId id);

// The group Tab (forward) or Shift+Tab reaches from `group`: BASE, ANGLE,
// DISPLAY, MEM in REAL; BASE, RANGE, MEM in the integer modes.
FocusGroup NextFocusGroup(FocusGroup group, bool integerMode, bool forward);

// Moves the focus for one of the ids 32777..32782; works during an error too.
void MoveFocus(MainWindow& window, CommandId id);

}  // namespace vxc::ui
