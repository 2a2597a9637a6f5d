// VXC32 calculator engine: the one header the front-ends call.
//
// Calls in:   Dispatch (every calculator command), the mode setters that the
//             radio buttons use, PasteEntry, ResetCalculatorState, Undo, Redo.
// Calls out:  Engine::displayMark (the display must be composed again before
//             it is shown; its flag asks for a typed entry to be shown
//             formatted), Engine::tape.stepCount (steps the tape has not
//             composed yet: ComposeTape in display.h) and
//             EngineCallbacks::beep (an error was raised with the alarm on).
//             A front-end composes once per shown state, however many
//             commands changed it (see RefreshIfStale in display.h).
//
// The engine never builds user-visible text except the five error messages,
// never throws, and needs no window system.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calc_state.h"
#include "command_ids.h"
#include "real_memo.h"
#include "tape.h"

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

// Whether an undo step may write the memory registers. A step that cannot
// says so with kKept: its guard then copies and compares the rest only,
// which is most of the cost of a key press. The default is the safe one.
enum class MemoryUse : bool { kKept, kWritten };

// What undo and redo go back and forward through: the calculator as it was
// before each step. Only undo.cpp and UndoStep touch it.
//
// The undo steps live in a ring of slots that grows once and is then
// reused: a key press copies the calculator into the free slot, string
// storage and all, and a step that changed something keeps it. No step
// allocates once the strings have grown to their usual lengths.
struct UndoHistory {
  std::vector<CalcState> ring;      // grows to kUndoSteps + 1 slots
  std::vector<size_t> slotBytes;    // text each recorded slot holds
  // A slot of a step that kept the memory registers does not hold them:
  // they are those of the next newer state (slot or calculator), and undo
  // takes them from there.
  std::vector<bool> memoryFollows;
  size_t head = 0;                  // the free slot, which the open step fills
  size_t count = 0;                 // undo steps: the slots before `head`
  size_t undoBytes = 0;             // text held by the steps, for the memory bound
  std::vector<CalcState> redo;      // the next step to redo last
  int open = 0;                     // UndoSteps open now (nested ones record nothing)
  MemoryUse openMemory{};           // whether the open step may write the memory registers
};

struct Engine {
  CalcState state;
  EngineCallbacks out;
  DisplayMark displayMark;
  UndoHistory history;
  RealMemo reals;  // the engine's own: what reading a text gave, no state
  Tape tape;       // the record of the work; undo leaves it alone
};

// Marks the display stale. In the integer modes the stack registers are
// rounded to the integers the display shows, so that the next command
// reads what was shown. The front-ends call it for changes of their own
// (the reset to defaults).
void MarkDisplayStale(Engine& engine, bool formatEntry = false);

// Returns the mark and clears it.
DisplayMark TakeDisplayMark(Engine& engine);

// Undo and redo.
//
// A step is whatever one user action changes: a key press (each typed
// character), a radio choice, a paste, L.C.M./G.C.D., "Initialize". Every
// engine entry point that may change the calculator opens an UndoStep on
// its first line:
//
//     void FlipBit(Engine& e, uint32_t bit) {
//       UndoStep step(e);
//       ...change e.state...
//     }
//
// The guard copies the state; when it closes and the calculator differs
// from the copy, the copy becomes one undo step and the redo list is
// dropped. An action that changes nothing records nothing. Guards nest: an
// entry point called by another one adds nothing to the outer step.
// The options (language, alarm, X panel) are no calculator state: they are
// neither compared nor restored.
//
// A step that cannot write the memory registers says so with kKept (see
// MemoryUse).

class UndoStep {
 public:
  explicit UndoStep(Engine& engine, MemoryUse memory = MemoryUse::kWritten);
  ~UndoStep();
  UndoStep(const UndoStep&) = delete;
  UndoStep& operator=(const UndoStep&) = delete;

 private:
  Engine& engine_;
  bool outermost_ = false;  // only the outermost guard records
};

// At least this many steps are kept; older ones are dropped, and so are
// steps beyond about kUndoBytes of register text (a pasted megabyte).
inline constexpr size_t kUndoSteps = 100;
inline constexpr size_t kUndoBytes = size_t(4) << 20;

// Puts the calculator back as it was before the last step (also while an
// error shows) and asks for a refresh. Returns false when there is none.
bool Undo(Engine& engine);
// Goes forward again over the last undone step.
bool Redo(Engine& engine);
bool CanUndo(const Engine& engine);
bool CanRedo(const Engine& engine);

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
// What a paste puts into the entry line. In REAL an exponent after the
// number ("e" or "E", a sign, digits) goes to `exponent` as if typed with
// EEX; one of more than two significant digits, which EEX cannot type,
// stays in the mantissa as X's own "e" form ("1.5e-120"), so that every
// register's text pastes back to the same value.
struct PastedNumber {
  std::string mantissa;  // for entryText; empty: the paste takes nothing
  std::string exponent;  // for exponentText
  bool exponentEntry = false;
  bool tooLong = false;  // beyond kPasteLimit: the paste takes nothing and beeps
};
// The longest number a paste takes (mantissa and exponent together): a
// longer one changes nothing, since every later key would have to read it.
inline constexpr size_t kPasteLimit = 1000;
PastedNumber ReadPastedNumber(std::string_view text, uint32_t base);
// The characters of `text` that make a number in `base`, as PasteEntry puts
// them into the entry line (possibly empty): ReadPastedNumber's mantissa.
std::string CleanPastedText(std::string_view text, uint32_t base);

// The typed entry as one number text: mantissa, or mantissa + "e" +
// exponent. A mantissa that already holds X's own "e" form keeps only that.
std::string ComposeEntryText(const std::string& mantissa, const std::string& exponent);

// A memory register's text from a settings file, read by value: a text
// that is no number ("hello", "nan", ".", empty) becomes the value the
// readers take from it (0 for those), and a REAL register (`realBank`)
// whose value fails the range test becomes "0". Returns false when the
// text was repaired; every text the calculator writes passes unchanged.
bool RepairRegisterText(std::string& text, bool realBank);
// A REAL register's text as a file stores it: itself, or, beyond `longest`
// characters (the longest value the file's reader takes), the canonical
// text of its value, which reads back the same.
std::string RegisterTextToSave(const std::string& text, size_t longest);

// The X panel's bit click (integer modes): finishes the entry and sets X
// to its word with bit `bit` flipped, without a lift. A bit outside the
// word, REAL and the error state change nothing.
void FlipBit(Engine& engine, uint32_t bit);

// The tape's Clear: every line goes (a change the next save writes).
void ClearTape(Engine& engine);

// The state part of the reset to defaults: every field but the window's
// options (`language`, `xPanel`, `tapePane`, `zoom`, `theme`).
void ResetCalculatorState(CalcState& state);

// The five errors, and the message each shows in the X line, exactly.
enum class CalcError : uint8_t { kOverflow, kDivideByZero, kUpperThanOne, kMinusOrZero, kNotInteger };
inline constexpr std::array<const char*, 5> kErrorMessages = {
    "Overflow !", "Devide by zero !", "Upper than 1 !", "Minus or zero !", "Not Integer !"};  // by CalcError
constexpr const char* ErrorMessage(CalcError error) { return kErrorMessages[static_cast<size_t>(error)]; }

}  // namespace vxc
