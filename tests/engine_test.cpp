// The command table's invariants and the gates every command passes.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vxc
