// The mode radio buttons that need no conversion of the stack. Each choice
// is one undo step.
#include "ops.h"

namespace vxc {

namespace {

// The DISPLAY group is hidden in the integer modes: there a new format is
// only kept for REAL, and the integer entry is not formatted as a real.
void SetDisplayFormat(Engine& e, uint32_t display) {
  e.state.display = display;
  if (!IsIntegerBase(e.state.base)) RequestRefresh(e, true);
}

}  // namespace

void SelectAngle(Engine& e, uint32_t angle) {
  UndoStep step(e);
  if (e.state.errorShown) return;  // the ANGLE group is disabled during an error
  e.state.angle = angle;
}

void SelectDisplayFormat(Engine& e, uint32_t display) {
  UndoStep step(e);
  if (e.state.errorShown) return;
  SetDisplayFormat(e, display);
}

void SelectMemory(Engine& e, uint32_t index) {
  UndoStep step(e);
  if (e.state.errorShown || index >= kMemoryCount) return;
  e.state.memoryIndex = index;
}

void FocusSelectAngle(Engine& e, uint32_t angle) {
  UndoStep step(e);
  e.state.angle = angle;
}

void FocusSelectDisplayFormat(Engine& e, uint32_t display) {
  UndoStep step(e);
  SetDisplayFormat(e, display);
}

void FocusSelectMemory(Engine& e, uint32_t index) {
  UndoStep step(e);
  if (index < kMemoryCount) e.state.memoryIndex = index;
}

}  // namespace vxc
