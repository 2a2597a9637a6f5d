// The command table's invariants and the gates every command passes; paste
// of megabyte texts; undo and redo.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "command_table.h"
#include "display.h"
#include "engine.h"
#include "settings.h"

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

// Undo and redo: every kind of step goes back to exactly the state before
// it and forward again; the history's bounds; the guard's rules.
using Action = std::function<void(Engine&)>;

struct UndoTest : testing::Test {
  UndoTest() { InitNumbers(); }
  Engine e;
};

Action Keys(std::vector<CommandId> ids) {
  return [ids](Engine& e) {
    for (CommandId id : ids) Dispatch(e, id);
  };
}
constexpr CommandId Digit(int d) { return cmd::kDigit0 + CommandId(d); }

Action Then(Action a, Action b) {
  return [a, b](Engine& e) {
    a(e);
    b(e);
  };
}

void Initialize(Engine& e) {
  WindowPosition pos{40, 50};
  ResetWindowHooks hooks;
  ResetCalculator(e, &pos, &hooks);
}

// Steps that need a particular state or that no random key reaches; the soak
// undoes and redoes every kind of key from random states (a digit, an
// operation, DISPLAY, MEM, a paste, an error among them), and undo.cases
// takes back L.C.M., a paste and an error by the keys.
TEST_F(UndoTest, EveryKindOfStepGoesBackAndForward) {
  const Action hex = [](Engine& e) { SelectBase(e, kBaseHex); };
  struct Case {
    const char* name;
    Action setup;
    Action step;
  } const cases[] = {
      {"digit that lifts", Keys({Digit(7), cmd::kEnter, Digit(2), cmd::kAdd}), Keys({Digit(3)})},
      {"STO over a register", Keys({Digit(9), cmd::kSto, Digit(4)}), Keys({cmd::kSto})},
      {"BASE converts the stack", Keys({Digit(2), cmd::kPoint, Digit(5), cmd::kEnter, Digit(7)}), hex},
      {"BASE back to REAL", Then(hex, Keys({Digit(9), cmd::kLetterF, cmd::kEnter})),
       [](Engine& e) { SelectBase(e, kBaseReal); }},
      {"RANGE cuts the words", Then(hex, Keys({cmd::kLetterF, cmd::kLetterF, cmd::kLetterF, cmd::kEnter})),
       [](Engine& e) { SetRange(e, kRangeB); }},
      {"focus key BASE", {}, [](Engine& e) { FocusSelectBase(e, kBaseBin); }},
      {"focus key MEM", {}, [](Engine& e) { FocusSelectMemory(e, 3); }},
      {"bit flip", Then(hex, Keys({Digit(5)})), [](Engine& e) { FlipBit(e, 7); }},
      {"Initialize", Then(Then(hex, Keys({Digit(5), cmd::kSto, Digit(3)})), [](Engine& e) { SelectMemory(e, 4); }),
       Initialize},
      {"CLX clears an error", Keys({Digit(1), cmd::kEnter, Digit(0), cmd::kDiv}), Keys({cmd::kClx})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Engine e;  // a fresh calculator for each case
    if (c.setup) c.setup(e);
    const CalcState before = e.state;
    c.step(e);
    const CalcState after = e.state;
    ASSERT_NE(before, after) << "the step changes nothing";
    ASSERT_TRUE(CanUndo(e));
    TakeDisplayMark(e);
    EXPECT_TRUE(Undo(e));
    EXPECT_EQ(e.state, before);
    EXPECT_TRUE(e.displayMark.stale);
    EXPECT_TRUE(CanRedo(e));
    EXPECT_TRUE(Redo(e));
    EXPECT_EQ(e.state, after);
    EXPECT_FALSE(CanRedo(e));
  }
}

TEST_F(UndoTest, KeepsAtLeastAHundredStepsAndNoMore) {
  for (int i = 0; i < 150; ++i) Dispatch(e, i % 2 ? cmd::kDigitsUp : cmd::kDigitsDown);  // all change something
  Keys({Digit(1), cmd::kEnter})(e);
  int undone = 0;
  while (Undo(e)) ++undone;
  EXPECT_EQ(undone, int(kUndoSteps));
  int redone = 0;
  while (Redo(e)) ++redone;
  EXPECT_EQ(redone, undone);
  EXPECT_EQ(e.state.stackX, "1");
}

// Huge pastes are dropped by the byte bound, the newest steps staying; steps
// dropped for age give back the storage of large texts, so that pasted
// megabytes do not live on in reused copies.
TEST_F(UndoTest, HugePastesAreDroppedByTheByteBoundAndLeaveNoStorageBehind) {
  const std::string big(1 << 20, '7');
  for (int i = 0; i < 12; ++i) {
    e.state.entryText = big;  // a paste takes 1,000 characters at most: set by hand
    Dispatch(e, cmd::kBackspace);  // the long entry stays in the step's copy
    Dispatch(e, cmd::kClx);
  }
  int undone = 0;
  while (Undo(e)) ++undone;
  EXPECT_LT(undone, 24);
  EXPECT_GE(undone, 2);  // the newest steps stay
  while (Redo(e)) continue;
  for (int i = 0; i < 3 * int(kUndoSteps); ++i) Dispatch(e, i % 2 ? cmd::kDigitsUp : cmd::kDigitsDown);
  size_t held = 0;
  for (const CalcState& s : e.history.ring) held += s.entryText.capacity() + s.stackX.capacity() + s.lastX.capacity();
  EXPECT_LT(held, size_t(1) << 20);
}

// The X panel records no step, and an undo leaves it as it is (keys that
// change nothing, the language and the alarm: undo.cases).
TEST_F(UndoTest, ThePanelIsNoStep) {
  Dispatch(e, Digit(3));
  e.state.xPanel = true;
  Undo(e);
  EXPECT_EQ(e.state.entryText, "");
  EXPECT_TRUE(e.state.xPanel);
  Redo(e);
  EXPECT_EQ(e.state.entryText, "3");
}

// Entry points called from inside another step add nothing of their own.
TEST_F(UndoTest, NestedGuardsMakeOneStep) {
  {
    UndoStep outer(e);
    Dispatch(e, Digit(4));
    SelectBase(e, kBaseHex);
    PasteEntry(e, "ff");
    EXPECT_FALSE(Undo(e)) << "no undo inside a step";
  }
  EXPECT_EQ(e.state.entryText, "FF");
  ASSERT_TRUE(Undo(e));
  EXPECT_FALSE(CanUndo(e));
  EXPECT_EQ(e.state, CalcState());
}

// A step that keeps the memory registers may open one that writes them:
// undo still brings the register back.
TEST_F(UndoTest, AStoreInsideAStepThatKeepsMemory) {
  Dispatch(e, Digit(6));
  {
    UndoStep outer(e, MemoryUse::kKept);
    Dispatch(e, cmd::kSto);
    Dispatch(e, Digit(1));
  }
  ASSERT_EQ(e.state.realMemory[0], "6");
  ASSERT_TRUE(Undo(e));
  EXPECT_EQ(e.state.realMemory[0], kRealMemoryResetText);
  EXPECT_EQ(e.state.entryText, "6");
}

}  // namespace
}  // namespace vxc
