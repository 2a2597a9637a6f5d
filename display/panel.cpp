// The X panel: X's word in every integer reading, or all of X's digits.
//
// The integer rows read X as the bit operations do: rounded like the
// display, reduced to the word size. A typed entry counts by its value.
#include <string>

#include "display.h"
#include "integer.h"
#include "real.h"

namespace vxc {
namespace {

PanelText IntegerPanel(const CalcState& s) {
  const WordSize word = WordSizeOf(s.range);
  const uint64_t w = s.Typing() ? word.Low(static_cast<UInt128>(ParseInt128InRadix(s.entryText, RadixOf(s.base))))
                                : WordOfText(s.stackX, word);
  PanelText panel;
  panel.kind = PanelKind::kInteger;
  panel.wordBits = word.bits;
  panel.rows[kPanelHex] = UInt128ToString(w, 16);
  panel.rows[kPanelDec] = Int128ToString(word.Signed(w));
  panel.rows[kPanelUdec] = UInt128ToString(w, 10);
  panel.rows[kPanelOct] = UInt128ToString(w, 8);
  std::string& bin = panel.rows[kPanelBin];
  bin.assign(static_cast<size_t>(word.bits), '0');
  for (int i = 0; i < word.bits; ++i) {
    if ((w >> i) & 1u) bin[static_cast<size_t>(word.bits - 1 - i)] = '1';
  }
  return panel;
}

// Every digit of the value. Register texts are mostly canonical already;
// only others (a 32-digit result, a typed 1.50, an exponent) are converted.
std::string FullText(const std::string& text) {
  if (text.empty() || IsCanonicalDecimal(text)) return text;
  return Real::FromString(text).ToCanonicalText();
}

}  // namespace

PanelText ComposePanel(const CalcState& s) {
  if (s.errorShown) return {};
  if (IsIntegerBase(s.base)) return IntegerPanel(s);
  PanelText panel;
  panel.kind = PanelKind::kReal;
  if (!s.Typing()) {
    panel.full = FullText(s.stackX);
  } else if (s.exponentText.empty()) {
    panel.full = FullText(s.entryText.empty() ? std::string("0") : s.entryText);
  } else {
    panel.full = FullText(s.entryText + "e" + s.exponentText);  // a second "e" ends the reading
  }
  return panel;
}

}  // namespace vxc
