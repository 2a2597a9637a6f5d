// Paste: megabyte texts and refreshes. The cleaning of the clipboard text,
// row by row, and what a paste does to the entry line and the stack are in
// tests/cases/paste.cases.
#include <gtest/gtest.h>

#include <string>

#include "engine.h"

namespace vxc {
namespace {

constexpr uint32_t R = kBaseReal, D = kBaseDec;

TEST(CleanPastedText, MegabyteOfDigitsIsKeptWhole) {
  const std::string digits(1 << 20, '9');
  EXPECT_EQ(CleanPastedText(digits, R), digits);
  std::string grouped;
  while (grouped.size() < (1u << 20)) grouped += "999, ";
  EXPECT_EQ(CleanPastedText(grouped, D).size(), grouped.size() / 5 * 3);
  EXPECT_EQ(CleanPastedText("0x" + std::string(1 << 20, 'F'), D), "-1");
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

TEST(PasteEntry, MegabyteEntryStaysUsable) {
  InitNumbers();
  Engine e;
  const std::string fraction = "1." + std::string(1 << 20, '7');
  PasteEntry(e, fraction);
  EXPECT_EQ(e.state.entryText, fraction);
  Dispatch(e, cmd::kDigit0 + 1);  // past the 32-digit limit: refused
  EXPECT_EQ(e.state.entryText, fraction);
  Dispatch(e, cmd::kEnter);
  Dispatch(e, cmd::kAdd);
  EXPECT_EQ(e.state.stackX.substr(0, 10), "3.55555555");
  // a million-digit integer is out of range once the entry is finished
  PasteEntry(e, std::string(1 << 20, '7'));
  Dispatch(e, cmd::kEnter);
  EXPECT_EQ(e.state.errorText, ErrorMessage(CalcError::kOverflow));
}

}  // namespace
}  // namespace vxc
