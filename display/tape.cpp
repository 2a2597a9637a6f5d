// The tape's lines, composed from the steps the engine noted. Numbers are
// formatted as the display formatted X when the step ran; names come from
// the names table, so a new command gets its line without more code here.
#include <charconv>

#include "display.h"

namespace vxc {
namespace {

// A display line in one: "1.50e3".
void AppendShown(std::string& line, const LineText& shown) {
  line += shown.main;
  if (!shown.exponent.empty()) line.append("e").append(shown.exponent);
}

// A register text as the X line shows it.
void AppendNumber(std::string& line, std::string& text, const TapeModes& modes) {
  AppendShown(line, IsIntegerBase(modes.base) ? FormatInteger(text, modes.base, modes.range)
                                              : FormatReal(text, modes.display, modes.digits));
}

void AppendWhole(std::string& line, int32_t value) {
  char digits[16];
  line.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// The name of a step: a command's token; for a radio choice the word after
// "=" in its token ("HEX", "QW").
void AppendName(std::string& line, const TapeStep& step) {
  if (step.kind == TapeKind::kBit) {
    line.append(kBitToken).append(" ");
    AppendWhole(line, step.argument);
    return;
  }
  const ActionName* name = FindActionName(step.action);
  if (name == nullptr) return;
  std::string_view token = name->token;
  if (step.action.kind != ActionKind::kCommand) token.remove_prefix(token.find('=') + 1);
  line += token;
  if (step.kind == TapeKind::kRegister || step.kind == TapeKind::kDigitCount) {
    line += ' ';
    AppendWhole(line, step.argument);
  }
}

void AddLine(Tape& tape, const std::string& line) {
  if (tape.lines.size() < kTapeLines) {
    tape.lines.push_back(line);
    return;
  }
  // The oldest line's storage serves the new one.
  std::string slot = std::move(tape.lines.front());
  tape.lines.pop_front();
  slot.assign(line);
  tape.lines.push_back(std::move(slot));
}

}  // namespace

// The frame's X line when it shows `text` in `modes`: REAL lines only,
// whose memo says what they were formatted from.
const LineText* ShownLine(const DisplayFrame* shown, const std::string& text, const TapeModes& modes) {
  if (shown == nullptr || !shown->memo.valid || IsIntegerBase(modes.base)) return nullptr;
  const RegisterLineMemo& memo = shown->memo;
  if (memo.display != modes.display || memo.digits != modes.digits || memo.texts[kLineX] != text) return nullptr;
  return &memo.x;
}

size_t ComposeTape(Engine& engine, const DisplayFrame* shown) {
  Tape& tape = engine.tape;
  size_t added = 0;
  std::string line;
  for (size_t i = 0; i < tape.stepCount; ++i) {
    TapeStep& step = tape.steps[(tape.firstStep + i) % kTapeLines];
    line.clear();
    if (!step.keyed.empty()) {
      AppendNumber(line, step.keyed, step.keyedModes);
      line += ' ';
    }
    AppendName(line, step);
    AddLine(tape, line);
    ++added;
    if (step.result == TapeResult::kNone) continue;
    line.clear();
    if (step.result == TapeResult::kError) {
      line = step.resultText;
    } else if (const LineText* x = ShownLine(shown, step.resultText, step.resultModes)) {
      AppendShown(line, *x);
      line += " ***";
    } else {
      AppendNumber(line, step.resultText, step.resultModes);
      line += " ***";
    }
    AddLine(tape, line);
    ++added;
  }
  tape.firstStep = 0;
  tape.stepCount = 0;
  tape.changes += added;
  return added;
}

std::string SpokenTapeLine(std::string_view line) {
  std::string spoken;
  while (!line.empty()) {
    const size_t blank = line.find(' ');
    const std::string_view word = line.substr(0, blank);
    line.remove_prefix(blank == std::string_view::npos ? line.size() : blank + 1);
    if (word.empty()) continue;
    if (!spoken.empty()) spoken += ' ';
    const ActionName* name = FindActionToken(word);
    if (word == "***") {
      spoken += "result";
    } else if (name != nullptr && name->action.kind == ActionKind::kCommand) {
      spoken += name->spoken;
    } else {
      spoken += word;
    }
  }
  return spoken;
}

}  // namespace vxc
