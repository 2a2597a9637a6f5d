// Operations shared by the command files of the engine. Internal: the
// front-ends use engine.h.
#pragma once

#include <string>

#include "engine.h"

namespace vxc {

using CommandHandler = void (*)(Engine&, CommandId);

// Unless `force` is false and an entry is typed or the lift is disabled:
// T := Z, Z := Y, Y := X. Returns whether it lifted.
bool LiftStack(CalcState& s, bool force);
// Y := Z, Z := T; T keeps its value.
void DropStack(CalcState& s);
// Empties both entry texts and clears the four entry flags.
void ClearEntry(CalcState& s);
// A typed entry becomes exact decimal text in entryText.
void CommitEntry(CalcState& s);
// ComposeEntryText in place: appends "e" and the typed exponent.
void AppendEntryExponent(std::string& mantissa, const std::string& exponent);
// The X operand of a one-operand command: the composed entry or stackX.
std::string FetchOperand(const CalcState& s);
// Leaves the X operand in entryText and returns the first operand: the
// value the Y line shows (stackY), also for an entry begun without a lift.
const std::string& FetchOperandPair(CalcState& s);
// Stores a result into X (see the flags it leaves in the header comment of
// shared_ops.cpp). With `checkRange`, a result out of range is "Overflow !".
void StoreResult(Engine& engine, const std::string& result, bool checkRange = true);
// Before PI and RCL push: a typed entry becomes X and is pushed once.
void TerminateEntry(CalcState& s);

// Shows the message of `error` in the X line, locks the keypad, beeps with
// the alarm on.
void ReportError(Engine& engine, CalcError error);
// The result range test: above 10^32, or an exponent part above 99.
bool ResultOutOfRange(const std::string& text);

// Value of an integer-mode entry as signed decimal text (the typed digits
// read in the radix of BASE as a 128-bit number).
std::string IntegerEntryToDecimal(const CalcState& s);

// Command handlers, one group per file.
void EntryDigit(Engine& e, CommandId id);
void EntryPoint(Engine& e, CommandId id);
void EntryExponent(Engine& e, CommandId id);
void EntryChangeSign(Engine& e, CommandId id);
void EntryBackspace(Engine& e, CommandId id);
void StackEnter(Engine& e, CommandId id);
void StackClearX(Engine& e, CommandId id);
void StackSwapXY(Engine& e, CommandId id);
void StackRoll(Engine& e, CommandId id);
void StackLastX(Engine& e, CommandId id);
void ChangeDigitCount(Engine& e, CommandId id);
void Arithmetic(Engine& e, CommandId id);       // + - x / in every mode
void RealFunction(Engine& e, CommandId id);     // one-operand REAL keys and Y^X
void Factorial(Engine& e, CommandId id);
void PushPi(Engine& e, CommandId id);
void BitOperation(Engine& e, CommandId id);     // AND OR XOR XNOR SHL SHR NEG NOT
void MemoryKey(Engine& e, CommandId id);        // RCL STO ST- ST+
void LcmGcd(Engine& e, CommandId id);
void MoreRealFunction(Engine& e, CommandId id);     // the REAL functions of the Function menu
void Modulo(Engine& e, CommandId id);               // MOD: floored in REAL, as / divides in the integer modes
void MoreIntegerFunction(Engine& e, CommandId id);  // rotates, bit count, masks, byte swap

// Notes one step on the tape when it closes: what was keyed when it opened,
// then `kind`'s lines for `action`. An error the step raised becomes its
// result line. Only the outermost guard notes anything.
//
//     void SelectSomething(Engine& e, uint32_t v) {
//       TapeEntry tape(e, Action{ActionKind::kBase, v}, v != e.state.base ? TapeKind::kName : TapeKind::kNone);
//       ...
//     }
class TapeEntry {
 public:
  TapeEntry(Engine& engine, Action action, TapeKind kind, int32_t argument = 0);
  ~TapeEntry();
  TapeEntry(const TapeEntry&) = delete;
  TapeEntry& operator=(const TapeEntry&) = delete;

 private:
  Engine& engine_;
  TapeStep* step_ = nullptr;  // null: this guard notes nothing
  bool wasError_ = false;
};

// What a command of the command table writes on the tape, by its handler:
// the entry keys nothing, the stack and memory keys their name, every
// other command (the arithmetic and every function) its result too.
TapeKind TapeKindOf(CommandHandler handler);

// Integer + - x / (integer_modes.cpp), called by Arithmetic.
void IntegerArithmetic(Engine& e, CommandId id);
// MOD of the integer modes (more_integer_functions.cpp), called by Modulo.
void IntegerModulo(Engine& e);

}  // namespace vxc
