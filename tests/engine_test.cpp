// The command table's invariants and the gates every command passes.
#include <gtest/gtest.h>

#include <set>

#include "command_table.h"
#include "display.h"

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

TEST(CommandTable, EveryKeyIdIsACommandAndInterfaceIdsAreNot) {
  for (CommandId id = 1005; id <= 1065; ++id) {
    const bool isEngine = FindCommand(id) != nullptr;
    EXPECT_EQ(isEngine, id != 1027 && id != cmd::kCopy) << id;
  }
  for (CommandId id : {cmd::kWebSite, cmd::kErrorAlarm, cmd::kInitialize, cmd::kAbout, cmd::kExit, cmd::kFocusUp,
                       cmd::kFocusPrev, cmd::kLangEnglish, cmd::kLangEsperanto, cmd::kPaste, 0u, 99999u}) {
    EXPECT_EQ(FindCommand(id), nullptr) << id;
  }
  EXPECT_NE(FindCommand(cmd::kLcm), nullptr);
  EXPECT_NE(FindCommand(cmd::kGcd), nullptr);
  EXPECT_TRUE(FindCommand(cmd::kClx)->evenInError);
  int inError = 0;
  for (const CommandRow& row : kCommandTable) inError += row.evenInError ? 1 : 0;
  EXPECT_EQ(inError, 1);  // CLX alone works while an error shows
}

TEST(CommandTable, UnknownBaseActsAsReal) { EXPECT_EQ(ModeBitOf(7), kInReal); }

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

// In the integer modes the next key reads the integer the display showed,
// whether or not a composition came in between: 0.5 (1 SHR 1) shows 1, and
// 1 x 3 is 3, not 1.5 rounded to 2.
TEST(Dispatch, IntegerModesReadWhatIsShownWithoutComposing) {
  Engine e;
  SelectBase(e, kBaseDec);
  for (CommandId id : {cmd::kDigit0 + 1, cmd::kEnter, cmd::kShr, cmd::kDigit0 + 3, cmd::kMul}) Dispatch(e, id);
  EXPECT_EQ(e.state.stackX, "3");
  EXPECT_EQ(e.state.lastX, "3");
}

TEST(Dispatch, ResetKeepsTheLanguageOnly) {
  CalcState s;
  s.language = kLangEsperanto;
  s.stackX = "5";
  s.errorShown = true;
  s.base = kBaseHex;
  s.realMemory[3] = "7";
  s.digits = {5, 6, 7};
  ResetCalculatorState(s);
  CalcState expected;
  expected.language = kLangEsperanto;
  EXPECT_EQ(s.stackX, "0");
  EXPECT_FALSE(s.errorShown);
  EXPECT_EQ(s.base, expected.base);
  EXPECT_EQ(s.realMemory, expected.realMemory);
  EXPECT_EQ(s.digits, expected.digits);
  EXPECT_EQ(s.language, kLangEsperanto);
}

}  // namespace
}  // namespace vxc
