// The settings file VXC.INI: modes, options, window position and the twenty
// memory registers, kept between runs. The stack and the entry line are
// never stored.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "calc_state.h"
#include "engine.h"

namespace vxc {

// Where the window is placed when it is built (screen pixels, not clamped).
struct WindowPosition {
  int32_t left = 0;
  int32_t top = 0;
};

// Windows: the application-data folder + \Ostrano\VXC\VXC.INI.
// Elsewhere: $XDG_CONFIG_HOME (default ~/.config) + /Ostrano/VXC/VXC.INI.
// Creates nothing.
std::string SettingsPath();

// Reads every entry but Option/MEMORY; a missing file, section or key gives
// the default. BASE goes to both `s.base` and `startBase`.
void LoadSettings(const std::string& path, CalcState& s, WindowPosition& pos, uint32_t& startBase);

// Writes every entry into the existing file (keeping everything else in it)
// or a new one, creating the two folders above the file when missing. One
// atomic write: on a failure the old file stays as it was, and an existing
// file that cannot be read is left alone rather than replaced. Returns false
// when the file could not be written, with the reason in `reason` if given.
bool SaveSettings(const std::string& path, const CalcState& s, const WindowPosition& pos,
                  std::string* reason = nullptr);

// What "Initialize" does to the window besides the state.
struct ResetWindowHooks {
  std::function<void()> moveToOrigin;  // move to (0, 0) at the fixed size and repaint
  std::function<void()> refresh;       // digit-count boxes and display
};

// Puts the defaults into the state (all but the language). With a window
// (`window` not null) the position becomes (0, 0) and the hooks run; without
// one the position is left as it is.
void ResetCalculator(Engine& e, WindowPosition* pos, const ResetWindowHooks* window);

}  // namespace vxc
