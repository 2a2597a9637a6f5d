// Paste: cleaning of the clipboard text, refreshes, and megabyte pastes.
// What a paste does to the entry line and the stack is in
// tests/cases/paste.cases.
#include <gtest/gtest.h>

#include <string>

#include "engine.h"

namespace vxc {
namespace {

constexpr uint32_t R = kBaseReal, D = kBaseDec, H = kBaseHex, O = kBaseOct, B = kBaseBin;

TEST(CleanPastedText, Table) {
  struct Case {
    uint32_t base;
    std::string text, expected;
  } const cases[] = {
      // "0x" in every mode; bit 127 set is two's complement with a minus sign
      {R, "0XFF", "255"}, {D, "0x1f", "31"}, {B, "0x1F", "11111"}, {H, "0xAbC", "ABC"}, {D, "0x00ff", "255"},
      {R, "0x10.5", "16"}, {D, "0xg", "0"}, {H, "0x", ""}, {O, "0x", "0"},
      {D, "0x80000000000000000000000000000000", "-170141183460469231731687303715884105728"},
      {O, "0xFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF8", "-10"},
      {B, "0xFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFE", "-10"},
      {D, "0x7FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "170141183460469231731687303715884105727"},
      {D, "0x1000000000000000000000000000000FF", "255"},  // the low 128 bits
      {H, "0x1000000000000000000000000000000ff", "1000000000000000000000000000000FF"},
      // the prefix is found after the blanks are gone; its minus is not read
      {R, " 0 x 1 0 ", "16"}, {R, "-0x10", "-0"}, {D, "x10", ""}, {R, "0x-5", "0"},
      // accepted characters by base; commas skipped, the first other ends the scan
      {D, "1,234,567", "1234567"}, {H, "12g4", "12"}, {O, "12345678", "1234567"}, {O, "8", ""},
      {B, "1,0,1", "101"}, {D, "12.5", "12"}, {H, "-FF", ""}, {R, "1.5.", "1.5."}, {R, "..", ".."},
      {R, ",,,5", "5"}, {R, "+5", ""}, {R, "5-", "5"}, {R, "--5", "-"}, {R, "-", "-"}, {R, "FF", ""},
      {D, "", ""}, {H, "\x80" "12", ""}, {R, "1\x7F" "2", "1"},
      // blanks and control bytes
      {R, "1 2\t3\n4\v5\f6\r7", "1234567"}, {R, "- 1 . 5", "-1.5"}, {H, "0\tx\nf f", "FF"},
      {R, "\x08" "5", ""}, {R, "1\x0E" "2", "1"}, {R, std::string("1\0" "2", 3), "1"},
      // minus signs: only a leading one, only in REAL and DEC, only whole
      {R, " \xE2\x88\x92 7", "-7"}, {D, "\xE2\x88\x92" "7", "-7"}, {D, "-77", "-77"}, {D, "- 1,000", "-1000"},
      {D, "-0x10", "-0"}, {O, "-7", ""}, {B, "-1", ""}, {R, "1\xE2\x88\x92" "2", "1"},
      {R, "\xE2\x88" "12", ""}, {R, "\xE2\x88\x92-1", "-"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CleanPastedText(c.text, c.base), c.expected) << "base " << c.base << " text '" << c.text << "'";
  }
}

// Up to kPasteLimit characters of number are taken, however many bytes
// around them are skipped; a megabyte of digits is refused whole.
TEST(CleanPastedText, MegabyteOfDigitsIsRefused) {
  const std::string digits(kPasteLimit, '9');
  EXPECT_EQ(CleanPastedText(digits, R), digits);
  EXPECT_EQ(CleanPastedText(" , " + digits + " , ", D), digits);
  EXPECT_TRUE(ReadPastedNumber(digits + "9", R).tooLong);
  std::string grouped;
  while (grouped.size() < (1u << 20)) grouped += "999, ";
  EXPECT_TRUE(ReadPastedNumber(grouped, D).tooLong);
  EXPECT_TRUE(ReadPastedNumber("0x" + std::string(1 << 20, 'F'), D).tooLong);
}

// A paste that takes nothing still refreshes; one during an error does not.
TEST(PasteEntry, RefreshesUnlessAnErrorShows) {
  Engine e;
  for (const char* text : {"", "abc", "e5", "\xE2\x82\xAC" "5"}) {
    PasteEntry(e, text);
    EXPECT_TRUE(TakeDisplayMark(e).stale) << text;
  }
  Dispatch(e, cmd::kInverse);
  ASSERT_TRUE(e.state.errorShown);
  TakeDisplayMark(e);
  PasteEntry(e, "5");
  EXPECT_FALSE(e.displayMark.stale);
}

TEST(PasteEntry, MegabyteChangesNothingAndBeeps) {
  Engine e;
  int beeps = 0;
  e.out.beep = [&beeps] { ++beeps; };
  Dispatch(e, cmd::kDigit0 + 5);
  const CalcState before = e.state;
  PasteEntry(e, "1." + std::string(1 << 20, '7'));
  EXPECT_EQ(e.state, before);
  EXPECT_EQ(beeps, 1);
  e.state.errorAlarm = false;
  PasteEntry(e, std::string(1 << 20, '7'));
  EXPECT_EQ(beeps, 1);
}

}  // namespace
}  // namespace vxc
