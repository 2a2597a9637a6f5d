// The register and entry helpers every command shares, and the reset of
// the calculator state.
//
// StoreResult leaves the flags of a finished value: liftDisabled and
// exponentEntry clear, xComplete set, even after an error, so the next
// digit starts a new number.
#include <string>
#include <utility>

#include "decimal_text.h"
#include "integer.h"
#include "ops.h"
#include "real.h"

namespace vxc {

void InitNumbers() { InitRealRange(); }

void MarkDisplayStale(Engine& engine, bool formatEntry) {
  engine.displayMark = DisplayMark{true, formatEntry};
  CalcState& s = engine.state;
  if (!IsIntegerBase(s.base)) return;
  for (std::string* text : {&s.stackT, &s.stackZ, &s.stackY, &s.stackX}) {
    if (!text->empty()) RoundToWholeNumber(*text);
  }
}

DisplayMark TakeDisplayMark(Engine& engine) { return std::exchange(engine.displayMark, DisplayMark{}); }

bool LiftStack(CalcState& s, bool force) {
  if (!force && (s.entryTyped || s.liftDisabled)) return false;
  // The texts move up; the one pushed off T lends its storage to the copy of X.
  std::swap(s.stackT, s.stackZ);
  std::swap(s.stackZ, s.stackY);
  AssignText(s.stackY, s.stackX);
  return true;
}

void DropStack(CalcState& s) {
  s.stackY = s.stackZ;
  s.stackZ = s.stackT;
}

void ClearEntry(CalcState& s) {
  s.entryText.clear();
  s.exponentText.clear();
  s.entryTyped = false;
  s.liftDisabled = false;
  s.exponentEntry = false;
  s.xComplete = false;
}

void AppendEntryExponent(std::string& mantissa, const std::string& exponent) {
  // A mantissa that already holds an exponent (X's "e" form taken over by
  // +/-) keeps it: every reader stops at a second "e" anyway.
  if (exponent.empty() || mantissa.find('e') != std::string::npos) return;
  mantissa.append("e").append(exponent);
}

std::string ComposeEntryText(const std::string& mantissa, const std::string& exponent) {
  std::string text = mantissa;
  AppendEntryExponent(text, exponent);
  return text;
}

std::string IntegerEntryToDecimal(const CalcState& s) {
  return Int128ToString(ParseInt128InRadix(s.entryText, RadixOf(s.base)));
}

void CommitEntry(CalcState& s) {
  if (s.entryText.empty()) return;
  if (IsIntegerBase(s.base)) {
    s.entryText = IntegerEntryToDecimal(s);
  } else {
    s.entryText = Real::CanonicalText(ComposeEntryText(s.entryText, s.exponentText));
  }
  s.exponentText.clear();
  s.xComplete = true;
  s.liftDisabled = false;
}

std::string FetchOperand(const CalcState& s) {
  if (s.entryText.empty()) return s.stackX;
  return ComposeEntryText(s.entryText, s.exponentText);
}

const std::string& FetchOperandPair(CalcState& s) {
  if (s.entryText.empty()) {
    // An exponent typed after CLX emptied the mantissa belongs to nothing:
    // the X operand is X itself, and LastX must not get a second "e".
    s.entryText = s.stackX;
    s.exponentText.clear();
  } else {
    CommitEntry(s);
  }
  return s.stackY;
}

void StoreResult(Engine& engine, const std::string& result, bool checkRange) {
  CalcState& s = engine.state;
  if (checkRange && ResultOutOfRange(result)) ReportError(engine, CalcError::kOverflow);
  if (!s.errorShown) {
    if (!s.entryText.empty()) {
      // The entry becomes LastX; the old LastX's storage serves the next entry.
      s.lastX.swap(s.entryText);
      AppendEntryExponent(s.lastX, s.exponentText);
    }
    AssignText(s.stackX, result);
    s.entryText.clear();
    s.exponentText.clear();
    s.entryTyped = false;
  }
  s.liftDisabled = false;
  s.exponentEntry = false;
  s.xComplete = true;
}

void TerminateEntry(CalcState& s) {
  if (s.entryText.empty()) return;
  s.stackX = IsIntegerBase(s.base) ? IntegerEntryToDecimal(s) : ComposeEntryText(s.entryText, s.exponentText);
  LiftStack(s, true);
  s.entryText.clear();
  s.exponentText.clear();
}

void ResetCalculatorState(CalcState& state) {
  const CalcState kept = state;
  state = CalcState();
  state.language = kept.language;
  state.xPanel = kept.xPanel;
  state.zoom = kept.zoom;
  state.theme = kept.theme;
  state.tapePane = kept.tapePane;
}

}  // namespace vxc
