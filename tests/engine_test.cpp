// The command table's invariants and the gates every command passes; paste
// of megabyte texts.
#include <gtest/gtest.h>

#include <string>

#include "command_table.h"
#include "display.h"
#include "engine.h"

namespace vxc {
namespace {

TEST(CommandTable, RowsAreOrderedAndDisjoint) {
  for (size_t i = 0; i < kCommandTable.size(); ++i) {
    const CommandRow& row = kCommandTable[i];
    EXPECT_LE(row.first, row.last);
    EXPECT_NE(row.handler, nullptr);
    EXPECT_NE(row.actsIn & kInAll, 0) << row.first;
    if (i > 0) { EXPECT_LT(kCommandTable[i - 1].last, row.first) << row.first; }
  }
}

TEST(Dispatch, RefusedKeysLeaveTheDisplayAlone) {
  Engine e;
  e.state.base = kBaseOct;
  EXPECT_TRUE(Dispatch(e, cmd::kDigit0 + 8));
  EXPECT_FALSE(e.displayMark.stale);
  EXPECT_TRUE(e.state.entryText.empty());
  EXPECT_FALSE(Dispatch(e, 1027));
  EXPECT_FALSE(Dispatch(e, cmd::kAbout));
  EXPECT_FALSE(e.displayMark.stale);
}

// Several keys between two compositions: the mark gathers them, the last
// request deciding whether the typed entry shows formatted.
TEST(Dispatch, MarkGathersKeysUntilTaken) {
  Engine e;
  Dispatch(e, cmd::kDigit0 + 1);
  SelectDisplayFormat(e, kDisplaySci);
  EXPECT_TRUE(e.displayMark.stale && e.displayMark.formatEntry);
  Dispatch(e, cmd::kDigit0 + 2);
  const DisplayMark mark = TakeDisplayMark(e);
  EXPECT_TRUE(mark.stale);
  EXPECT_FALSE(mark.formatEntry);
  EXPECT_FALSE(e.displayMark.stale);
  SelectAngle(e, kAngleRad);  // nothing shown changes
  EXPECT_FALSE(e.displayMark.stale);
  SelectDisplayFormat(e, kDisplayFix);
  EXPECT_TRUE(TakeDisplayMark(e).formatEntry);
}

// Paste: megabyte texts and refreshes. The cleaning of the clipboard text,
// row by row, and what a paste does to the entry line and the stack are in
// tests/cases/paste.cases.
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
