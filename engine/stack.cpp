// Stack keys: ENTER, CLX, X<>Y, the rolls and LastX; and the digit-count
// keys, which change only what the display shows.
#include <algorithm>
#include <string>

#include "ops.h"
#include "real.h"

namespace vxc {
namespace {

// The entry's value as decimal text, for X<>Y: the composed text in REAL
// and DEC, the typed digits converted in HEX, OCT and BIN.
std::string EntryValueText(const CalcState& s) {
  if (s.entryText.empty()) return "0";
  if (s.base == kBaseHex || s.base == kBaseOct || s.base == kBaseBin) return IntegerEntryToDecimal(s);
  return ComposeEntryText(s.entryText, s.exponentText);
}

}  // namespace

void StackEnter(Engine& e, CommandId) {
  CalcState& s = e.state;
  s.stackT = std::move(s.stackZ);
  s.stackZ = s.stackY;
  if (!s.Typing()) {
    s.stackY = s.stackX;
  } else if (IsIntegerBase(s.base)) {
    s.stackY = IntegerEntryToDecimal(s);
  } else {
    s.entryText = Real::CanonicalText(s.entryText);
    const std::string composed = ComposeEntryText(s.entryText, s.exponentText);
    // Without an exponent the entry is already its own print: a print reads
    // back to a value that prints the same.
    std::string printed = s.exponentText.empty() ? composed : Real::FromString(composed).ToCanonicalText();
    if (ResultOutOfRange(printed)) {
      ReportError(e, CalcError::kOverflow);  // Y keeps its value
    } else if (printed.find('e') != std::string::npos) {
      s.stackY = std::move(printed);  // below 10^-99: the "e" form of any tiny result
    } else {
      s.stackY = composed;
    }
  }
  s.stackX = s.stackY;
  ClearEntry(s);
  s.xComplete = true;
  s.liftDisabled = true;
  MarkDisplayStale(e);
}

void StackClearX(Engine& e, CommandId) {
  CalcState& s = e.state;
  if (s.errorShown) {
    s.errorShown = false;
    ClearEntry(s);
  } else {
    s.entryText.clear();  // the flags stay: an entry goes on, empty
    s.exponentText.clear();
  }
  MarkDisplayStale(e);
}

void StackSwapXY(Engine& e, CommandId) {
  CalcState& s = e.state;
  if (s.Typing()) s.stackX = EntryValueText(s);
  std::swap(s.stackX, s.stackY);
  ClearEntry(s);
  MarkDisplayStale(e);
}

void StackRoll(Engine& e, CommandId id) {
  CalcState& s = e.state;
  if (s.Typing()) {
    CommitEntry(s);
    s.stackX = s.entryText.empty() ? "0" : s.entryText;
  }
  if (id == cmd::kRollUp) {
    std::string oldT = std::move(s.stackT);
    s.stackT = std::move(s.stackZ);
    s.stackZ = std::move(s.stackY);
    s.stackY = std::move(s.stackX);
    s.stackX = std::move(oldT);
  } else {
    std::string oldX = std::move(s.stackX);
    s.stackX = std::move(s.stackY);
    s.stackY = std::move(s.stackZ);
    s.stackZ = std::move(s.stackT);
    s.stackT = std::move(oldX);
  }
  ClearEntry(s);
  MarkDisplayStale(e);
}

void StackLastX(Engine& e, CommandId) {
  CalcState& s = e.state;
  LiftStack(s, false);
  ClearEntry(s);
  s.stackX = s.lastX;
  s.xComplete = true;
  MarkDisplayStale(e);
}

void ChangeDigitCount(Engine& e, CommandId id) {
  CalcState& s = e.state;
  if (s.display > kDisplayEng) return;
  int32_t& count = s.digits[s.display];
  count = std::clamp(count + (id == cmd::kDigitsUp ? 1 : -1), 0, kMaxDigitCount);
  s.exponentEntry = false;
  MarkDisplayStale(e);
}

}  // namespace vxc
