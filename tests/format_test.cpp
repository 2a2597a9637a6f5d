// The REAL formatter, the display frame and the X panel's readouts against
// expected strings (what keys reach: tests/cases/display.cases).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "decimal_text.h"
#include "display.h"
#include "engine.h"

namespace vxc {
namespace {

struct FormatCase {
  const char* text;
  uint32_t display;
  int digits;
  const char* main;
  const char* exponent;
};

constexpr uint32_t F = kDisplayFix, S = kDisplaySci, E = kDisplayEng;

// What the keys reach (the worked table of FIX, SCI and ENG, rounding,
// carries, exponents below -99, the font sizes, the X line's precedence) is in
// display.cases; here the texts no key leaves in a register.
TEST(FormatReal, TextsNoKeyMakes) {
  const FormatCase cases[] = {
      {"", F, 2, "", ""}, {"", S, 2, "", ""}, {"-0", F, 2, "-0.00", ""},
      {"-1.5e-120", F, 2, "-0.00", ""},  // keeps its sign
      {"1.5e3", F, 2, "1,500.00", ""},   // a typed exponent
      {"1e100", S, 2, "1.00", "100"},
      {"1e100", F, 0, nullptr, ""},  // "10" and 33 groups of ",000"
  };
  for (const FormatCase& c : cases) {
    std::string main = c.main ? c.main : "10";  // nullptr: 10^100 written out
    for (int i = 0; !c.main && i < 33; ++i) main += ",000";
    const LineText line = FormatReal(c.text, c.display, c.digits);
    EXPECT_EQ(line, (LineText{main, c.exponent})) << c.text << " mode " << c.display << " digits " << c.digits;
  }
}

// A message never shrinks the font; an empty register shows nothing.
TEST(RefreshFrame, LongMessageAndEmptyRegister) {
  CalcState s;
  s.errorShown = true;
  s.errorText = "Devide by zero ! with a long tail of text";
  s.stackZ = "";
  const DisplayFrame f = Refresh(s, false);
  EXPECT_EQ(f.fontPixels, kFontNormal);
  EXPECT_EQ(f.lines[kLineZ], (LineText{"", ""}));
}

// The eight-at-a-time digit scan stops exactly where a character-by-
// character scan stops, for every byte at every place of a long run.
TEST(SkipDecimalDigits, StopsAtTheFirstNonDigit) {
  const std::string digits = "0123456789012345678901234567";
  for (int byte = 0; byte < 256; ++byte) {
    const bool isDigit = byte >= '0' && byte <= '9';
    for (size_t at = 0; at < digits.size(); ++at) {
      std::string text = digits;
      text[at] = static_cast<char>(byte);
      for (size_t from : {size_t(0), size_t(3)}) {
        const size_t expected = isDigit || at < from ? text.size() : at;
        ASSERT_EQ(SkipDecimalDigits(text, from), expected) << "byte " << byte << " at " << at << " from " << from;
      }
    }
  }
  EXPECT_EQ(SkipDecimalDigits("", 0), 0u);
  EXPECT_EQ(SkipDecimalDigits("12", 2), 2u);
}

// The X panel's readouts: X's word at the edges of each word size, X's
// digits in REAL, and when the refresh composes them. An entry read in its
// base, words beyond the word size and REAL entries: x_panel.cases.
struct WordCase {
  uint32_t range;
  std::string x;  // stackX
  std::string hex, dec, udec, oct, bin;
};

// A BIN row: the top bit, then `fill` for the others.
std::string Bits(int bits, char top, char fill) { return std::string(1, top) + std::string(bits - 1, fill); }

PanelText PanelOf(uint32_t base, uint32_t range, const std::string& x) {
  CalcState s;
  s.base = base;
  s.range = range;
  s.stackX = x;
  return ComposePanel(s);
}

void ExpectRows(const WordCase& c) {
  const PanelText p = PanelOf(kBaseHex, c.range, c.x);
  SCOPED_TRACE(c.x + " range " + std::to_string(c.range));
  EXPECT_EQ(p.kind, PanelKind::kInteger);
  EXPECT_EQ(p.wordBits, static_cast<int>(c.bin.size()));
  std::vector<std::string> rows;
  for (int i : {kPanelHex, kPanelDec, kPanelUdec, kPanelOct, kPanelBin}) rows.emplace_back(p.rows[i].view());
  EXPECT_EQ(rows, (std::vector{c.hex, c.dec, c.udec, c.oct, c.bin}));
  EXPECT_EQ(p.full, "");
}

std::string Printed(const char* format, uint64_t v) {
  char out[32];
  std::snprintf(out, sizeof out, format, static_cast<unsigned long long>(v));
  return out;
}

// Each word's edges against printf: 0, -1, the sign bit alone (from either
// side), the largest signed value, and 2^bits, which wraps to 0.
TEST(XPanel, IntegerRowsAtTheEdgesOfEachWord) {
  for (const auto& [range, bits] : {std::pair{kRangeQW, 64}, {kRangeDW, 32}, {kRangeW, 16}, {kRangeB, 8}}) {
    const uint64_t ones = bits == 64 ? ~0ull : (1ull << bits) - 1, sign = 1ull << (bits - 1);
    const std::string min = "-" + std::to_string(sign), max = std::to_string(sign - 1);
    const struct {
      std::string x;
      uint64_t word;
      std::string dec, bin;
    } rows[] = {
        {"0", 0, "0", Bits(bits, '0', '0')}, {"-1", ones, "-1", Bits(bits, '1', '1')},
        {std::to_string(sign), sign, min, Bits(bits, '1', '0')}, {min, sign, min, Bits(bits, '1', '0')},
        {max, sign - 1, max, Bits(bits, '0', '1')},
        {bits == 64 ? "18446744073709551616" : std::to_string(ones + 1), 0, "0", Bits(bits, '0', '0')},
    };
    for (const auto& r : rows) {
      ExpectRows({range, r.x, Printed("%llX", r.word), r.dec, std::to_string(r.word),
                  Printed("%llo", r.word), r.bin});
    }
  }
  // A register no key leaves in an integer mode (a hand-edited file can).
  ExpectRows({kRangeB, "3.6e-200", "0", "0", "0", "0", Bits(8, '0', '0')});
}

// What keys reach is in x_panel.cases; here the registers they do not: a
// negative zero, and more than 76 digits.
TEST(XPanel, RealShowsEveryDigitOfTheValue) {
  EXPECT_EQ(PanelOf(kBaseReal, kRangeQW, "-0").full, "0");
  const char* pi = "3.1415926535897932384626433832795028841971693993751058209749445923078164062862";
  EXPECT_EQ(PanelOf(kBaseReal, kRangeQW, pi).full, std::string(pi, 77));  // the 76th digit rounded
}

// The refresh composes the panel only while it is on, and after rounding X.
TEST(XPanel, RefreshComposesItOnlyWhileOn) {
  CalcState s;
  s.base = kBaseDec;
  s.stackX = "2.5";
  EXPECT_EQ(Refresh(s, false).panel, PanelText{});
  s.xPanel = true;
  s.stackX = "2.5";
  const DisplayFrame frame = Refresh(s, false);
  EXPECT_EQ(frame.panel, ComposePanel(s));
  EXPECT_EQ(frame.panel.rows[kPanelDec], "3");
}

}  // namespace
}  // namespace vxc
