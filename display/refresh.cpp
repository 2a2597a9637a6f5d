// Display composition: the four lines, the font size and the error look.
#include <algorithm>

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

std::array<std::string, 3> ShowDigitCounts(const CalcState& state) {
  return {std::to_string(state.digits[0]), std::to_string(state.digits[1]), std::to_string(state.digits[2])};
}

DisplayFrame Refresh(CalcState& state, bool formatEntry) {
  DisplayFrame frame;
  frame.lines[kLineT] = FormatRegister(state.stackT, state);
  frame.lines[kLineZ] = FormatRegister(state.stackZ, state);
  frame.lines[kLineY] = FormatRegister(state.stackY, state);
  const LineText x = FormatRegister(state.stackX, state);

  size_t width = std::max({frame.lines[kLineT].main.size(), frame.lines[kLineZ].main.size(),
                           frame.lines[kLineY].main.size()});
  if (!state.errorShown) {
    width = std::max(width, x.main.size());
    if (state.Typing()) width = std::max(width, state.entryText.size());
  }
  frame.fontPixels = FontForWidth(width);

  if (state.errorShown) {
    frame.lines[kLineX] = {state.errorText, ""};
  } else if (!state.Typing()) {
    frame.lines[kLineX] = x;
  } else if (formatEntry) {
    std::string entry = ComposeEntryText(state.entryText, state.exponentText);  // formatted on a copy, never rounded in place
    frame.lines[kLineX] = FormatRegister(entry, state);
  } else {
    frame.lines[kLineX] = {state.entryText, state.exponentText};
  }
  frame.xIsError = state.errorShown;
  frame.digitCounts = ShowDigitCounts(state);
  if (state.xPanel) ComposePanelInto(state, frame.panel);  // after X was rounded in place
  return frame;
}

bool RefreshIfStale(Engine& engine, DisplayFrame& frame) {
  const DisplayMark mark = TakeDisplayMark(engine);
  if (mark.stale) frame = Refresh(engine.state, mark.formatEntry);
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
