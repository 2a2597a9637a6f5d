// VXC32 calculator engine: the one header the front-ends call.
//
// Calls in:   Dispatch (every calculator command), the mode setters that the
//             radio buttons use, PasteEntry, ResetCalculatorState.
// Calls out:  Engine::displayMark (the display must be composed again before
//             it is shown; its flag asks for a typed entry to be shown
//             formatted) and EngineCallbacks::beep (an error was raised with
//             the alarm on). A front-end composes once per shown state, however
//             many commands changed it (see RefreshIfStale in display.h).
//
// The engine never builds user-visible text except the five error messages,
// never throws, and needs no window system.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "calc_state.h"
#include "command_ids.h"

namespace vxc {

struct EngineCallbacks {
  std::function<void()> beep;
};

// Set by every call that changes what the display shows; cleared by the
// front-end when it composes the display.
struct DisplayMark {
  bool stale = false;
  bool formatEntry = false;  // the last request decides, as if each had composed
};

struct Engine {
  CalcState state;
  EngineCallbacks out;
  DisplayMark displayMark;
};

// Marks the display stale. In the integer modes the stack registers are
// rounded to the integers the display shows, so that the next command
// reads what was shown. The front-ends call it for changes of their own
// (the reset to defaults).
void MarkDisplayStale(Engine& engine, bool formatEntry = false);

// Returns the mark and clears it.
DisplayMark TakeDisplayMark(Engine& engine);

// One-time set-up of the number layer (widest MPFR exponent range).
void InitNumbers();

// Performs one calculator command. Ids that are no engine command (user
// interface commands, 1027, unknown numbers) are ignored. Returns whether
// the id is an engine command at all.
bool Dispatch(Engine& engine, CommandId id);

// Radio buttons. Each does what clicking the button does; the window keeps
// the checked state and the keypad faces itself.
void SelectBase(Engine& engine, uint32_t base);        // BASE group
void SetRange(Engine& engine, uint32_t range);         // RANGE group (enabled during an error)
void SelectAngle(Engine& engine, uint32_t angle);      // ANGLE group, no refresh
void SelectDisplayFormat(Engine& engine, uint32_t display);  // DISPLAY group, entry formatted
void SelectMemory(Engine& engine, uint32_t index);     // MEM group

// The focus keys (arrows, Tab) choose modes as the radios do, and also while
// an error shows, when the radios are disabled but the keys are not. A base
// switch during an error converts the registers CLX brings back; the entry
// line it leaves behind is already lost and is never made into X.
void FocusSelectBase(Engine& engine, uint32_t base);
void FocusSelectAngle(Engine& engine, uint32_t angle);
void FocusSelectDisplayFormat(Engine& engine, uint32_t display);
void FocusSelectMemory(Engine& engine, uint32_t index);

// Menu "Error Alarm": toggles errorAlarm.
void ToggleErrorAlarm(Engine& engine);

// Edit > Paste with `text` on the clipboard (raw bytes, UTF-8 expected).
void PasteEntry(Engine& engine, std::string_view text);
// The characters of `text` that make a number in `base`, as PasteEntry puts
// them into the entry line (possibly empty).
std::string CleanPastedText(std::string_view text, uint32_t base);

// The X panel's bit click (integer modes): finishes the entry and sets X
// to its word with bit `bit` flipped, without a lift. A bit outside the
// word, REAL and the error state change nothing.
void FlipBit(Engine& engine, uint32_t bit);

// The state part of the reset to defaults: every field but `language` and
// `xPanel`.
void ResetCalculatorState(CalcState& state);

// The five messages, exactly as shown.
inline constexpr const char* kMsgOverflow = "Overflow !";
inline constexpr const char* kMsgDivideByZero = "Devide by zero !";
inline constexpr const char* kMsgUpperThanOne = "Upper than 1 !";
inline constexpr const char* kMsgMinusOrZero = "Minus or zero !";
inline constexpr const char* kMsgNotInteger = "Not Integer !";

}  // namespace vxc
