// The mode radio buttons that need no conversion of the stack. Each choice
// is one undo step.
#include "ops.h"

namespace vxc {

// The radios are disabled during an error; the focus keys are not, and
// otherwise do the same.
void SelectAngle(Engine& e, uint32_t angle) {
  if (!e.state.errorShown) FocusSelectAngle(e, angle);
}

void SelectDisplayFormat(Engine& e, uint32_t display) {
  if (!e.state.errorShown) FocusSelectDisplayFormat(e, display);
}

void SelectMemory(Engine& e, uint32_t index) {
  if (!e.state.errorShown) FocusSelectMemory(e, index);
}

void FocusSelectAngle(Engine& e, uint32_t angle) {
  UndoStep step(e, MemoryUse::kKept);
  TapeEntry tape(e, Action{ActionKind::kAngle, angle}, angle != e.state.angle ? TapeKind::kName : TapeKind::kNone);
  e.state.angle = angle;
}

// The DISPLAY group is hidden in the integer modes: there a new format is
// only kept for REAL, and the integer entry is not formatted as a real.
void FocusSelectDisplayFormat(Engine& e, uint32_t display) {
  UndoStep step(e, MemoryUse::kKept);
  TapeEntry tape(e, {}, display != e.state.display ? TapeKind::kDigitCount : TapeKind::kNone);
  e.state.display = display;
  if (!IsIntegerBase(e.state.base)) MarkDisplayStale(e, true);
}

void FocusSelectMemory(Engine& e, uint32_t index) {
  UndoStep step(e, MemoryUse::kKept);
  if (index < kMemoryCount) e.state.memoryIndex = index;
}

}  // namespace vxc
