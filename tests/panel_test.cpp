// The X panel's readouts: X's word at the edges of each word size, X's
// digits in REAL, and when the refresh composes them.
#include <gtest/gtest.h>

#include <string>

#include "display.h"
#include "engine.h"

namespace vxc {
namespace {

struct WordCase {
  uint32_t range;
  const char* x;  // stackX, or the typed digits when `typed`
  bool typed;
  const char* hex;
  const char* dec;
  const char* udec;
  const char* oct;
  std::string bin;
};

// A BIN row: the top bit, then `fill` for the others.
std::string Bits(int bits, char top, char fill) { return std::string(1, top) + std::string(bits - 1, fill); }

PanelText PanelOf(uint32_t base, uint32_t range, const char* x, bool typed) {
  CalcState s;
  s.base = base;
  s.range = range;
  if (typed) {
    s.entryText = x;
    s.entryTyped = true;
  } else {
    s.stackX = x;
  }
  return ComposePanel(s);
}

TEST(XPanel, IntegerRowsAtTheEdgesOfEachWord) {
  const WordCase cases[] = {
      // QW
      {kRangeQW, "0", false, "0", "0", "0", "0", Bits(64, '0', '0')},
      {kRangeQW, "1", false, "1", "1", "1", "1", Bits(64, '0', '0').replace(63, 1, "1")},
      {kRangeQW, "-1", false, "FFFFFFFFFFFFFFFF", "-1", "18446744073709551615", "1777777777777777777777", Bits(64, '1', '1')},
      {kRangeQW, "9223372036854775808", false, "8000000000000000", "-9223372036854775808", "9223372036854775808",
       "1000000000000000000000", Bits(64, '1', '0')},
      {kRangeQW, "9223372036854775807", false, "7FFFFFFFFFFFFFFF", "9223372036854775807", "9223372036854775807",
       "777777777777777777777", Bits(64, '0', '1')},
      {kRangeQW, "1180591620717411303425", false, "1", "1", "1", "1", Bits(64, '0', '0').replace(63, 1, "1")},  // 2^70 + 1
      // DW
      {kRangeDW, "0", false, "0", "0", "0", "0", Bits(32, '0', '0')},
      {kRangeDW, "-1", false, "FFFFFFFF", "-1", "4294967295", "37777777777", Bits(32, '1', '1')},
      {kRangeDW, "2147483648", false, "80000000", "-2147483648", "2147483648", "20000000000", Bits(32, '1', '0')},
      {kRangeDW, "-2147483648", false, "80000000", "-2147483648", "2147483648", "20000000000", Bits(32, '1', '0')},
      {kRangeDW, "2147483647", false, "7FFFFFFF", "2147483647", "2147483647", "17777777777", Bits(32, '0', '1')},
      {kRangeDW, "4294967296", false, "0", "0", "0", "0", Bits(32, '0', '0')},
      {kRangeDW, "100000000", true, "0", "0", "0", "0", Bits(32, '0', '0')},  // typed in HEX: 2^32
      // W
      {kRangeW, "1", false, "1", "1", "1", "1", Bits(16, '0', '0').replace(15, 1, "1")},
      {kRangeW, "-1", false, "FFFF", "-1", "65535", "177777", Bits(16, '1', '1')},
      {kRangeW, "32768", false, "8000", "-32768", "32768", "100000", Bits(16, '1', '0')},
      {kRangeW, "32767", false, "7FFF", "32767", "32767", "77777", Bits(16, '0', '1')},
      {kRangeW, "1FFFF", true, "FFFF", "-1", "65535", "177777", Bits(16, '1', '1')},
      // B
      {kRangeB, "0", true, "0", "0", "0", "0", Bits(8, '0', '0')},
      {kRangeB, "-1", false, "FF", "-1", "255", "377", Bits(8, '1', '1')},
      {kRangeB, "128", false, "80", "-128", "128", "200", Bits(8, '1', '0')},
      {kRangeB, "-128", false, "80", "-128", "128", "200", Bits(8, '1', '0')},
      {kRangeB, "127", false, "7F", "127", "127", "177", Bits(8, '0', '1')},
      {kRangeB, "7F", true, "7F", "127", "127", "177", Bits(8, '0', '1')},
      {kRangeB, "256", false, "0", "0", "0", "0", Bits(8, '0', '0')},
      {kRangeB, "-200", false, "38", "56", "56", "70", "00111000"},
      {kRangeB, "12.5", false, "D", "13", "13", "15", "00001101"},  // rounded like the X line
      {kRangeB, "3.6e-200", false, "0", "0", "0", "0", Bits(8, '0', '0')},
  };
  for (const WordCase& c : cases) {
    const PanelText p = PanelOf(kBaseHex, c.range, c.x, c.typed);
    SCOPED_TRACE(std::string(c.x) + " range " + std::to_string(c.range) + (c.typed ? " typed" : ""));
    EXPECT_EQ(p.kind, PanelKind::kInteger);
    EXPECT_EQ(p.wordBits, static_cast<int>(c.bin.size()));
    EXPECT_EQ(p.rows[kPanelHex], c.hex);
    EXPECT_EQ(p.rows[kPanelDec], c.dec);
    EXPECT_EQ(p.rows[kPanelUdec], c.udec);
    EXPECT_EQ(p.rows[kPanelOct], c.oct);
    EXPECT_EQ(p.rows[kPanelBin], c.bin);
    EXPECT_EQ(p.full, "");
  }
}

TEST(XPanel, EntryIsReadInItsBase) {
  struct {
    uint32_t base;
    const char* typed;
    const char* udec;
  } cases[] = {
      {kBaseDec, "-5", "251"}, {kBaseDec, "", "0"}, {kBaseOct, "377", "255"}, {kBaseBin, "101", "5"}, {kBaseHex, "C8", "200"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PanelOf(c.base, kRangeB, c.typed, true).rows[kPanelUdec], c.udec) << c.typed << " in base " << c.base;
  }
}

TEST(XPanel, RealShowsEveryDigitOfTheValue) {
  struct {
    const char* x;
    bool typed;
    const char* exponent;
    const char* full;
  } cases[] = {
      {"0", false, "", "0"},
      {"-12.5", false, "", "-12.5"},
      {"1.50", true, "", "1.5"},
      {"1.5", true, "3", "1500"},
      {"2", true, "-2", "0.02"},
      {"", true, "", "0"},  // CLX during an entry
      {"0.33333333333333333333333333333333", false, "", "0.33333333333333333333333333333333"},
      {"1e-100", false, "", "1e-100"},
      {"-0", false, "", "0"},
      {"3.1415926535897932384626433832795028841971693993751058209749445923078164062862", false, "",
       "3.141592653589793238462643383279502884197169399375105820974944592307816406286"},
  };
  for (const auto& c : cases) {
    CalcState s;
    if (c.typed) {
      s.entryText = c.x;
      s.exponentText = c.exponent;
      s.entryTyped = true;
    } else {
      s.stackX = c.x;
    }
    const PanelText p = ComposePanel(s);
    EXPECT_EQ(p.kind, PanelKind::kReal) << c.x;
    EXPECT_EQ(p.full, c.full) << c.x << " e " << c.exponent;
  }
}

// The refresh composes the panel only while it is on, and after rounding X.
TEST(XPanel, RefreshComposesItOnlyWhileOn) {
  CalcState s;
  s.base = kBaseDec;
  s.stackX = "2.5";
  EXPECT_EQ(Refresh(s, false).panel, PanelText{});
  s.xPanel = true;
  s.stackX = "2.5";
  const DisplayFrame frame = Refresh(s, false);
  EXPECT_EQ(frame.panel, ComposePanel(s));
  EXPECT_EQ(frame.panel.rows[kPanelDec], "3");
}

}  // namespace
}  // namespace vxc
