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
    if (i > 0) EXPECT_LT(kCommandTable[i - 1].last, row.first) << row.first;
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

struct Counting {
  Engine engine;
  int refreshes = 0;
  Counting() {
    engine.out.refresh = [this](bool) { ++refreshes; };
  }
};

TEST(Dispatch, RefusedKeysDoNotRefresh) {
  Counting c;
  c.engine.state.base = kBaseOct;
  EXPECT_TRUE(Dispatch(c.engine, cmd::kDigit0 + 8));
  EXPECT_EQ(c.refreshes, 0);
  EXPECT_TRUE(c.engine.state.entryText.empty());
  EXPECT_FALSE(Dispatch(c.engine, 1027));
  EXPECT_FALSE(Dispatch(c.engine, cmd::kAbout));
  EXPECT_EQ(c.refreshes, 0);
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
