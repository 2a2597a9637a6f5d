// The X panel's readouts: X's word at the edges of each word size, X's
// digits in REAL, and when the refresh composes them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "display.h"
#include "engine.h"

namespace vxc {
namespace {

struct WordCase {
  uint32_t range;
  const char* x;  // stackX, or the typed digits when `typed`
  bool typed;
  std::string hex, dec, udec, oct, bin;
};

// A BIN row: the top bit, then `fill` for the others.
std::string Bits(int bits, char top, char fill) { return std::string(1, top) + std::string(bits - 1, fill); }

PanelText PanelOf(uint32_t base, uint32_t range, const char* x, bool typed, const char* exponent = "") {
  CalcState s;
  s.base = base;
  s.range = range;
  if (typed) {
    s.entryText = x;
    s.exponentText = exponent;
    s.entryTyped = true;
  } else {
    s.stackX = x;
  }
  return ComposePanel(s);
}

void ExpectRows(const WordCase& c) {
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

std::string Printed(const char* format, uint64_t v) {
  char out[32];
  std::snprintf(out, sizeof out, format, static_cast<unsigned long long>(v));
  return out;
}

// Each word's edges against printf: 0, -1, the sign bit alone (from either
// side), the largest signed value, and 2^bits, which wraps to 0.
TEST(XPanel, IntegerRowsAtTheEdgesOfEachWord) {
  for (const auto& [range, bits] : {std::pair{kRangeQW, 64}, {kRangeDW, 32}, {kRangeW, 16}, {kRangeB, 8}}) {
    const uint64_t ones = bits == 64 ? ~0ull : (1ull << bits) - 1, sign = 1ull << (bits - 1);
    const std::string min = "-" + std::to_string(sign), max = std::to_string(sign - 1);
    const struct {
      std::string x;
      uint64_t word;
      std::string dec, bin;
    } rows[] = {
        {"0", 0, "0", Bits(bits, '0', '0')}, {"-1", ones, "-1", Bits(bits, '1', '1')},
        {std::to_string(sign), sign, min, Bits(bits, '1', '0')}, {min, sign, min, Bits(bits, '1', '0')},
        {max, sign - 1, max, Bits(bits, '0', '1')},
        {bits == 64 ? "18446744073709551616" : std::to_string(ones + 1), 0, "0", Bits(bits, '0', '0')},
    };
    for (const auto& r : rows) {
      ExpectRows({range, r.x.c_str(), false, Printed("%llX", r.word), r.dec, std::to_string(r.word),
                  Printed("%llo", r.word), r.bin});
    }
  }
  const WordCase cases[] = {
      {kRangeQW, "1", false, "1", "1", "1", "1", Bits(64, '0', '0').replace(63, 1, "1")},
      {kRangeQW, "1180591620717411303425", false, "1", "1", "1", "1", Bits(64, '0', '0').replace(63, 1, "1")},  // 2^70 + 1
      {kRangeDW, "100000000", true, "0", "0", "0", "0", Bits(32, '0', '0')},  // typed in HEX: 2^32
      {kRangeW, "1FFFF", true, "FFFF", "-1", "65535", "177777", Bits(16, '1', '1')},
      {kRangeB, "0", true, "0", "0", "0", "0", Bits(8, '0', '0')},
      {kRangeB, "7F", true, "7F", "127", "127", "177", Bits(8, '0', '1')},
      {kRangeB, "-200", false, "38", "56", "56", "70", "00111000"},
      {kRangeB, "12.5", false, "D", "13", "13", "15", "00001101"},  // rounded like the X line
      {kRangeB, "3.6e-200", false, "0", "0", "0", "0", Bits(8, '0', '0')},
  };
  for (const WordCase& c : cases) ExpectRows(c);
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
      {"2", true, "-2", "0.02"},
      {"", true, "", "0"},  // CLX during an entry
      {"0.33333333333333333333333333333333", false, "", "0.33333333333333333333333333333333"},
      {"1e-100", false, "", "1e-100"},
      {"-0", false, "", "0"},
      {"3.1415926535897932384626433832795028841971693993751058209749445923078164062862", false, "",
       "3.141592653589793238462643383279502884197169399375105820974944592307816406286"},
  };
  for (const auto& c : cases) {
    const PanelText p = PanelOf(kBaseReal, kRangeQW, c.x, c.typed, c.exponent);
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
