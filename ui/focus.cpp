#include "focus.h"

#include "main_window.h"

namespace vxc::ui {

namespace {

uint32_t ValueCount(FocusGroup group) {
  switch (group) {
    case FocusGroup::kBase: return 5;
    case FocusGroup::kAngle: return 3;
    case FocusGroup::kMem: return uint32_t(kMemoryCount);
    case FocusGroup::kDisplay: return 3;
    case FocusGroup::kRange: return 4;
  }
  return 1;
}

bool IsBackStep(CommandId id) { return id == cmd::kFocusUp || id == cmd::kFocusLeft; }
bool IsForwardStep(CommandId id) { return id == cmd::kFocusDown || id == cmd::kFocusRight; }

// Moving into a group re-applies its value as a click would; MEM and RANGE
// only take the keyboard focus.
void EnterGroup(MainWindow& w, FocusGroup group) {
  const CalcState& s = w.engine().state;
  switch (group) {
    case FocusGroup::kBase: w.SelectBaseMode(s.base, ModeCaller::kFocusKey); return;
    case FocusGroup::kAngle: w.SelectAngleMode(s.angle, ModeCaller::kFocusKey); return;
    case FocusGroup::kDisplay: w.SelectDisplayMode(s.display, ModeCaller::kFocusKey); return;
    case FocusGroup::kMem:
      w.SetFocusGroup(FocusGroup::kMem);
      if (s.memoryIndex < uint32_t(kMemoryCount)) w.FocusRadio(kRadioMem + int(s.memoryIndex));
      return;
    case FocusGroup::kRange:
      w.SetFocusGroup(FocusGroup::kRange);
      if (s.range <= kRangeB) w.FocusRadio(kRadioRange + int(s.range));
      return;
  }
}

}  // namespace

uint32_t SteppedValue(FocusGroup group, uint32_t current, CommandId id) {
  const bool back = IsBackStep(id);
  if (!back && !IsForwardStep(id)) return current;
  const uint32_t count = ValueCount(group);
  if (current >= count) current = 0;
  if (group == FocusGroup::kRange) {
    const bool vertical = id == cmd::kFocusUp || id == cmd::kFocusDown;
    return current ^ (vertical ? 1u : 2u);  // QW 0, DW 1, W 2, B 3
  }
  return back ? (current + count - 1) % count : (current + 1) % count;
}

FocusGroup NextFocusGroup(FocusGroup group, bool integerMode, bool forward) {
  switch (group) {
    case FocusGroup::kBase:
      if (!forward) return FocusGroup::kMem;
      return integerMode ? FocusGroup::kRange : FocusGroup::kAngle;
    case FocusGroup::kAngle: return forward ? FocusGroup::kDisplay : FocusGroup::kBase;
    case FocusGroup::kMem:
      if (forward) return FocusGroup::kBase;
      return integerMode ? FocusGroup::kRange : FocusGroup::kDisplay;
    case FocusGroup::kDisplay: return forward ? FocusGroup::kMem : FocusGroup::kAngle;
    case FocusGroup::kRange: return forward ? FocusGroup::kMem : FocusGroup::kBase;
  }
  return FocusGroup::kBase;
}

void MoveFocus(MainWindow& w, CommandId id) {
  w.ShowKeyboardFocus();  // before the move, so the radio that takes the focus paints its rectangle
  const CalcState& s = w.engine().state;
  if (id == cmd::kFocusNext || id == cmd::kFocusPrev) {
    EnterGroup(w, NextFocusGroup(w.focusGroup(), IsIntegerBase(s.base), id == cmd::kFocusNext));
    return;
  }
  if (!IsBackStep(id) && !IsForwardStep(id)) return;
  const FocusGroup group = w.focusGroup();
  switch (group) {
    case FocusGroup::kBase:
      w.SelectBaseMode(SteppedValue(group, s.base, id), ModeCaller::kFocusKey);
      return;
    case FocusGroup::kAngle:
      w.SelectAngleMode(SteppedValue(group, s.angle, id), ModeCaller::kFocusKey);
      return;
    case FocusGroup::kMem:
      w.SelectMemoryRegister(SteppedValue(group, s.memoryIndex, id), ModeCaller::kFocusKey);
      return;
    case FocusGroup::kDisplay:
      w.SelectDisplayMode(SteppedValue(group, s.display, id), ModeCaller::kFocusKey);
      return;
    case FocusGroup::kRange:
      w.SelectRangeMode(SteppedValue(group, s.range, id));
      return;
  }
}

}  // namespace vxc::ui
