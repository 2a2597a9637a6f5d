// Random key sequences for the fuzzer and the soak test: every key a user
// can reach (commands, radio buttons, paste, reset, undo, redo), and the checks that
// must hold after each one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "command_names.h"
#include "command_table.h"
#include "display.h"
#include "engine.h"

namespace vxc::testing_keys {

// Every engine command a key, menu or accelerator can send (`radio` false),
// or every radio choice, in the order of the names table.
inline std::vector<Action> ActionsOfNames(bool radio) {
  std::vector<Action> out;
  for (const ActionName& row : kActionNames) {
    const bool command = row.action.kind == ActionKind::kCommand;
    if (radio ? !command : command && FindCommand(row.action.value) != nullptr) out.push_back(row.action);
  }
  return out;
}
inline const std::vector<Action> kEngineCommands = ActionsOfNames(false), kRadioChoices = ActionsOfNames(true);

inline constexpr std::array<std::string_view, 9> kPasteTexts = {
    "1,234.5", "-12.5e3", "0xFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "3.1.4", "\xe2\x88\x92" "7", "", "1e400", "99999999999999999999"};

// Number of distinct actions a byte selects from.
inline const uint32_t kActionCount = kEngineCommands.size() + kRadioChoices.size() + 2 + kPasteTexts.size() + 2;

struct Driver {
  Engine engine;
  DisplayFrame frame;

  Driver() { InitNumbers(); }

  // The display as a front-end shows it: composed when the engine marked it.
  const DisplayFrame& Shown() {
    RefreshIfStale(engine, frame);
    return frame;
  }

  // Presses the action `code` selects (any value; it wraps), then composes
  // the display, as the window does after each event.
  void Act(uint32_t code, std::string_view pasteBytes = {}) {
    Perform(code, pasteBytes);
    lastMark = engine.displayMark;
    composed = RefreshIfStale(engine, frame);
  }
  bool composed = false;  // the last Act composed the display, with lastMark
  DisplayMark lastMark;

 private:
  void Perform(uint32_t code, std::string_view pasteBytes) {
    code %= kActionCount;
    if (code < kEngineCommands.size()) {
      Dispatch(engine, kEngineCommands[code].value);
      return;
    }
    code -= kEngineCommands.size();
    if (code < kRadioChoices.size()) {
      const Action choice = kRadioChoices[code];
      switch (choice.kind) {
        case ActionKind::kBase: return SelectBase(engine, choice.value);
        case ActionKind::kAngle: return SelectAngle(engine, choice.value);
        case ActionKind::kDisplay: return SelectDisplayFormat(engine, choice.value);
        case ActionKind::kRange: return SetRange(engine, choice.value);
        case ActionKind::kMemory: return SelectMemory(engine, choice.value);
        case ActionKind::kCommand: return;
      }
    }
    code -= kRadioChoices.size();
    if (code == 0) return ToggleErrorAlarm(engine);
    if (code == 1) {
      ResetCalculatorState(engine.state);
      MarkDisplayStale(engine);
      return;
    }
    code -= 2;
    if (code < kPasteTexts.size()) {
      PasteEntry(engine, pasteBytes.empty() ? kPasteTexts[code] : pasteBytes);
      return;
    }
    code -= kPasteTexts.size();
    if (code == 0) Undo(engine);
    else Redo(engine);
  }
};

// A register text: the characters of a decimal number, at most one "e".
inline bool IsNumberText(const std::string& text) {
  if (text.find_first_not_of("-+.0123456789e") != std::string::npos) return false;
  return text.find('e') == text.rfind('e');
}

// Returns the first broken rule, or nullptr when the state is sound.
inline const char* BrokenRule(const CalcState& s) {
  if (s.base > 4 || s.range > 3 || s.display > 2 || s.angle > 2 || s.memoryIndex > 9) return "mode code out of range";
  for (int32_t d : s.digits) {
    if (d < 0 || d > 32) return "digit count out of range";
  }
  if (s.errorShown) {
    bool known = false;
    for (std::string_view m : kErrorMessages) known = known || s.errorText == m;
    if (!known) return "unknown error text";
  } else if (s.xComplete && s.entryTyped) {
    return "a finished X while an entry is typed";
  }
  for (const std::string* r : {&s.stackX, &s.stackY, &s.stackZ, &s.stackT, &s.lastX}) {
    if (!IsNumberText(*r)) return "stack register is not a number";
  }
  for (int i = 0; i < kMemoryCount; ++i) {
    if (!IsNumberText(s.realMemory[i]) || !IsNumberText(s.intMemory[i])) return "memory register is not a number";
  }
  if (s.exponentText.size() > 3) return "exponent longer than three characters";
  return nullptr;
}

}  // namespace vxc::testing_keys
