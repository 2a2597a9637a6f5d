// Noting the steps of the tape. A step costs a few short string copies into
// storage a slot already has; the text of its lines is composed later, and
// only when a front-end shows, prints or saves the tape.
#include "ops.h"

namespace vxc {
namespace {

TapeModes ModesOf(const CalcState& s) { return TapeModes{s.base, s.range, s.display, s.CurrentDigits()}; }

// The slot for the next step. A front-end that never composes keeps no more
// steps than the tape keeps lines: the slots are a ring, and once it is full
// the oldest step gives its slot to the newest, at the cost of one key.
TapeStep& NextSlot(Tape& tape) {
  if (tape.stepCount == kTapeLines) {
    if (++tape.firstStep == kTapeLines) tape.firstStep = 0;
    --tape.stepCount;
  }
  size_t slot = tape.firstStep + tape.stepCount;
  if (slot >= kTapeLines) slot -= kTapeLines;
  if (slot == tape.steps.size()) tape.steps.emplace_back();  // the ring grows until it is full
  return tape.steps[slot];
}

}  // namespace

TapeKind TapeKindOf(CommandHandler handler) {
  for (CommandHandler entryKey : {EntryDigit, EntryPoint, EntryExponent, EntryChangeSign, EntryBackspace}) {
    if (handler == entryKey) return TapeKind::kNone;
  }
  for (CommandHandler stackKey : {StackEnter, StackClearX, StackSwapXY, StackRoll, StackLastX}) {
    if (handler == stackKey) return TapeKind::kName;
  }
  if (handler == MemoryKey) return TapeKind::kRegister;
  if (handler == ChangeDigitCount) return TapeKind::kDigitCount;
  return TapeKind::kResult;
}

TapeEntry::TapeEntry(Engine& engine, Action action, TapeKind kind, int32_t argument) : engine_(engine) {
  Tape& tape = engine.tape;
  const bool outermost = tape.open++ == 0;
  if (!outermost || kind == TapeKind::kNone || !tape.recording) return;
  const CalcState& s = engine.state;
  step_ = &NextSlot(tape);
  step_->kind = kind;
  step_->action = action;
  step_->argument = argument;
  step_->keyed.clear();
  // A number being typed; what an error or a finished entry (after ST+)
  // leaves in the entry line was keyed for no command.
  if (kind != TapeKind::kBare && !s.errorShown && s.entryTyped && !s.entryText.empty()) {
    // The typed number by its value, as the display formats a register.
    if (IsIntegerBase(s.base)) {
      step_->keyed = IntegerEntryToDecimal(s);
    } else {
      step_->keyed = s.entryText;
      AppendEntryExponent(step_->keyed, s.exponentText);
    }
  }
  step_->keyedModes = ModesOf(s);
  wasError_ = s.errorShown;
}

TapeEntry::~TapeEntry() {
  Tape& tape = engine_.tape;
  --tape.open;
  if (step_ == nullptr) return;
  const CalcState& s = engine_.state;
  step_->resultModes = ModesOf(s);
  if (step_->kind == TapeKind::kRegister) step_->argument = int32_t(s.memoryIndex);
  if (step_->kind == TapeKind::kDigitCount) {
    step_->action = Action{ActionKind::kDisplay, s.display};
    step_->argument = s.CurrentDigits();
  }
  if (s.errorShown && !wasError_) {
    step_->result = TapeResult::kError;
    step_->resultText = s.errorText;
  } else if ((step_->kind == TapeKind::kResult || step_->kind == TapeKind::kBit) && !s.errorShown) {
    step_->result = TapeResult::kValue;
    AssignText(step_->resultText, s.stackX);
  } else {
    step_->result = TapeResult::kNone;
  }
  ++tape.stepCount;
}

void ClearTape(Engine& engine) {
  Tape& tape = engine.tape;
  tape.lines.clear();
  tape.firstStep = 0;
  tape.stepCount = 0;
  ++tape.changes;
}

}  // namespace vxc
