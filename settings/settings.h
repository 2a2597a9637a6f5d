// The settings file VXC.INI: modes, options, window position and the twenty
// memory registers, kept between runs. The stack and the entry line are
// never stored.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "calc_state.h"
#include "engine.h"

namespace vxc {

// Where the window is placed when it is built (screen pixels, not clamped).
struct WindowPosition {
  int32_t left = 0;
  int32_t top = 0;
};

// A screen's rectangle in the same pixels as WindowPosition.
struct ScreenArea {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// Pixels of the window's top edge that must lie on a screen for the saved
// place to be kept: enough to grab the window by.
inline constexpr int32_t kMinVisibleTopEdge = 48;

// Where a window of width x height saved at `saved` opens: there while at
// least kMinVisibleTopEdge pixels of its top edge are on one screen, else
// at the nearest place where it is wholly on a screen. No screens: as saved.
WindowPosition PlaceOnScreens(WindowPosition saved, int32_t width, int32_t height,
                              const std::vector<ScreenArea>& screens);

// Windows: the application-data folder + \Ostrano\VXC\VXC.INI.
// Elsewhere: $XDG_CONFIG_HOME (default ~/.config) + /Ostrano/VXC/VXC.INI.
// Creates nothing.
std::string SettingsPath();

#ifndef _WIN32
// A base folder of the XDG layout: $`variable` when it is an absolute path,
// else $HOME/`underHome` (e.g. XDG_STATE_HOME and ".local/state").
std::string XdgFolder(const char* variable, const char* underHome);
#endif

// The modes as the file gives them, each checked once here so that every
// front-end starts the same way. The values are the codes of calc_state.h.
enum class BaseMode : uint32_t { kReal, kDec, kHex, kOct, kBin };
enum class AngleMode : uint32_t { kDeg, kRad, kGrad };
enum class DisplayMode : uint32_t { kFix, kSci, kEng };
enum class RangeMode : uint32_t { kQW, kDW, kW, kB };

// Everything the file holds but Option/MEMORY, read and checked. A missing
// file, section or key gives the default. A BASE outside 1..4 starts REAL,
// an ANGLE outside 1..2 DEG; DISPLAY, RANGE, Theme, the digit counts and Uses
// outside their ranges take their defaults; a Zoom takes the nearest allowed value. The language is kept as read:
// an unknown one leaves the menus English with no language checked.
struct SettingsValues {
  WindowPosition position;
  BaseMode base = BaseMode::kReal;
  AngleMode angle = AngleMode::kDeg;
  DisplayMode display = DisplayMode::kFix;
  RangeMode range = RangeMode::kQW;
  std::array<int32_t, 3> digits{kDefaultDigitCount, kDefaultDigitCount, kDefaultDigitCount};
  uint32_t language = kLangEnglish;
  bool errorAlarm = true;
  bool xPanel = false;
  bool tapePane = false;
  uint32_t zoom = kZoomMin;
  uint32_t theme = kThemeSystem;
  uint32_t memoryIndex = 0;
  std::array<std::string, kMemoryCount> realMemory;
  std::array<std::string, kMemoryCount> intMemory;
  // One line for each register a hand-edited file gave a text that is no
  // number in range (RepairRegisterText): what it held and what it loads as.
  std::vector<std::string> repairs;
};
SettingsValues ReadSettings(const std::string& path);

// The allowed zoom nearest to `percent`: 100 to 300 in steps of 25.
uint32_t NearestZoom(int64_t percent);
// The allowed zoom `steps` steps of 25 away from `percent` (Zoom In, Zoom Out).
uint32_t ZoomStep(uint32_t percent, int steps);

// ReadSettings, then the values put into the state and the position; each
// repaired register is reported once on standard error.
void LoadSettings(const std::string& path, CalcState& s, WindowPosition& pos);

// One key of the file with the text the program writes for it.
struct SettingsEntry {
  const char* section;
  std::string key;
  std::string value;
};
// Every key the file holds, in the order a new file gets them.
std::vector<SettingsEntry> SettingsEntries(const CalcState& s, const WindowPosition& pos);

// Writes every entry into the existing file (keeping everything else in it)
// or a new one, creating the two folders above the file when missing; the
// programs themselves save with SaveSharedSettings (shared_save.h), which
// writes only what they changed. One atomic write, under the file's lock: on a failure the old file stays as it was, and an existing
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
