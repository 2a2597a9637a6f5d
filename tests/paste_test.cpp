// Paste: cleaning of the clipboard text and what the paste does to the
// entry line and the stack.
#include <gtest/gtest.h>

#include <string>

#include "engine.h"

namespace vxc {
namespace {

constexpr uint32_t R = kBaseReal, D = kBaseDec, H = kBaseHex, O = kBaseOct, B = kBaseBin;

struct CleanCase {
  uint32_t base;
  std::string text;
  std::string expected;
};

void ExpectCleaned(const std::vector<CleanCase>& cases) {
  for (const CleanCase& c : cases) {
    EXPECT_EQ(CleanPastedText(c.text, c.base), c.expected) << "base " << c.base << " text '" << c.text << "'";
  }
}

TEST(CleanPastedText, WorkedExamples) {
  ExpectCleaned({
      {R, " 1,234.5 ", "1234.5"},
      {R, "-12.5e3", "-12.5"},
      {R, "3.1.4", "3.1.4"},
      {R, "abc", ""},
      {R, "0xff", "255"},
      {O, "0x1F", "37"},
      {H, "0x1f", "1F"},
      {B, "1012", "101"},
      {D, "12-3", "12"},
  });
}

TEST(CleanPastedText, HexPrefixInEveryMode) {
  ExpectCleaned({
      {R, "0x", "0"},           {D, "0x", "0"},        {O, "0x", "0"},         {B, "0x", "0"},
      {H, "0x", ""},            {R, "0XFF", "255"},    {D, "0x1f", "31"},      {B, "0x1F", "11111"},
      {H, "0xAbC", "ABC"},      {D, "0x00ff", "255"},  {R, "0x10.5", "16"},    {D, "0xg", "0"},
      // bit 127 set: two's complement, written with a minus sign
      {D, "0xFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "-1"},
      {D, "0x80000000000000000000000000000000", "-170141183460469231731687303715884105728"},
      {O, "0xFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF8", "-10"},
      {B, "0xFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFE", "-10"},
      {D, "0x7FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "170141183460469231731687303715884105727"},
      // more than 128 bits keep the low 128
      {D, "0x1000000000000000000000000000000FF", "255"},
      // in HEX the digits stay as they are, however many
      {H, "0x1000000000000000000000000000000ff", "1000000000000000000000000000000FF"},
      // the prefix is found after the blanks are gone, and the minus is not read
      {R, " 0 x 1 0 ", "16"},   {R, "-0x10", "-0"},    {D, "x10", ""},         {R, "0x-5", "0"},
  });
}

TEST(CleanPastedText, AcceptedCharactersByBase) {
  ExpectCleaned({
      {D, "1,234,567", "1234567"}, {H, "dead,beef", "DEADBEEF"}, {H, "12g4", "12"},
      {O, "12345678", "1234567"},  {O, "8", ""},                 {B, "1,0,1", "101"},
      {D, "12.5", "12"},           {H, "-FF", ""},               {D, "-5", ""},
      {R, "1.5.", "1.5."},         {R, "..", ".."},              {R, ",,,5", "5"},
      {R, "+5", ""},               {R, "5-", "5"},               {R, "--5", "-"},
      {R, "-", "-"},               {R, "FF", ""},                {D, "", ""},
      {H, "\x80" "12", ""},        {R, "12\xC3\xA9" "3", "12"},  {R, "1\x7F" "2", "1"},
  });
}

TEST(CleanPastedText, BlanksAndControlBytesAreRemovedEverywhere) {
  ExpectCleaned({
      {R, "1 2\t3\n4\v5\f6\r7", "1234567"},
      {D, "\r\n42\r\n", "42"},
      {R, "- 1 . 5", "-1.5"},
      {H, "0\tx\nf f", "FF"},
      {R, "\x08" "5", ""},  // backspace is no blank
      {R, "1\x0E" "2", "1"},
      {R, std::string("1\0" "2", 3), "1"},
  });
}

TEST(CleanPastedText, MinusSignsInReal) {
  ExpectCleaned({
      {R, "\x80\x6E\x8A" "12", "-12"},
      {R, "\xE2\x88\x92" "12.5", "-12.5"},
      {R, " \xE2\x88\x92 7", "-7"},
      {D, "\xE2\x88\x92" "7", ""},
      {R, "1\xE2\x88\x92" "2", "1"},  // only a leading one
      {R, "\xE2\x88" "12", ""},       // a cut sequence is no minus
      {R, "\xE2\x88\x92-1", "-"},
  });
}

TEST(CleanPastedText, MegabyteOfDigitsIsKeptWhole) {
  const std::string digits(1 << 20, '9');
  EXPECT_EQ(CleanPastedText(digits, R), digits);
  std::string grouped;
  while (grouped.size() < (1u << 20)) grouped += "999, ";
  EXPECT_EQ(CleanPastedText(grouped, D).size(), grouped.size() / 5 * 3);
  EXPECT_EQ(CleanPastedText("0x" + std::string(1 << 20, 'F'), D), "-1");
}

// PasteEntry on an engine whose refreshes are counted.
struct Pasting : testing::Test {
  Engine e;
  int refreshes = 0;
  void SetUp() override {
    InitNumbers();
    e.out.refresh = [this](bool) { ++refreshes; };
  }
  void Press(std::initializer_list<CommandId> ids) {
    for (CommandId id : ids) Dispatch(e, id);
  }
};

TEST_F(Pasting, StateBeforeDecidesLift) {
  struct Case {
    const char* name;
    std::initializer_list<CommandId> before;
    const char* stackY;
    const char* stackX;
  };
  const Case cases[] = {
      {"after ENTER X is overwritten", {cmd::kDigit0 + 4, cmd::kEnter}, "4", "4"},
      {"a typed entry is replaced", {cmd::kDigit0 + 4, cmd::kEnter, cmd::kDigit0 + 5}, "4", "4"},
      {"at start-up X is overwritten", {}, "0", "0"},
      {"after X<>Y no lift", {cmd::kDigit0 + 4, cmd::kEnter, cmd::kDigit0 + 5, cmd::kSwapXY}, "5", "4"},
  };
  for (const Case& c : cases) {
    e = Engine{};
    e.out.refresh = [this](bool) { ++refreshes; };
    Press(c.before);
    PasteEntry(e, "8");
    EXPECT_EQ(e.state.stackY, c.stackY) << c.name;
    EXPECT_EQ(e.state.stackX, c.stackX) << c.name;
    EXPECT_EQ(e.state.entryText, "8") << c.name;
  }
}

TEST_F(Pasting, NothingTakenStillRefreshes) {
  Press({cmd::kDigit0 + 7, cmd::kEnter, cmd::kDigit0 + 2, cmd::kAdd});
  const CalcState before = e.state;
  refreshes = 0;
  for (const char* text : {"", "abc", "e5", "\xE2\x82\xAC" "5"}) PasteEntry(e, text);
  EXPECT_EQ(refreshes, 4);
  EXPECT_EQ(e.state.stackX, before.stackX);
  EXPECT_EQ(e.state.stackY, before.stackY);
  EXPECT_EQ(e.state.entryText, "");
  EXPECT_TRUE(e.state.xComplete);
}

TEST_F(Pasting, IgnoredWhileAnErrorShows) {
  Press({cmd::kDigit0 + 1, cmd::kEnter, cmd::kDigit0, cmd::kDiv});
  ASSERT_TRUE(e.state.errorShown);
  const std::string entryBefore = e.state.entryText;
  refreshes = 0;
  PasteEntry(e, "5");
  EXPECT_EQ(refreshes, 0);
  EXPECT_EQ(e.state.entryText, entryBefore);
  EXPECT_EQ(e.state.stackY, "0");
}

TEST_F(Pasting, MegabyteEntryStaysUsable) {
  const std::string fraction = "1." + std::string(1 << 20, '7');
  PasteEntry(e, fraction);
  EXPECT_EQ(e.state.entryText, fraction);
  Press({cmd::kDigit0 + 1});  // past the 32-digit limit: refused
  EXPECT_EQ(e.state.entryText.size(), fraction.size());
  Press({cmd::kEnter, cmd::kAdd});
  EXPECT_EQ(e.state.stackX.substr(0, 10), "3.55555555");
  EXPECT_FALSE(e.state.errorShown);

  // a million-digit integer is out of range once the entry is finished
  PasteEntry(e, std::string(1 << 20, '7'));
  Press({cmd::kEnter});
  EXPECT_TRUE(e.state.errorShown);
  EXPECT_EQ(e.state.errorText, kMsgOverflow);
  Press({cmd::kClx});
  EXPECT_FALSE(e.state.errorShown);
}

}  // namespace
}  // namespace vxc
