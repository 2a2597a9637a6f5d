// The text functions of the number layer and the display, row by row from
// tests/cases/text_functions.rows; the display frame and the X panel's
// refresh (what keys reach: tests/cases/display.cases); the integer
// modes seen from the keys, results and the four display bases against a
// reference written here from plain 64-bit arithmetic and the standard
// library's digits (single keystrokes and the BASE/RANGE switch tables:
// tests/cases/integer_modes.cases).
#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "decimal_text.h"
#include "display.h"
#include "engine.h"
#include "integer.h"
#include "key_driver.h"
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

// The X panel's readouts (the rows "panel" and "intpanel" of the table below;
// an entry read in its base, words beyond the word size and REAL entries:
// x_panel.cases) and when the refresh composes them.
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
    {"bits", [](const Args& a) {
       char* printed = nullptr;
       mpfr_asprintf(&printed, "%Ra", Real::FromString(a[0]).raw());
       const std::string out = printed;
       mpfr_free_str(printed);
       return out;
     }},
    {"canonical", [](const Args& a) { return Real::CanonicalText(a[0]) + (IsCanonicalDecimal(a[0]) ? " (as is)" : ""); }},
    {"mul", [](const Args& a) { Real y = Real::FromString(a[0]); return std::to_string(y.Mul(Real::FromString(a[1]))); }},
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
    {"intpanel", [](const Args& a) {
       const uint32_t range = a[0] == "64" ? kRangeQW : a[0] == "32" ? kRangeDW : a[0] == "16" ? kRangeW : kRangeB;
       const PanelText p = PanelOf(kBaseHex, range, a[1]);
       std::string out = p.kind == PanelKind::kInteger && p.full.empty() ? std::to_string(p.wordBits) + " bits:" : "REAL:";
       for (int i : {kPanelHex, kPanelDec, kPanelUdec, kPanelOct, kPanelBin}) out += " " + std::string(p.rows[i].view());
       return out;
     }},
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

// ---------------------------------------------------------- integer modes

using I128 = __int128;

struct Word {
  int bits;
  uint64_t mask, sign;
  explicit Word(int b) : bits(b), mask(b == 64 ? ~0ull : (1ull << b) - 1), sign(1ull << (b - 1)) {}
  int64_t Signed(uint64_t v) const {
    v &= mask;
    return bits == 64 || (v & sign) == 0 ? int64_t(v) : int64_t(v) - int64_t(mask) - 1;
  }
};

std::string Dec(I128 v) {
  if (v < 0) return "-" + Dec(-v);
  return (v >= 10 ? Dec(v / 10) : "") + char('0' + int(v % 10));
}

