// The REAL formatter and the display frame against expected strings.
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

TEST(FormatReal, WorkedTableAndEdges) {
  const FormatCase cases[] = {
      {"0", F, 2, "0.00", ""},        {"0", F, 0, "0", ""},          {"0", S, 2, "0.00", "0"},
      {"0", E, 2, "0.00", "0"},       {"1234567.891", F, 2, "1,234,567.89", ""},
      {"1234567.891", F, 0, "1,234,568", ""}, {"1234567.891", S, 2, "1.23", "6"},
      {"1234567.891", E, 2, "1.23", "6"},     {"12345", F, 2, "12,345.00", ""},
      {"12345", F, 0, "12,345", ""},  {"12345", S, 2, "1.23", "4"},  {"12345", E, 2, "12.35", "3"},
      {"0.00012345", F, 2, "0.00", ""}, {"0.00012345", F, 0, "0", ""},
      {"0.00012345", S, 2, "1.23", "-4"}, {"0.00012345", E, 2, "123.45", "-6"},
      {"-0.005", F, 2, "-0.01", ""},  {"-0.005", F, 0, "-0", ""},    {"-0.005", S, 2, "-5.00", "-3"},
      {"-0.005", E, 2, "-5.00", "-3"}, {"-0.004", F, 2, "-0.00", ""}, {"-0.004", F, 0, "-0", ""},
      {"-0.004", S, 2, "-4.00", "-3"}, {"-0.004", E, 2, "-4.00", "-3"}, {"999.5", F, 2, "999.50", ""},
      {"999.5", F, 0, "1,000", ""},   {"999.5", S, 2, "10.00", "2"}, {"999.5", E, 2, "999.50", "0"},
      {"0.6666666666666666666666666666666666666666666666666666666666666666666666666667", F, 2, "0.67", ""},
      {"0.6666666666666666666666666666666666666666666666666666666666666666666666666667", F, 0, "1", ""},
      {"0.6666666666666666666666666666666666666666666666666666666666666666666666666667", S, 2, "6.67", "-1"},
      {"0.6666666666666666666666666666666666666666666666666666666666666666666666666667", E, 2, "666.67", "-3"},
      // edges
      {"", F, 2, "", ""},
      {"", S, 2, "", ""},
      {"1234.5", F, 0, "1,235", ""},
      {"1.2", S, 0, "1", "0"},
      {"12345.678", F, 32, "12,345.67800000000000000000000000000000", ""},
      {"2.5", F, 0, "3", ""},
      {"-2.5", F, 0, "-3", ""},
      {"0.005", F, 2, "0.01", ""},
      {"9.996", S, 2, "10.00", "0"},
      {"999.9999", E, 2, "1000.00", "0"},
      {"1234.56789", F, 5, "1,234.56789", ""},
      {"1.5e-120", S, 2, "1.50", "-120"},
      {"1.5e-120", E, 2, "1.50", "-120"},
      {"1.5e-120", F, 2, "0.00", ""},     // below 10^-99: zero with n decimals
      {"-1.5e-120", F, 2, "-0.00", ""},   // keeps its sign
      {"-0", F, 2, "-0.00", ""},
      {"1.5e3", F, 2, "1,500.00", ""},    // a typed exponent
      {"1.5e3", S, 2, "1.50", "3"},
      {"12e-5", E, 1, "120.0", "-6"},
      {"1e100", S, 2, "1.00", "100"},
      {"1e100", F, 0, nullptr, ""},  // "10" and 33 groups of ",000"
      {"-123456789", E, 3, "-123.457", "6"},
  };
  for (const FormatCase& c : cases) {
    std::string main = c.main ? c.main : "10";  // nullptr: 10^100 written out
    for (int i = 0; !c.main && i < 33; ++i) main += ",000";
    const LineText line = FormatReal(c.text, c.display, c.digits);
    EXPECT_EQ(line, (LineText{main, c.exponent})) << c.text << " mode " << c.display << " digits " << c.digits;
  }
}

TEST(FormatReal, Splits) {
  EXPECT_EQ(SplitScientific("12345"), std::make_pair(std::string("1.2345"), std::string("e+4")));
  EXPECT_EQ(SplitScientific("-0.001"), std::make_pair(std::string("-1"), std::string("e-3")));
  EXPECT_EQ(SplitScientific("0"), std::make_pair(std::string("0"), std::string("e+0")));
  EXPECT_EQ(SplitEngineering("12345"), std::make_pair(std::string("12.345"), std::string("e+3")));
  EXPECT_EQ(SplitEngineering("0.00012"), std::make_pair(std::string("120"), std::string("e-6")));
  EXPECT_EQ(SplitEngineering("1.5e-120"), std::make_pair(std::string("1.5"), std::string("e-120")));
  EXPECT_EQ(GroupThousands("-1234567.891"), "-1,234,567.891");
  EXPECT_EQ(GroupThousands("123"), "123");
  EXPECT_EQ(GroupThousands("1234"), "1,234");
}

// The frame of a state, as a front-end gets it.
DisplayFrame FrameOf(CalcState s, bool formatEntry = false) { return Refresh(s, formatEntry); }

TEST(RefreshFrame, FontFollowsTheLongestText) {
  const struct {
    const char* y;
    int font;
  } cases[] = {
      {"12345678901234567", kFontNormal},              // 25 characters shown
      {"123456789012345678", kFontSmall},              // 26
      {"-123456789012345678901234", kFontSmall},       // 35
      {"1234567890123456789012345", kFontTiny},        // 36
  };
  for (const auto& c : cases) {
    CalcState s;
    s.stackY = c.y;
    EXPECT_EQ(FrameOf(s).fontPixels, c.font) << c.y;
  }
  CalcState error;
  error.errorShown = true;
  error.errorText = "Devide by zero ! with a long tail of text";
  EXPECT_EQ(FrameOf(error).fontPixels, kFontNormal);  // a message never shrinks the font
}

TEST(RefreshFrame, XLinePrecedence) {
  CalcState s;
  s.entryText = "1234.5";
  s.entryTyped = true;
  EXPECT_EQ(FrameOf(s).lines[kLineX], (LineText{"1234.5", ""}));
  s.display = kDisplaySci;
  EXPECT_EQ(FrameOf(s, true).lines[kLineX], (LineText{"1.23", "3"}));
  s.exponentText = "-05";
  s.exponentEntry = true;
  EXPECT_EQ(FrameOf(s).lines[kLineX], (LineText{"1234.5", "-05"}));
  s.errorShown = true;
  s.errorText = "Overflow !";
  s.stackY = "12345";
  const DisplayFrame f = FrameOf(s);
  EXPECT_EQ(f.lines[kLineX], (LineText{"Overflow !", ""}));
  EXPECT_EQ(f.lines[kLineY], (LineText{"1.23", "4"}));
  EXPECT_TRUE(f.xIsError);
}

TEST(RefreshFrame, DigitCountsAndEmptyRegisters) {
  CalcState s;
  s.stackZ = "";
  s.digits = {0, 32, 7};
  const DisplayFrame f = FrameOf(s);
  EXPECT_EQ(f.lines[kLineZ], (LineText{"", ""}));
  EXPECT_EQ(f.digitCounts, (std::array<std::string, 3>{"0", "32", "7"}));
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
