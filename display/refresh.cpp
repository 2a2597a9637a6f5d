// Display composition: the four lines, the font size and the error look.
#include <algorithm>
#include <charconv>

#include "display.h"

namespace vxc {
namespace {

int FontForWidth(size_t width) {
  if (width <= 25) return kFontNormal;
  if (width <= 35) return kFontSmall;
  return kFontTiny;
}

}  // namespace

LineText FormatRegister(std::string& text, const CalcState& state) {
  if (text.empty()) return {};
  if (IsIntegerBase(state.base)) return FormatInteger(text, state.base, state.range);
  return FormatReal(text, state.display, state.CurrentDigits());
}

namespace {

// A digit-count box's text, written into the string it had.
void WriteDigitCount(int32_t count, std::string& box) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, count).ptr;
  box.assign(digits, end);
}

}  // namespace

namespace {

// The register lines: T, Z and Y into the frame, X into the memo. In REAL
// a line is formatted only when its text is none of the four composed last
// time or the format changed; the integer modes round the registers in
// place and always format afresh.
// Returns whether X's line was composed afresh.
bool ComposeRegisterLines(CalcState& state, DisplayFrame& frame) {
  RegisterLineMemo& memo = frame.memo;
  const bool real = !IsIntegerBase(state.base);
  const bool sameFormat = memo.valid && real && memo.display == state.display && memo.digits == state.CurrentDigits();
  std::string* const texts[4] = {&state.stackT, &state.stackZ, &state.stackY, &state.stackX};
  LineText* const lines[4] = {&frame.lines[kLineT], &frame.lines[kLineZ], &frame.lines[kLineY], &memo.x};
  // Where each line's text stood last time: in place, in another register
  // (kept aside before it is overwritten), or nowhere (formatted).
  int from[4];
  bool allInPlace = sameFormat;
  for (size_t i = 0; i < 4; ++i) {
    from[i] = -1;
    if (!sameFormat) continue;
    if (memo.texts[i] == *texts[i]) {
      from[i] = static_cast<int>(i);
      continue;
    }
    allInPlace = false;
    for (size_t j = 0; j < 4 && from[i] < 0; ++j) {
      if (memo.texts[j] == *texts[i]) from[i] = static_cast<int>(j);
    }
  }
  if (allInPlace) return false;  // the format is the memo's, so nothing else changes
  for (size_t i = 0; i < 4; ++i) {
    if (from[i] >= 0 && from[i] != static_cast<int>(i)) memo.previousLines[from[i]] = *lines[from[i]];
  }
  for (size_t i = 0; i < 4; ++i) {
    if (from[i] == static_cast<int>(i)) continue;
    if (from[i] >= 0) {
      *lines[i] = memo.previousLines[from[i]];
    } else {
      *lines[i] = FormatRegister(*texts[i], state);
    }
    if (real) AssignText(memo.texts[i], *texts[i]);
  }
  memo.valid = real;
  memo.display = state.display;
  memo.digits = state.CurrentDigits();
  return from[kLineX] != kLineX;
}

}  // namespace

void RefreshInto(CalcState& state, bool formatEntry, DisplayFrame& frame) {
  const bool xComposed = ComposeRegisterLines(state, frame);
  const LineText& x = frame.memo.x;
  size_t width = std::max({frame.lines[kLineT].main.size(), frame.lines[kLineZ].main.size(),
                           frame.lines[kLineY].main.size()});
  if (!state.errorShown) {
    width = std::max(width, x.main.size());
    if (state.Typing()) width = std::max(width, state.entryText.size());
  }
  frame.fontPixels = FontForWidth(width);

  LineText& xLine = frame.lines[kLineX];
  if (state.errorShown) {
    xLine.main = state.errorText;
    xLine.exponent.clear();
  } else if (!state.Typing()) {
    if (xComposed || !frame.memo.xLineIsX) xLine = x;
  } else if (formatEntry) {
    std::string entry = ComposeEntryText(state.entryText, state.exponentText);  // formatted on a copy, never rounded in place
    xLine = FormatRegister(entry, state);
  } else {
    xLine.main = state.entryText;
    xLine.exponent = state.exponentText;
  }
  frame.xIsError = state.errorShown;
  frame.memo.xLineIsX = !state.errorShown && !state.Typing();
  for (size_t i = 0; i < frame.digitCounts.size(); ++i) {
    if (frame.memo.digitCounts[i] == state.digits[i]) continue;
    WriteDigitCount(state.digits[i], frame.digitCounts[i]);
    frame.memo.digitCounts[i] = state.digits[i];
  }
  if (state.xPanel) {
    ComposePanelInto(state, frame.panel);  // after X was rounded in place
    frame.memo.panelEmpty = false;
  } else if (!frame.memo.panelEmpty) {
    frame.panel = PanelText{};
    frame.memo.panelEmpty = true;
  }
}

DisplayFrame Refresh(CalcState& state, bool formatEntry) {
  DisplayFrame frame;
  RefreshInto(state, formatEntry, frame);
  return frame;
}

bool RefreshIfStale(Engine& engine, DisplayFrame& frame) {
  const DisplayMark mark = TakeDisplayMark(engine);
  if (mark.stale) RefreshInto(engine.state, mark.formatEntry, frame);
  return mark.stale;
}

std::string CopyText(const DisplayFrame& frame, const CalcState& state) {
  if (state.errorShown) return "";
  const LineText& x = frame.lines[kLineX];
  if (x.exponent.empty()) return x.main;
  return x.main + "e" + x.exponent;
}

std::string CopyFullText(const DisplayFrame& frame, const CalcState& state) {
  if (state.errorShown) return "";
  if (IsIntegerBase(state.base)) return CopyText(frame, state);
  if (!state.Typing()) return state.stackX;
  // The entry as the engine reads it: an empty mantissa counts as 0, and a
  // mantissa that holds X's own exponent keeps only that one.
  if (state.entryText.empty()) return "0";
  return ComposeEntryText(state.entryText, state.exponentText);
}

}  // namespace vxc
