// The entry line: digits, letters, the point, EEX, +/- and backspace.
// Entry keys never report errors: a key that is not allowed is ignored
// silently, without a refresh.
#include <string>

#include "integer.h"
#include "ops.h"

namespace vxc {
namespace {

// Rejects a candidate entry beyond the limits of the base and word size.
bool EntryTooLong(const CalcState& s, const std::string& candidate) {
  if (!IsIntegerBase(s.base)) {
    size_t length = candidate.size();
    if (!candidate.empty() && candidate[0] == '-') --length;
    if (candidate.find('.') != std::string::npos) --length;
    return length > 32;
  }
  const WordSize word = WordSizeOf(s.range);
  const UInt128 value = ParseUInt128(candidate, RadixOf(s.base));
  const uint64_t valueLimit = s.base == kBaseDec ? word.MaxSigned() : word.mask;
  if (value > valueLimit) return true;
  size_t lengthLimit = 32;
  if (s.base == kBaseHex) lengthLimit = 16;
  if (s.base == kBaseOct) lengthLimit = 22;
  if (s.base == kBaseBin) lengthLimit = 64;
  return candidate.size() > lengthLimit;
}

// Starts a fresh entry after a finished value: lifts, then types `text`.
void StartEntryWithLift(Engine& e, const std::string& text) {
  CalcState& s = e.state;
  LiftStack(s, true);
  s.entryText = text;
  s.exponentText.clear();
  s.xComplete = false;
  s.entryTyped = true;
  MarkDisplayStale(e);
}

void TypeDigitCharacter(Engine& e, char c) {
  CalcState& s = e.state;
  if (s.xComplete && !s.liftDisabled) {
    StartEntryWithLift(e, std::string(1, c));
    return;
  }
  s.xComplete = false;
  std::string candidate = s.entryText + c;
  if (EntryTooLong(s, candidate)) return;
  s.entryText = std::move(candidate);
  s.entryTyped = true;
  s.liftDisabled = false;
  MarkDisplayStale(e);
}

}  // namespace

void EntryDigit(Engine& e, CommandId id) {
  CalcState& s = e.state;
  if (id >= cmd::kLetterA) {
    if (s.base == kBaseHex) {
      TypeDigitCharacter(e, static_cast<char>('A' + (id - cmd::kLetterA)));
    } else if (id == cmd::kLetterE) {
      EntryExponent(e, cmd::kEex);  // E is EEX in REAL
    }
    return;
  }
  const int d = static_cast<int>(id - cmd::kDigit0);
  if (s.exponentEntry) {
    const size_t limit = (!s.exponentText.empty() && s.exponentText[0] == '-') ? 3 : 2;
    if (s.exponentText.size() >= limit) return;
    // A lone 0 after EEX, signed or not, is a placeholder the digit replaces.
    if (s.exponentText == "0" || s.exponentText == "-0") s.exponentText.pop_back();
    s.exponentText += static_cast<char>('0' + d);
    MarkDisplayStale(e);
    return;
  }
  TypeDigitCharacter(e, static_cast<char>('0' + d));
}

void EntryPoint(Engine& e, CommandId) {
  CalcState& s = e.state;
  if (s.exponentEntry) return;
  if (s.xComplete && !s.liftDisabled) {
    StartEntryWithLift(e, ".");
    return;
  }
  s.xComplete = false;
  if (s.entryText.find('.') != std::string::npos) return;
  s.entryText += '.';  // exempt from the length limit
  s.entryTyped = true;
  s.liftDisabled = false;
  MarkDisplayStale(e);
}

void EntryExponent(Engine& e, CommandId) {
  CalcState& s = e.state;
  if (!s.entryTyped) return;
  // +/- on a finished X can leave its "e" form in the entry; a second
  // exponent would be ignored by every reader, so EEX is refused there.
  if (s.entryText.find('e') != std::string::npos) return;
  s.exponentEntry = true;
  s.exponentText = "0";
  MarkDisplayStale(e);
}

namespace {
void ToggleLeadingMinus(std::string& text) {
  if (!text.empty() && text[0] == '-') {
    text.erase(0, 1);
  } else {
    text.insert(text.begin(), '-');
  }
}
}  // namespace

void EntryChangeSign(Engine& e, CommandId) {
  CalcState& s = e.state;
  if (s.exponentEntry && !s.entryText.empty()) {
    ToggleLeadingMinus(s.exponentText);
  } else {
    // On a finished X the negated text of X becomes a new entry, no lift.
    std::string text = s.entryText.empty() ? s.stackX : s.entryText;
    ToggleLeadingMinus(text);
    s.entryText = std::move(text);
  }
  s.entryTyped = true;
  s.liftDisabled = false;
  s.xComplete = false;
  MarkDisplayStale(e);
}

void EntryBackspace(Engine& e, CommandId) {
  CalcState& s = e.state;
  if (s.xComplete) return;  // a finished X cannot be edited
  std::string& text = s.exponentEntry ? s.exponentText : s.entryText;
  if (!text.empty()) text.pop_back();
  if (text == "-") text.clear();
  MarkDisplayStale(e);
}

}  // namespace vxc
