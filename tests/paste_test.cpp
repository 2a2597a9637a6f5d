// Paste: megabyte texts and refreshes. The cleaning of the clipboard text,
// row by row, and what a paste does to the entry line and the stack are in
// tests/cases/paste.cases.
#include <gtest/gtest.h>

#include <string>

#include "engine.h"

namespace vxc {
namespace {

constexpr uint32_t R = kBaseReal, D = kBaseDec;

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
