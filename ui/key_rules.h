// Which face each key shows in which mode, and the keypad hit test.
// Plain functions of the modes: the widgets only show what these decide.
#pragma once

#include <cstdint>

#include "keypad_table.h"

namespace vxc::ui {

enum class Face : uint8_t { kHidden, kNormal, kPressed, kDisabled };

// The modes the faces depend on.
struct FaceModes {
  uint32_t base = 0;     // BASE code; anything outside 1..4 acts as REAL
  uint32_t display = 0;  // DISPLAY code: picks the visible up/down pair
  bool errorShown = false;
};

// The face of table row `row` while no button holds it.
Face RestingFace(int row, const FaceModes& modes);

// Outcome of a hit test.
struct KeyHit {
  int row = -1;          // the row that takes the point, -1 when none
  bool refused = false;  // the first key under the point refuses clicks now
};

// Walks the rows in order. The first row under the point refuses the click
// during an error (unless it is CLX) and in the integer modes (when it is an
// up/down key); a row whose normal face is not showing lets the walk go on.
KeyHit HitTestKeypad(int x, int y, const FaceModes& modes);

// The mouse side of the keypad: a key fires on release over the key pressed.
struct KeyPressState {
  int pressedRow = -1;
  bool pressedShown = false;
};

// The face to show for `row`, with the held key drawn pushed in.
Face ShownFace(int row, const FaceModes& modes, const KeyPressState& press);

// Button down at (x, y). Returns whether a key was taken.
bool KeypadButtonDown(KeyPressState& press, int x, int y, const FaceModes& modes);
// Mouse move with the button held. Returns whether the held key's face changed.
bool KeypadMouseMove(KeyPressState& press, int x, int y);
// Button up at (x, y). Returns the row to fire, or -1.
int KeypadButtonUp(KeyPressState& press, int x, int y, const FaceModes& modes);

}  // namespace vxc::ui
