// The REAL formatter and the display frame against expected strings (what
// keys reach: tests/cases/display.cases).
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vxc
