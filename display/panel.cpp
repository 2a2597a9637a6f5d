// The X panel: X's word in every integer reading, or all of X's digits.
//
// The integer rows read X as the bit operations do: rounded like the
// display, reduced to the word size. A typed entry counts by its value.
#include <charconv>
#include <string>
#include <string_view>

#include "display.h"
#include "integer.h"
#include "real.h"

namespace vxc {
namespace {

// Digits of a word in HEX or OCT (4 or 3 bits a digit), upper case.
void PowerOfTwoDigits(PanelRowText& row, uint64_t w, int bitsPerDigit) {
  char buffer[64];
  char* const end = buffer + sizeof buffer;
  char* p = end;
  const uint64_t mask = (uint64_t{1} << bitsPerDigit) - 1;
  do {
    *--p = "0123456789ABCDEF"[w & mask];
    w >>= bitsPerDigit;
  } while (w != 0);
  row.Assign(std::string_view(p, static_cast<size_t>(end - p)));
}

// A word in BIN, all `bits` digits (a multiple of 4), four at a time.
void BinaryDigits(PanelRowText& row, uint64_t w, int bits) {
  static constexpr char kNibbles[] = "0000000100100011010001010110011110001001101010111100110111101111";
  char buffer[64];
  for (int nibble = bits / 4 - 1, at = 0; nibble >= 0; --nibble, at += 4) {
    std::copy_n(kNibbles + 4 * ((w >> (4 * nibble)) & 0xF), 4, buffer + at);
  }
  row.Assign(std::string_view(buffer, static_cast<size_t>(bits)));
}

// A word in decimal, with a '-' first when `negative` (w then the magnitude).
void DecimalDigits(PanelRowText& row, uint64_t w, bool negative) {
  char buffer[24];
  char* begin = buffer + 1;
  const auto end = std::to_chars(begin, buffer + sizeof buffer, w).ptr;
  if (negative) *--begin = '-';
  row.Assign(std::string_view(begin, static_cast<size_t>(end - begin)));
}

void IntegerPanel(const CalcState& s, PanelText& panel) {
  const WordSize word = WordSizeOf(s.range);
  const uint64_t w = s.Typing() ? ParseLow64InRadix(s.entryText, RadixOf(s.base)) & word.mask
                                : WordOfText(s.stackX, word);
  panel.kind = PanelKind::kInteger;
  panel.wordBits = word.bits;
  PowerOfTwoDigits(panel.rows[kPanelHex], w, 4);
  DecimalDigits(panel.rows[kPanelUdec], w, false);
  const int64_t signedValue = word.Signed(w);
  if (signedValue < 0) {
    DecimalDigits(panel.rows[kPanelDec], uint64_t(0) - uint64_t(signedValue), true);
  } else {
    panel.rows[kPanelDec] = panel.rows[kPanelUdec];
  }
  PowerOfTwoDigits(panel.rows[kPanelOct], w, 3);
  BinaryDigits(panel.rows[kPanelBin], w, word.bits);
}

// A typed REAL number ("-1.50", "2.5e-12") written out positionally without
// its spare zeros: that is its canonical text whenever that text has no
// exponent part, and costs far less than reading and printing the value.
std::string PositionalEntry(std::string_view mantissa, std::string_view exponent) {
  const bool negative = !mantissa.empty() && mantissa[0] == '-';
  if (negative) mantissa.remove_prefix(1);
  std::string digits;
  long point = -1;  // digits before the decimal point
  for (char c : mantissa) {
    if (c == '.' && point < 0) {
      point = static_cast<long>(digits.size());
    } else if (c >= '0' && c <= '9') {
      digits += c;
    } else {
      return {};  // an "e" from X taken over by +/-, or anything odd
    }
  }
  if (point < 0) point = static_cast<long>(digits.size());
  long shift = 0;
  if (!exponent.empty()) {
    const bool down = exponent[0] == '-';
    const auto from = exponent.data() + (down ? 1 : 0);
    const auto [end, ec] = std::from_chars(from, exponent.data() + exponent.size(), shift);
    if (ec != std::errc() || end != exponent.data() + exponent.size() || shift > 999) return {};
    if (down) shift = -shift;
  }
  point += shift;
  const size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return "0";
  digits.erase(0, first);
  point -= static_cast<long>(first);
  digits.erase(digits.find_last_not_of('0') + 1);
  const long count = static_cast<long>(digits.size());
  std::string out = negative ? "-" : "";
  if (point <= 0) {
    out += "0.";
    out.append(static_cast<size_t>(-point), '0');
    out += digits;
  } else if (point >= count) {
    out += digits;
    out.append(static_cast<size_t>(point - count), '0');
  } else {
    out.append(digits, 0, static_cast<size_t>(point));
    out += '.';
    out.append(digits, static_cast<size_t>(point), std::string::npos);
  }
  return out;
}

// Every digit of the value. Register texts are mostly canonical already;
// only others (a 32-digit result, a typed 1.50, an exponent) are converted.
std::string FullText(const std::string& text) {
  if (text.empty() || IsCanonicalDecimal(text)) return text;
  return Real::FromString(text).ToCanonicalText();
}

}  // namespace

PanelText ComposePanel(const CalcState& s) {
  PanelText panel;
  ComposePanelInto(s, panel);
  return panel;
}

void ComposePanelInto(const CalcState& s, PanelText& panel) {
  if (s.errorShown) {
    panel.kind = PanelKind::kEmpty;
    return;
  }
  if (IsIntegerBase(s.base)) {
    IntegerPanel(s, panel);
    return;
  }
  panel.kind = PanelKind::kReal;
  if (!s.Typing()) {
    panel.full = FullText(s.stackX);
    return;
  }
  std::string positional = PositionalEntry(s.entryText, s.exponentText);
  if (IsCanonicalDecimal(positional)) {
    panel.full = std::move(positional);
  } else {
    panel.full = Real::FromString(ComposeEntryText(s.entryText, s.exponentText)).ToCanonicalText();  // a second "e" ends the reading
  }
}

}  // namespace vxc
