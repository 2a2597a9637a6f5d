// The command table's invariants and the gates every command passes; paste
// of megabyte texts and copy-paste round trips; undo and redo.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "command_table.h"
#include "display.h"
#include "engine.h"
#include "key_driver.h"
#include "real.h"
#include "settings.h"

namespace vxc {

void PrintTo(const LineText& line, std::ostream* os) { *os << '"' << line.main << "\" \"" << line.exponent << '"'; }

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
// it and forward again; the history's byte bound (its 100 steps:
// undo.cases); the guard's rules.
using Action = std::function<void(Engine&)>;

struct UndoTest : testing::Test {
  UndoTest() { InitNumbers(); }
  Engine e;
};

constexpr CommandId Digit(int d) { return cmd::kDigit0 + CommandId(d); }

// Steps that no random key reaches. The soak undoes and redoes every kind of
// key from random states, comparing whole states (a digit that lifts, STO
// over a register, BASE and RANGE converting the stack, CLX clearing an
// error among them), and undo.cases takes back L.C.M., a paste, an error,
// BASE and RANGE by the keys.
TEST_F(UndoTest, EveryKindOfStepGoesBackAndForward) {
  struct Case {
    const char* name;
    Action setup;
    Action step;
  } const cases[] = {
      {"focus key BASE", {}, [](Engine& e) { FocusSelectBase(e, kBaseBin); }},
      {"focus key MEM", {}, [](Engine& e) { FocusSelectMemory(e, 3); }},
      {"bit flip", [](Engine& e) { SelectBase(e, kBaseHex); Dispatch(e, Digit(5)); }, [](Engine& e) { FlipBit(e, 7); }},
      {"Initialize",
       [](Engine& e) {
         SelectBase(e, kBaseHex);
         for (CommandId id : {Digit(5), cmd::kSto, Digit(3)}) Dispatch(e, id);
         SelectMemory(e, 4);
       },
       [](Engine& e) {
         WindowPosition pos{40, 50};
         ResetWindowHooks hooks;
         ResetCalculator(e, &pos, &hooks);
       }},
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

// Copy and paste round trips over random registers in every mode, display
// format and digit count: Copy Full Precision then Paste gives back the
// register; Copy then Paste gives back the value shown, exponent included.
struct Modes { uint32_t base, display, range; int digits; };

struct Calc : testing_keys::Driver {
  explicit Calc(const Modes& m) {
    CalcState& s = engine.state;
    s.base = m.base, s.display = m.display, s.range = m.range, s.digits = {m.digits, m.digits, m.digits};
  }
  // X holds `text` as a finished number, shown as the window shows it.
  void ShowX(const std::string& text) {
    engine.state.stackX = text, engine.state.xComplete = true;
    Show();
  }
  const LineText& Show(bool formatEntry = false) {
    MarkDisplayStale(engine, formatEntry);
    return Shown().lines[kLineX];
  }
};

// A REAL register: up to 76 significant digits, decimal exponents from
// -130 to 31 (beyond -99 the register holds its own "e" form).
std::string RandomRealText(std::mt19937_64& random) {
  const int digitCount = 1 + int(random() % 76);
  std::string text = random() % 2 ? "-" : "";
  text += char('1' + random() % 9);
  text += '.';
  for (int i = 1; i < digitCount; ++i) text += char('0' + random() % 10);
  const int spread = random() % 8 == 0 ? 162 : 60;  // now and then the far exponents
  const long exponent = 31 - long(random() % spread);
  return Real::FromString(text + "e" + std::to_string(exponent)).ToCanonicalText();
}

// An integer register within the word: signed in DEC, unsigned otherwise,
// as the display shows it.
std::string RandomIntegerText(std::mt19937_64& random, uint32_t base, uint32_t range) {
  const int bits = 64 >> range;
  uint64_t word = random();
  if (bits < 64) word &= (uint64_t{1} << bits) - 1;
  if (base == kBaseDec) word >>= 1;  // DEC pastes no minus sign: the positive half
  return std::to_string(word);
}

// The value of the entry line, as the engine reads it.
std::string EntryValue(const CalcState& s) {
  std::string composed = s.entryText;
  if (!s.exponentText.empty() && composed.find('e') == std::string::npos) composed += "e" + s.exponentText;
  return Real::FromString(composed).ToCanonicalText();
}

// The value a display line shows (grouping dropped). Values compare, not
// texts: a rounding carry shows SCI 9.996 as "10.00" beside "0", which
// pastes back as 10 and then shows "1.00" beside "1"; a negative value
// rounded to zero shows "-0.00" and pastes back as zero.
std::string ShownValue(const LineText& line, uint32_t base) {
  std::string text;
  for (char c : line.main)
    if (c != ',') text += c;
  if (IsIntegerBase(base)) return text;
  if (!line.exponent.empty()) text += "e" + line.exponent;
  return Real::FromString(text).ToCanonicalText();
}

// Each register is copied both ways, each copy pasted into a fresh calculator.
TEST(RoundTrip, PasteGivesBackWhatWasCopied) {
  std::vector<Modes> modes;
  for (uint32_t display : {kDisplayFix, kDisplaySci, kDisplayEng})
    for (int digits : {0, 2, 7, 32}) modes.push_back({kBaseReal, display, kRangeQW, digits});
  for (uint32_t base : {kBaseDec, kBaseHex, kBaseOct, kBaseBin})
    for (uint32_t range : {kRangeQW, kRangeDW, kRangeW, kRangeB}) modes.push_back({base, kDisplayFix, range, 2});
  std::mt19937_64 random(20261206);
  int withExponent = 0;
  for (const Modes& m : modes) {
    for (int n = 0; n < 200; ++n) {
      const bool real = m.base == kBaseReal;
      const std::string text = real ? RandomRealText(random) : RandomIntegerText(random, m.base, m.range);
      // ENTER on a pasted "e" form says out of range, as +/- on it does.
      const bool enter = text.find('e') == std::string::npos;
      Calc from(m);
      from.ShowX(text);
      const LineText& x = from.frame.lines[kLineX];
      withExponent += x.exponent.empty() ? 0 : 1;

      // Copy Full Precision then Paste: the register.
      const std::string full = CopyFullText(from.frame, from.engine.state);
      Calc to(m);
      PasteEntry(to.engine, full);
      const CalcState& s = to.engine.state;
      if (real) {
        EXPECT_EQ(full, text) << "the register's own text";
        ASSERT_EQ(EntryValue(s), text) << "pasted " << full << " in " << m.display << "/" << m.digits;
        EXPECT_EQ(CopyFullText(to.frame, s), full);  // the entry copies as it pasted
      }
      if (enter) {
        Dispatch(to.engine, cmd::kEnter);
        to.Show();
        EXPECT_EQ(s.stackX, text) << "pasted " << full << " in base " << m.base << " range " << m.range;
        EXPECT_EQ(to.frame.lines[kLineX], x) << full;
      }

      // Copy then Paste: REAL's pasted entry, formatted as a DISPLAY choice
      // formats it, shows the value that was copied; the exponent came
      // along. The integer modes show the entry as typed: the digits copied.
      const std::string copied = CopyText(from.frame, from.engine.state);
      Calc again(m);
      PasteEntry(again.engine, copied);
      ASSERT_TRUE(again.engine.state.Typing()) << copied;
      if (real) {
        EXPECT_EQ(ShownValue(again.Show(true), m.base), ShownValue(x, m.base)) << "copied " << copied << " from " << text;
      } else {
        EXPECT_EQ(again.Show().main, copied);
      }
      if (enter) {
        Dispatch(again.engine, cmd::kEnter);
        EXPECT_EQ(ShownValue(again.Show(), m.base), ShownValue(x, m.base)) << "copied " << copied << " from " << text;
      }
    }
  }
  EXPECT_GT(withExponent, 1000);  // SCI and ENG always, FIX now and then
}

}  // namespace
}  // namespace vxc
