// Copy and paste round trips over random registers in every mode, display
// format and digit count: Copy Full Precision then Paste gives back the
// register; Copy then Paste gives back the value shown, exponent included.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "display.h"
#include "engine.h"
#include "real.h"

namespace vxc {

void PrintTo(const LineText& line, std::ostream* os) { *os << '"' << line.main << "\" \"" << line.exponent << '"'; }

namespace {

struct Modes {
  uint32_t base, display, range;
  int digits;
};

struct Calc {
  Engine engine;
  DisplayFrame frame;
  explicit Calc(const Modes& m) {
    InitNumbers();
    CalcState& s = engine.state;
    s.base = m.base;
    s.display = m.display;
    s.range = m.range;
    s.digits = {m.digits, m.digits, m.digits};
  }
  // X holds `text` as a finished number, shown as the window shows it.
  void ShowX(const std::string& text) {
    engine.state.stackX = text;
    engine.state.xComplete = true;
    Show();
  }
  const LineText& Show(bool formatEntry = false) {
    MarkDisplayStale(engine, formatEntry);
    RefreshIfStale(engine, frame);
    return frame.lines[kLineX];
  }
};

// A REAL register: up to 76 significant digits, decimal exponents from
// -130 to 31 (beyond -99 the register holds its own "e" form).
std::string RandomRealText(std::mt19937_64& random) {
  const int digitCount = 1 + int(random() % 76);
  std::string text = random() % 2 ? "-" : "";
  text += char('1' + random() % 9);
  text += '.';
  for (int i = 1; i < digitCount; ++i) text += char('0' + random() % 10);
  const int spread = random() % 8 == 0 ? 162 : 60;  // now and then the far exponents
  const long exponent = 31 - long(random() % spread);
  return Real::FromString(text + "e" + std::to_string(exponent)).ToCanonicalText();
}

// An integer register within the word: signed in DEC, unsigned otherwise,
// as the display shows it.
std::string RandomIntegerText(std::mt19937_64& random, uint32_t base, uint32_t range) {
  const int bits = 64 >> range;
  uint64_t word = random();
  if (bits < 64) word &= (uint64_t{1} << bits) - 1;
  if (base == kBaseDec) word >>= 1;  // DEC pastes no minus sign: the positive half
  return std::to_string(word);
}

// The value of the entry line, as the engine reads it.
std::string EntryValue(const CalcState& s) {
  std::string composed = s.entryText;
  if (!s.exponentText.empty() && composed.find('e') == std::string::npos) composed += "e" + s.exponentText;
  return Real::FromString(composed).ToCanonicalText();
}

// The value a display line shows (grouping dropped). Values compare, not
// texts: a rounding carry shows SCI 9.996 as "10.00" beside "0", which
// pastes back as 10 and then shows "1.00" beside "1"; a negative value
// rounded to zero shows "-0.00" and pastes back as zero.
std::string ShownValue(const LineText& line, uint32_t base) {
  std::string text;
  for (char c : line.main)
    if (c != ',') text += c;
  if (IsIntegerBase(base)) return text;
  if (!line.exponent.empty()) text += "e" + line.exponent;
  return Real::FromString(text).ToCanonicalText();
}

// Each register is copied both ways, each copy pasted into a fresh calculator.
TEST(RoundTrip, PasteGivesBackWhatWasCopied) {
  std::vector<Modes> modes;
  for (uint32_t display : {kDisplayFix, kDisplaySci, kDisplayEng})
    for (int digits : {0, 2, 7, 32}) modes.push_back({kBaseReal, display, kRangeQW, digits});
  for (uint32_t base : {kBaseDec, kBaseHex, kBaseOct, kBaseBin})
    for (uint32_t range : {kRangeQW, kRangeDW, kRangeW, kRangeB}) modes.push_back({base, kDisplayFix, range, 2});
  std::mt19937_64 random(20261206);
  int withExponent = 0;
  for (const Modes& m : modes) {
    for (int n = 0; n < 200; ++n) {
      const bool real = m.base == kBaseReal;
      const std::string text = real ? RandomRealText(random) : RandomIntegerText(random, m.base, m.range);
      // ENTER on a pasted "e" form says out of range, as +/- on it does.
      const bool enter = text.find('e') == std::string::npos;
      Calc from(m);
      from.ShowX(text);
      const LineText& x = from.frame.lines[kLineX];
      withExponent += x.exponent.empty() ? 0 : 1;

      // Copy Full Precision then Paste: the register.
      const std::string full = CopyFullText(from.frame, from.engine.state);
      Calc to(m);
      PasteEntry(to.engine, full);
      const CalcState& s = to.engine.state;
      if (real) {
        EXPECT_EQ(full, text) << "the register's own text";
        ASSERT_EQ(EntryValue(s), text) << "pasted " << full << " in " << m.display << "/" << m.digits;
        EXPECT_EQ(CopyFullText(to.frame, s), full);  // the entry copies as it pasted
      }
      if (enter) {
        Dispatch(to.engine, cmd::kEnter);
        to.Show();
        EXPECT_EQ(s.stackX, text) << "pasted " << full << " in base " << m.base << " range " << m.range;
        EXPECT_EQ(to.frame.lines[kLineX], x) << full;
      }

      // Copy then Paste: REAL's pasted entry, formatted as a DISPLAY choice
      // formats it, shows the value that was copied; the exponent came
      // along. The integer modes show the entry as typed: the digits copied.
      const std::string copied = CopyText(from.frame, from.engine.state);
      Calc again(m);
      PasteEntry(again.engine, copied);
      ASSERT_TRUE(again.engine.state.Typing()) << copied;
      if (real) {
        EXPECT_EQ(ShownValue(again.Show(true), m.base), ShownValue(x, m.base)) << "copied " << copied << " from " << text;
      } else {
        EXPECT_EQ(again.Show().main, copied);
      }
      if (enter) {
        Dispatch(again.engine, cmd::kEnter);
        EXPECT_EQ(ShownValue(again.Show(), m.base), ShownValue(x, m.base)) << "copied " << copied << " from " << text;
      }
    }
  }
  EXPECT_GT(withExponent, 1000);  // SCI and ENG always, FIX now and then
}

}  // namespace
}  // namespace vxc