// The digits of `v` in `base` (DEC: signed), through the standard library, in upper case.
std::string InBase(uint64_t v, uint32_t base) {
  char buffer[65];
  const int radix = base == kBaseHex ? 16 : base == kBaseOct ? 8 : 2;
  char* end = base == kBaseDec ? std::to_chars(buffer, buffer + sizeof buffer, int64_t(v)).ptr
                               : std::to_chars(buffer, buffer + sizeof buffer, v, radix).ptr;
  std::string out(buffer, end);
  for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// DEC reads a negative value as a signed 64-bit number and any other as the
// signed word; HEX, OCT and BIN show a negative value's word, others as is.
std::string Shown(I128 stored, uint32_t base, const Word& w) {
  const uint64_t bits = static_cast<uint64_t>(stored);
  if (base == kBaseDec) return InBase(stored < 0 ? bits : uint64_t(w.Signed(bits)), kBaseDec);
  return InBase(stored < 0 ? bits & w.mask : bits, base);
}

// The stored result; nullopt for division by zero.
std::optional<I128> Reference(CommandId id, uint32_t base, I128 y, I128 x, const Word& w) {
  const uint64_t yl = static_cast<uint64_t>(y), xl = static_cast<uint64_t>(x);
  switch (id) {
    case cmd::kAdd: return (yl + xl) & w.mask;
    case cmd::kSub: return base == kBaseDec ? I128(w.Signed(yl - xl)) : I128((yl - xl) & w.mask);
    case cmd::kMul: return (yl * xl) & w.mask;
    case cmd::kDiv:
      if (x == 0) return std::nullopt;
      return static_cast<uint64_t>(I128(w.Signed(yl)) / x) & w.mask;
    case cmd::kAnd: return w.Signed(yl & xl);
    case cmd::kOr: return w.Signed(yl | xl);
    case cmd::kXor: return w.Signed(yl ^ xl);
    case cmd::kXnor: return w.Signed(~(yl ^ xl));
    case cmd::kNeg: return -x;
    default: return -x - 1;  // NOT
  }
}

// An engine wired like a front-end, with shortcuts for loading operands.
struct Calculator : testing_keys::Driver {
  CalcState& s() { return engine.state; }
  const std::string& X() { return Shown().lines[kLineX].main; }
  // Y and X as finished values, as after "y ENTER x ENTER" and a drop.
  void Load(const std::string& y, const std::string& x) {
    s().stackY = y;
    s().stackX = x;
    s().entryText.clear();
    s().entryTyped = s().liftDisabled = false;
    s().xComplete = true;
  }
  // Y finished and X typed in the current base, as after "y ENTER digits".
  void LoadTyped(const std::string& y, const std::string& digits, bool negate) {
    Load(y, y);
    s().liftDisabled = true;
    for (char c : digits) Dispatch(engine, c <= '9' ? cmd::kDigit0 + CommandId(c - '0') : cmd::kLetterA + CommandId(c - 'A'));
    if (negate) Dispatch(engine, cmd::kChangeSign);
  }
};

constexpr CommandId kOps[] = {cmd::kAdd, cmd::kSub, cmd::kMul, cmd::kDiv, cmd::kAnd,
                              cmd::kOr,  cmd::kXor, cmd::kXnor, cmd::kNeg, cmd::kNot};
constexpr uint32_t kBases[] = {kBaseDec, kBaseHex, kBaseOct, kBaseBin};
constexpr int kBits[] = {64, 32, 16, 8};

class IntegerProperty : public testing::TestWithParam<uint32_t> {};

// Every pair of the word's edges first, then random pairs of edges and random
// words (unsigned or signed texts, all magnitudes); one X in eight typed, one
// result in eight taken to another base.
TEST_P(IntegerProperty, KeysAgreeWithWordArithmeticAndPrintf) {
  const uint32_t range = GetParam();
  const Word w(kBits[range]);
  std::mt19937_64 rng(0x5eed + range);
  Calculator c;
  SetRange(c.engine, range);
  std::vector<I128> operands = {0, 1, -1, I128(w.mask), I128(w.sign), I128(w.sign) - 1, -I128(w.sign), 2, -2,
                                I128(w.mask) - 1, I128(~0ull), INT64_MIN};
  while (operands.size() < 62) {
    const uint64_t r = rng() >> (rng() % 64);
    operands.push_back(rng() % 2 ? I128(r & w.mask) : I128(w.Signed(r)));
  }
  int checked = 0;
  for (size_t i = 0; i < 3000; ++i) {
    const I128 y = operands[i < 144 ? i / 12 : rng() % operands.size()];
    I128 x = operands[i < 144 ? i % 12 : rng() % operands.size()];
    const uint32_t base = kBases[rng() % 4];
    SelectBase(c.engine, base);
    for (CommandId op : kOps) {
      if (rng() % 8 == 0 && base != kBaseDec) {
        x = static_cast<uint64_t>(x) & w.mask;  // the typed digits are the word
        c.LoadTyped(Dec(y), InBase(static_cast<uint64_t>(x), base), false);
      } else if (rng() % 8 == 0 && base == kBaseDec && (x < 0 ? -x : x) <= I128(w.sign - 1)) {
        c.LoadTyped(Dec(y), Dec(x < 0 ? -x : x), x < 0);
      } else {
        c.Load(Dec(y), Dec(x));
      }
      ASSERT_TRUE(Dispatch(c.engine, op));
      const std::optional<I128> stored = Reference(op, base, y, x, w);
      const std::string what = "op " + std::to_string(op) + " y=" + Dec(y) + " x=" + Dec(x) + " base " + std::to_string(base);
      if (!stored) {
        ASSERT_EQ(c.X(), "Devide by zero !") << what;
        Dispatch(c.engine, cmd::kClx);
        continue;
      }
      ASSERT_FALSE(c.s().errorShown) << what;
      ASSERT_EQ(c.s().stackX, Dec(*stored)) << what;
      ASSERT_EQ(c.s().lastX, Dec(x)) << what;
      ASSERT_EQ(c.X(), Shown(*stored, base, w)) << what;
      for (uint32_t other : kBases) {
        std::string text = c.s().stackX;
        ASSERT_EQ(FormatInteger(text, other, range).main, Shown(*stored, other, w)) << what << " in " << other;
      }
      if (rng() % 8 == 0) {  // BASE: X cut to its word unless negative or the base stays; REAL: the signed word
        const uint32_t to = static_cast<uint32_t>(rng() % 5);
        SelectBase(c.engine, to);
        const uint64_t bits = static_cast<uint64_t>(*stored) & w.mask;
        if (to == kBaseReal) ASSERT_EQ(c.s().stackX, Dec(w.Signed(bits))) << what;
        else ASSERT_EQ(c.X(), Shown(*stored < 0 || to == base ? *stored : I128(bits), to, w)) << what << " to " << to;
        SelectBase(c.engine, base);
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 25000);
}

INSTANTIATE_TEST_SUITE_P(WordSizes, IntegerProperty, testing::Values(kRangeQW, kRangeDW, kRangeW, kRangeB),
                         [](const testing::TestParamInfo<uint32_t>& info) { return "Bits" + std::to_string(kBits[info.param]); });

}  // namespace
}  // namespace vxc
