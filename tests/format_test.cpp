// The REAL formatter, the display frame and the X panel's readouts against
// expected strings (what keys reach: tests/cases/display.cases).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "decimal_text.h"
#include "display.h"
#include "engine.h"
#include "integer.h"
#include "real.h"

namespace vxc {
namespace {

// A message never shrinks the font; an empty register shows nothing.
TEST(RefreshFrame, LongMessageAndEmptyRegister) {
  CalcState s;
  s.errorShown = true;
  s.errorText = "Devide by zero ! with a long tail of text";
  s.stackZ = "";
  const DisplayFrame f = Refresh(s, false);
  EXPECT_EQ(f.fontPixels, kFontNormal);
  EXPECT_EQ(f.lines[kLineZ], (LineText{"", ""}));
}

// The eight-at-a-time digit scan stops exactly where a character-by-
// character scan stops, for every byte at every place of a long run.
TEST(SkipDecimalDigits, StopsAtTheFirstNonDigit) {
  const std::string digits = "0123456789012345678901234567";
  for (int byte = 0; byte < 256; ++byte) {
    const bool isDigit = byte >= '0' && byte <= '9';
    for (size_t at = 0; at < digits.size(); ++at) {
      std::string text = digits;
      text[at] = static_cast<char>(byte);
      for (size_t from : {size_t(0), size_t(3)}) {
        const size_t expected = isDigit || at < from ? text.size() : at;
        ASSERT_EQ(SkipDecimalDigits(text, from), expected) << "byte " << byte << " at " << at << " from " << from;
      }
    }
  }
  EXPECT_EQ(SkipDecimalDigits("", 0), 0u);
  EXPECT_EQ(SkipDecimalDigits("12", 2), 2u);
}

// The X panel's readouts: X's word at the edges of each word size, X's
// digits in REAL, and when the refresh composes them. An entry read in its
// base, words beyond the word size and REAL entries: x_panel.cases.
struct WordCase {
  uint32_t range;
  std::string x;  // stackX
  std::string hex, dec, udec, oct, bin;
};

// A BIN row: the top bit, then `fill` for the others.
std::string Bits(int bits, char top, char fill) { return std::string(1, top) + std::string(bits - 1, fill); }

PanelText PanelOf(uint32_t base, uint32_t range, const std::string& x) {
  CalcState s;
  s.base = base;
  s.range = range;
  s.stackX = x;
  return ComposePanel(s);
}

// tests/cases/text_functions.rows: "function | arguments | expected" rows for
// the text functions. In a field "\t" is a tab, "c{n}" n copies of c, and
// "" an empty text.
std::string Expand(const std::string& field) {
  std::string out;
  for (size_t i = 0; field != "\"\"" && i < field.size(); ++i) {
    if (field.compare(i, 2, "\\t") == 0) out += '\t', ++i;
    else if (field[i] != '{' || out.empty()) out += field[i];
    else out.append(std::stoul(field.substr(i + 1)) - 1, out.back()), i = field.find('}', i);
  }
  return out;
}

using Args = std::vector<std::string>;
const std::map<std::string, std::function<std::string(const Args&)>> kTextFunctions = {
    {"read", [](const Args& a) { return Real::FromString(a[0]).ToCanonicalText(); }},
    {"uint", [](const Args& a) { return std::to_string(Real::FromString(a[0]).ToUInt()); }},
    {"int128", [](const Args& a) { return Int128ToString(ParseInt128(a[0])); }},
    {"uint128", [](const Args& a) { return UInt128ToString(ParseUInt128(a[0], std::stoi(a[1])), std::stoi(a[1])); }},
    {"bigint", [](const Args& a) { return ParseBigInt(a[0]).get_str(); }},
    {"wordbits", [](const Args& a) { return std::to_string(WordSizeOf(std::stoul(a[0])).bits); }},
    {"round", [](const Args& a) { return RoundDigits(a[0], std::stoi(a[1])); }},
    {"format", [](const Args& a) {
       const LineText line = FormatReal(a[0], a[1] == "FIX" ? kDisplayFix : a[1] == "SCI" ? kDisplaySci : kDisplayEng, std::stoi(a[2]));
       return line.main + (line.exponent.empty() ? "" : " e" + line.exponent);
     }},
    {"panel", [](const Args& a) { return PanelOf(kBaseReal, kRangeQW, a[0]).full; }},
};

TEST(TextFunctions, EveryRowOfTheTable) {
  const char* root = std::getenv("VXC_SOURCE_DIR");
  std::ifstream in((root ? std::filesystem::path(root) / "tests" : std::filesystem::path(__FILE__).parent_path()) /
                   "cases/text_functions.rows");
  int rows = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    ++rows;
    Args fields;
    for (size_t at = 0, bar = 0; bar != std::string::npos; at = bar + 3) {
      bar = line.find(" | ", at);
      fields.push_back(Expand(line.substr(at, bar - at)));
    }
    const auto function = kTextFunctions.find(fields[0]);
    ASSERT_NE(function, kTextFunctions.end()) << line;
    EXPECT_EQ(function->second(Args(fields.begin() + 1, fields.end() - 1)), fields.back()) << line.substr(0, 200);
  }
  EXPECT_GT(rows, 40);
}

void ExpectRows(const WordCase& c) {
  const PanelText p = PanelOf(kBaseHex, c.range, c.x);
  SCOPED_TRACE(c.x + " range " + std::to_string(c.range));
  EXPECT_EQ(p.kind, PanelKind::kInteger);
  EXPECT_EQ(p.wordBits, static_cast<int>(c.bin.size()));
  std::vector<std::string> rows;
  for (int i : {kPanelHex, kPanelDec, kPanelUdec, kPanelOct, kPanelBin}) rows.emplace_back(p.rows[i].view());
  EXPECT_EQ(rows, (std::vector{c.hex, c.dec, c.udec, c.oct, c.bin}));
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
      ExpectRows({range, r.x, Printed("%llX", r.word), r.dec, std::to_string(r.word),
                  Printed("%llo", r.word), r.bin});
    }
  }
  // A register no key leaves in an integer mode (a hand-edited file can).
  ExpectRows({kRangeB, "3.6e-200", "0", "0", "0", "0", Bits(8, '0', '0')});
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
