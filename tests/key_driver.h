// Random key sequences for the fuzzer and the soak test: every key a user
// can reach (commands, radio buttons, paste, reset), and the checks that
// must hold after each one.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "display.h"
#include "engine.h"

namespace vxc::testing_keys {

// A key answers within a millisecond. Sanitizers and coverage counters make
// every key several times slower, so instrumented builds scale the budget.
#ifndef VXC_KEY_BUDGET_US
#define VXC_KEY_BUDGET_US 1000
#endif
inline constexpr double kKeyBudgetMicros = VXC_KEY_BUDGET_US;

// Every engine command id a key, menu or accelerator can send.
inline constexpr std::array<CommandId, 61> kCommandIds = {
    1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1015, 1016, 1017, 1018, 1019, 1020,
    1021, 1022, 1023, 1024, 1025, 1026, 1028, 1029, 1030, 1031, 1033, 1034, 1035, 1036, 1037, 1038,
    1039, 1040, 1041, 1042, 1043, 1044, 1045, 1046, 1047, 1048, 1049, 1050, 1051, 1052, 1053, 1054,
    1055, 1056, 1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 32783, 32784};

inline constexpr std::array<std::string_view, 9> kPasteTexts = {
    "1,234.5", "-12.5e3", "0xFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "3.1.4", "\xe2\x88\x92" "7", "", "1e400", "99999999999999999999"};

// Number of distinct actions a byte selects from.
inline constexpr uint32_t kActionCount = kCommandIds.size() + 5 + 4 + 3 + 3 + 10 + 2 + kPasteTexts.size();

struct Driver {
  Engine engine;
  DisplayFrame frame;

  Driver() {
    InitNumbers();
  }

  // The display as a front-end shows it: composed when the engine marked it.
  const DisplayFrame& Shown() {
    RefreshIfStale(engine, frame);
    return frame;
  }

  // Presses the action `code` selects (any value; it wraps), then composes
  // the display, as the window does after each event.
  void Act(uint32_t code, std::string_view pasteBytes = {}) {
    Perform(code, pasteBytes);
    RefreshIfStale(engine, frame);
  }

 private:
  void Perform(uint32_t code, std::string_view pasteBytes) {
    code %= kActionCount;
    if (code < kCommandIds.size()) {
      Dispatch(engine, kCommandIds[code]);
      return;
    }
    code -= kCommandIds.size();
    if (code < 5) return SelectBase(engine, code);
    code -= 5;
    if (code < 4) return SetRange(engine, code);
    code -= 4;
    if (code < 3) return SelectAngle(engine, code);
    code -= 3;
    if (code < 3) return SelectDisplayFormat(engine, code);
    code -= 3;
    if (code < 10) return SelectMemory(engine, code);
    code -= 10;
    if (code == 0) return ToggleErrorAlarm(engine);
    if (code == 1) {
      ResetCalculatorState(engine.state);
      MarkDisplayStale(engine);
      return;
    }
    code -= 2;
    PasteEntry(engine, pasteBytes.empty() ? kPasteTexts[code % kPasteTexts.size()] : pasteBytes);
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
    const std::string_view messages[] = {kMsgOverflow, kMsgDivideByZero, kMsgUpperThanOne, kMsgMinusOrZero,
                                         kMsgNotInteger};
    bool known = false;
    for (std::string_view m : messages) known = known || s.errorText == m;
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

// Microseconds one action takes, the least of three runs from the same
// state, so that a busy machine does not count against the key.
inline double ActionMicros(const CalcState& before, uint32_t code, std::string_view paste = {}) {
  double best = 1e18;
  for (int run = 0; run < 3; ++run) {
    Driver d;
    d.engine.state = before;
    const auto start = std::chrono::steady_clock::now();
    d.Act(code, paste);
    const auto end = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::micro>(end - start).count());
    if (best < kKeyBudgetMicros) break;
  }
  return best;
}

}  // namespace vxc::testing_keys
