// Integer modes seen from the keys: results and the four display bases
// against a reference written here from plain 64-bit arithmetic and printf,
// and the BASE and RANGE switches in every direction.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "display.h"
#include "engine.h"

namespace vxc {
namespace {

using I128 = __int128;

// ---- reference -------------------------------------------------------------

struct Word {
  int bits;
  uint64_t mask;
  uint64_t sign;
  explicit Word(int b) : bits(b), mask(b == 64 ? ~0ull : (1ull << b) - 1), sign(1ull << (b - 1)) {}
  int64_t Signed(uint64_t v) const {
    v &= mask;
    if (bits == 64 || (v & sign) == 0) return static_cast<int64_t>(v);
    return static_cast<int64_t>(v) - static_cast<int64_t>(mask) - 1;
  }
};

std::string Dec(I128 v) {
  if (v == 0) return "0";
  const bool negative = v < 0;
  unsigned __int128 m = negative ? -static_cast<unsigned __int128>(v) : static_cast<unsigned __int128>(v);
  std::string out;
  while (m != 0) {
    out.insert(out.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
    m /= 10;
  }
  return negative ? "-" + out : out;
}

std::string Printf(const char* format, unsigned long long v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, format, v);
  return buffer;
}

std::string Binary(uint64_t v) {
  if (v == 0) return "0";
  std::string out;
  for (; v != 0; v >>= 1) out.insert(out.begin(), (v & 1) ? '1' : '0');
  return out;
}

// What each base shows for a stored value: DEC reads a negative value as a
// signed 64-bit number and any other as the signed word; HEX, OCT and BIN
// show a negative value's word and a non-negative value as it is.
std::string Shown(I128 stored, uint32_t base, const Word& w) {
  if (base == kBaseDec) {
    const int64_t v = stored < 0 ? static_cast<int64_t>(static_cast<uint64_t>(stored)) : w.Signed(static_cast<uint64_t>(stored));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%" PRId64, v);
    return buffer;
  }
  const uint64_t bits = stored < 0 ? static_cast<uint64_t>(stored) & w.mask : static_cast<uint64_t>(stored);
  if (base == kBaseHex) return Printf("%llX", bits);
  if (base == kBaseOct) return Printf("%llo", bits);
  return Binary(bits);
}

struct Expected {
  bool divideByZero = false;
  I128 stored = 0;
};

Expected Reference(CommandId id, uint32_t base, I128 y, I128 x, const Word& w) {
  const uint64_t yl = static_cast<uint64_t>(y), xl = static_cast<uint64_t>(x);
  Expected e;
  switch (id) {
    case cmd::kAdd: e.stored = (yl + xl) & w.mask; break;
    case cmd::kSub: e.stored = base == kBaseDec ? I128(w.Signed(yl - xl)) : I128((yl - xl) & w.mask); break;
    case cmd::kMul: e.stored = (yl * xl) & w.mask; break;
    case cmd::kDiv:
      if (x == 0) {
        e.divideByZero = true;
      } else {
        e.stored = static_cast<uint64_t>(I128(w.Signed(yl)) / x) & w.mask;
      }
      break;
    case cmd::kAnd: e.stored = w.Signed(yl & xl); break;
    case cmd::kOr: e.stored = w.Signed(yl | xl); break;
    case cmd::kXor: e.stored = w.Signed(yl ^ xl); break;
    case cmd::kXnor: e.stored = w.Signed(~(yl ^ xl)); break;
    case cmd::kNeg: e.stored = -x; break;
    default: e.stored = -x - 1; break;  // NOT
  }
  return e;
}

// ---- the calculator --------------------------------------------------------

struct Calculator {
  Engine engine;
  DisplayFrame frame;
  Calculator() {
    InitNumbers();
    engine.out.refresh = [this](bool formatEntry) { frame = Refresh(engine.state, formatEntry); };
  }
  CalcState& s() { return engine.state; }
  const std::string& X() const { return frame.lines[kLineX].main; }
  // Y and X as finished values, as after "y ENTER x ENTER" and a drop.
  void Load(const std::string& y, const std::string& x) {
    s().stackY = y;
    s().stackX = x;
    s().entryText.clear();
    s().entryTyped = false;
    s().liftDisabled = false;
    s().xComplete = true;
  }
  // Y finished and X typed in the current base, as after "y ENTER digits".
  void LoadTyped(const std::string& y, const std::string& digits, bool negate) {
    Load(y, y);
    s().liftDisabled = true;
    for (char c : digits) {
      const CommandId id = c <= '9' ? cmd::kDigit0 + static_cast<CommandId>(c - '0') : cmd::kLetterA + static_cast<CommandId>(c - 'A');
      Dispatch(engine, id);
    }
    if (negate) Dispatch(engine, cmd::kChangeSign);
  }
};

// Operands: the word's edges, 64-bit edges beyond small words, and random
// words written as unsigned or signed texts.
std::vector<I128> Operands(const Word& w, std::mt19937_64& rng, int randomCount) {
  std::vector<I128> v = {0, 1, -1, I128(w.mask), I128(w.sign), I128(w.sign) - 1, -I128(w.sign), 2, -2,
                         I128(w.mask) - 1, I128(~0ull), INT64_MIN};
  for (int i = 0; i < randomCount; ++i) {
    const uint64_t r = rng() >> (rng() % 64);  // all magnitudes, not only huge ones
    v.push_back(rng() % 2 ? I128(r & w.mask) : I128(w.Signed(r)));
  }
  return v;
}

constexpr CommandId kOps[] = {cmd::kAdd, cmd::kSub, cmd::kMul, cmd::kDiv, cmd::kAnd,
                              cmd::kOr,  cmd::kXor, cmd::kXnor, cmd::kNeg, cmd::kNot};
constexpr uint32_t kBases[] = {kBaseDec, kBaseHex, kBaseOct, kBaseBin};
constexpr int kBits[] = {64, 32, 16, 8};

class IntegerProperty : public testing::TestWithParam<uint32_t> {};

TEST_P(IntegerProperty, KeysAgreeWithWordArithmeticAndPrintf) {
  const uint32_t range = GetParam();
  const Word w(kBits[range]);
  std::mt19937_64 rng(0x5eed + range);
  Calculator c;
  SelectBase(c.engine, kBaseDec);
  SetRange(c.engine, range);
  const std::vector<I128> operands = Operands(w, rng, 50);
  int checked = 0;
  for (size_t i = 0; i < 3000; ++i) {
    const bool edges = i < operands.size() * operands.size() && i < 144;
    const I128 y = edges ? operands[i / 12 % operands.size()] : operands[rng() % operands.size()];
    I128 x = edges ? operands[i % 12] : operands[rng() % operands.size()];
    const uint32_t base = kBases[rng() % 4];
    SelectBase(c.engine, base);
    for (CommandId op : kOps) {
      // One X in eight is typed in the base: the typed digits are the word.
      if (rng() % 8 == 0 && base != kBaseDec) {
        x = static_cast<uint64_t>(x) & w.mask;
        const std::string digits = base == kBaseHex ? Printf("%llX", static_cast<uint64_t>(x))
                                   : base == kBaseOct ? Printf("%llo", static_cast<uint64_t>(x))
                                                      : Binary(static_cast<uint64_t>(x));
        c.LoadTyped(Dec(y), digits, false);
      } else if (rng() % 8 == 0 && base == kBaseDec && (x < 0 ? -x : x) <= I128(w.sign - 1)) {
        c.LoadTyped(Dec(y), Dec(x < 0 ? -x : x), x < 0);
      } else {
        c.Load(Dec(y), Dec(x));
      }
      ASSERT_EQ(Dispatch(c.engine, op), true);
      const Expected e = Reference(op, base, y, x, w);
      const std::string what = "op " + std::to_string(op) + " y=" + Dec(y) + " x=" + Dec(x) + " base " + std::to_string(base);
      if (e.divideByZero) {
        ASSERT_TRUE(c.s().errorShown) << what;
        EXPECT_EQ(c.X(), "Devide by zero !");
        Dispatch(c.engine, cmd::kClx);
        continue;
      }
      ASSERT_FALSE(c.s().errorShown) << what;
      ASSERT_EQ(c.s().stackX, Dec(e.stored)) << what;
      ASSERT_EQ(c.s().lastX, Dec(x)) << what;
      ASSERT_EQ(c.X(), Shown(e.stored, base, w)) << what;
      for (uint32_t other : kBases) {
        std::string text = c.s().stackX;
        ASSERT_EQ(FormatInteger(text, other, range).main, Shown(e.stored, other, w)) << what << " shown in " << other;
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 25000);
}

INSTANTIATE_TEST_SUITE_P(WordSizes, IntegerProperty, testing::Values(kRangeQW, kRangeDW, kRangeW, kRangeB),
                         [](const testing::TestParamInfo<uint32_t>& info) { return "Bits" + std::to_string(kBits[info.param]); });

// Shifts against exact powers of two; SHR as the display rounds it.
TEST(IntegerShift, ShlAndShrAgreeWithExactPowersOfTwo) {
  Calculator c;
  SelectBase(c.engine, kBaseDec);
  std::mt19937_64 rng(7);
  const I128 limit = I128(10000000000000000ll) * I128(10000000000000000ll);  // 10^32
  for (int i = 0; i < 2000; ++i) {
    const int64_t y = static_cast<int64_t>(rng() >> (rng() % 64));
    const I128 signedY = rng() % 2 ? I128(y) : -I128(y);
    const unsigned n = static_cast<unsigned>(rng() % 41);
    const std::string what = Dec(signedY) + " by " + std::to_string(n);

    c.Load(Dec(signedY), std::to_string(n));
    Dispatch(c.engine, cmd::kShl);
    // |y| < 2^64 and n <= 40: the product fits 128 bits.
    const I128 product = signedY * (I128(1) << n);
    if (product > limit) {
      EXPECT_TRUE(c.s().errorShown) << what;
      EXPECT_EQ(c.X(), "Overflow !");
      Dispatch(c.engine, cmd::kClx);
    } else {
      EXPECT_FALSE(c.s().errorShown) << what;
      EXPECT_EQ(c.s().stackX, Dec(product)) << what;
    }

    c.Load(Dec(signedY), std::to_string(n));
    Dispatch(c.engine, cmd::kShr);
    // Half away from zero, as the refresh rounds and writes back.
    const I128 magnitude = signedY < 0 ? -signedY : signedY;
    const I128 rounded = n == 0 ? magnitude : (magnitude + (I128(1) << (n - 1))) >> n;
    EXPECT_EQ(c.s().stackX, (signedY < 0 && rounded != 0 ? "-" : "") + Dec(rounded)) << what;
  }
}

TEST(IntegerShift, HugeCountsAnswerAsSpecified) {
  struct Case {
    const char* y;
    const char* count;
    CommandId op;
    const char* stored;  // nullptr: "Overflow !"
  } const cases[] = {
      {"1", "18446744073709551615", cmd::kShl, nullptr},
      {"-1", "18446744073709551615", cmd::kShl, nullptr},
      {"0", "18446744073709551615", cmd::kShl, "0"},
      {"1", "18446744073709551615", cmd::kShr, "0"},
      {"-7", "9223372036854775807", cmd::kShr, "0"},
      {"5", "2305843009213693952", cmd::kShl, nullptr},
      {"5", "2305843009213693952", cmd::kShr, "0"},
      {"5", "18446744073709551616", cmd::kShl, "5"},  // 2^64 counts as 0
      {"5", "-3", cmd::kShl, "40"},                   // the magnitude counts
      {"-1", "332", cmd::kShl, "-8749002899132047697490008908470485461412677723572849745703082425639811996798000000000000000000000000"},
      {"-1", "333", cmd::kShl, nullptr},  // 10^100 or more fails whatever its sign
  };
  for (const Case& k : cases) {
    Calculator c;
    SelectBase(c.engine, kBaseDec);
    c.Load(k.y, k.count);
    Dispatch(c.engine, k.op);
    const std::string what = std::string(k.y) + " shift " + k.count;
    if (k.stored == nullptr) {
      EXPECT_TRUE(c.s().errorShown) << what;
      EXPECT_EQ(c.X(), "Overflow !") << what;
      EXPECT_EQ(c.s().stackX, k.count) << what;  // nothing stored
    } else {
      EXPECT_FALSE(c.s().errorShown) << what;
      EXPECT_EQ(c.s().stackX, k.stored) << what;
    }
  }
}

// ---- BASE and RANGE switches -------------------------------------------------

struct SwitchCase {
  const char* name;
  uint32_t base, range;  // before
  const char* x;         // stackX (also Y, Z, T and LastX unless noted)
  int toBase, toRange;   // -1: unchanged
  const char* storedX;
  const char* shownX;
  const char* storedY;   // Y, Z, T (and LastX on a BASE change); nullptr: as X
};

// Y, Z, T and LastX never take step 4's cut to the word; only X does.
const SwitchCase kSwitches[] = {
    // REAL to the integer bases: the fraction dropped, toward zero
    {"RealToDecFraction", kBaseReal, kRangeQW, "3.7", kBaseDec, -1, "3", "3", nullptr},
    {"RealToDecNegativeFraction", kBaseReal, kRangeQW, "-3.7", kBaseDec, -1, "-3", "-3", nullptr},
    {"RealToHexNegative", kBaseReal, kRangeB, "-1", kBaseHex, -1, "-1", "FF", nullptr},
    {"RealToOctWideCutOnlyInX", kBaseReal, kRangeB, "300", kBaseOct, -1, "44", "54", "300"},
    {"RealToBinWideNegativeKept", kBaseReal, kRangeB, "-300", kBaseBin, -1, "-300", "11010100", nullptr},
    {"RealToDecBeyond64Bits", kBaseReal, kRangeQW, "36893488147419103237", kBaseDec, -1, "5", "5",
     "36893488147419103237"},
    {"RealToDecBelowMinus2To127", kBaseReal, kRangeQW, "-340282366920938463463374607431768211461", kBaseDec, -1,
     "-5", "-5", nullptr},
    {"RealToDecExponentForm", kBaseReal, kRangeQW, "1.5e-120", kBaseDec, -1, "0", "0", nullptr},
    {"RealToDecHugeExponent", kBaseReal, kRangeQW, "-1e+200", kBaseDec, -1, "0", "0", nullptr},
    {"RealToDecTypedExponent", kBaseReal, kRangeQW, "1.5e3", kBaseDec, -1, "1500", "1500", nullptr},
    // integer bases to REAL: the signed word
    {"DecToRealSignBitSet", kBaseDec, kRangeB, "200", kBaseReal, -1, "-56", "-56.00", nullptr},
    {"HexToRealNegativeWide", kBaseHex, kRangeB, "-300", kBaseReal, -1, "-44", "-44.00", nullptr},
    {"OctToRealAboveWord", kBaseOct, kRangeW, "65537", kBaseReal, -1, "1", "1.00", nullptr},
    {"BinToRealQwTop", kBaseBin, kRangeQW, "18446744073709551615", kBaseReal, -1, "-1", "-1.00", nullptr},
    {"DecToRealBeyond128Bits", kBaseDec, kRangeQW, "-1606938044258990275541962092341162602522202993782792835301373",
     kBaseReal, -1, "3", "3.00", nullptr},
    // between integer bases: only X is cut, negatives are kept
    {"DecToHexWide", kBaseDec, kRangeB, "300", kBaseHex, -1, "44", "2C", "300"},
    {"HexToDecNegative", kBaseHex, kRangeW, "-5", kBaseDec, -1, "-5", "-5", nullptr},
    {"BinToOct", kBaseBin, kRangeDW, "4294967295", kBaseOct, -1, "4294967295", "37777777777", nullptr},
    // narrowing
    {"QwToB", kBaseDec, kRangeQW, "300", -1, kRangeB, "44", "44", nullptr},
    {"QwToDwNegative", kBaseHex, kRangeQW, "-1", -1, kRangeDW, "4294967295", "FFFFFFFF", nullptr},
    {"DwToWNegativeWide", kBaseDec, kRangeDW, "-70000", -1, kRangeW, "61072", "-4464", nullptr},
    {"SameRange", kBaseDec, kRangeW, "-1", -1, kRangeW, "65535", "-1", nullptr},
    // widening: the old sign bit is extended
    {"BToW", kBaseDec, kRangeB, "200", -1, kRangeW, "65480", "-56", nullptr},
    {"BToQw", kBaseDec, kRangeB, "200", -1, kRangeQW, "-56", "-56", nullptr},
    {"BToDwPositive", kBaseHex, kRangeB, "127", -1, kRangeDW, "127", "7F", nullptr},
    {"WToDw", kBaseHex, kRangeW, "32768", -1, kRangeDW, "4294934528", "FFFF8000", nullptr},
    {"DwToQw", kBaseBin, kRangeDW, "2147483648", -1, kRangeQW, "-2147483648",
     "1111111111111111111111111111111110000000000000000000000000000000", nullptr},
    {"BToWFromOutsideWord", kBaseDec, kRangeB, "-56", -1, kRangeW, "65480", "-56", nullptr},
    {"WToQwAboveWord", kBaseOct, kRangeW, "131071", -1, kRangeQW, "-1", "1777777777777777777777", nullptr},
};

class Switches : public testing::TestWithParam<SwitchCase> {};

TEST_P(Switches, ConvertStackAndLastX) {
  const SwitchCase& k = GetParam();
  Calculator c;
  CalcState& s = c.s();
  s.base = k.base;
  s.range = k.range;
  s.stackX = s.stackY = s.stackZ = s.stackT = k.x;
  s.lastX = k.x;
  s.xComplete = true;
  if (k.toBase >= 0) SelectBase(c.engine, static_cast<uint32_t>(k.toBase));
  if (k.toRange >= 0) SetRange(c.engine, static_cast<uint32_t>(k.toRange));
  const std::string storedY = k.storedY ? k.storedY : k.storedX;
  EXPECT_EQ(s.stackX, k.storedX);
  EXPECT_EQ(c.X(), k.shownX);
  EXPECT_EQ(s.stackY, storedY);
  EXPECT_EQ(s.stackZ, storedY);
  EXPECT_EQ(s.stackT, storedY);
  // SetRange makes the converted X the new LastX; SetBase converts LastX.
  EXPECT_EQ(s.lastX, k.toRange >= 0 ? std::string(k.storedX) : storedY);
  EXPECT_FALSE(s.errorShown);
  EXPECT_TRUE(s.entryText.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, Switches, testing::ValuesIn(kSwitches),
                         [](const testing::TestParamInfo<SwitchCase>& info) { return info.param.name; });

// Every base to every base and back, with a value of each kind.
TEST(SwitchRoundTrips, IntegerBasesKeepEveryWordAndRealKeepsTheSignedWord) {
  const char* const values[] = {"0", "1", "-1", "127", "128", "255", "-128", "65535", "-32768", "4294967295",
                                "9223372036854775807", "-9223372036854775808", "18446744073709551615"};
  for (uint32_t range = kRangeQW; range <= kRangeB; ++range) {
    const Word w(kBits[range]);
    for (const char* v : values) {
      const I128 value = v[0] == '-' ? I128(std::stoll(v)) : I128(std::stoull(v));
      const uint64_t word = static_cast<uint64_t>(value) & w.mask;
      for (uint32_t from = kBaseDec; from <= kBaseBin; ++from) {
        for (uint32_t to = kBaseReal; to <= kBaseBin; ++to) {
          Calculator c;
          c.s().base = from;
          c.s().range = range;
          c.s().stackX = v;
          c.s().xComplete = true;
          SelectBase(c.engine, to);
          const std::string what = std::string(v) + " " + std::to_string(from) + "->" + std::to_string(to);
          if (to == kBaseReal) {
            EXPECT_EQ(c.s().stackX, Dec(w.Signed(word))) << what;
          } else {
            // X is cut to its word unless negative; selecting the current
            // base only refreshes, so a wide value stays wide.
            const I128 x = value < 0 || from == to ? value : I128(word);
            EXPECT_EQ(c.X(), Shown(x, to, w)) << what;
          }
        }
      }
    }
  }
}

TEST(SwitchErrors, BaseIsRefusedAndRangeConvertsInPlaceDuringAnError) {
  Calculator c;
  SelectBase(c.engine, kBaseDec);
  SetRange(c.engine, kRangeW);
  c.Load("7", "300");
  c.s().stackZ = "-1";
  c.s().lastX = "9";
  Dispatch(c.engine, cmd::kEnter);
  Dispatch(c.engine, cmd::kDigit0);
  Dispatch(c.engine, cmd::kDiv);
  ASSERT_TRUE(c.s().errorShown);
  SelectBase(c.engine, kBaseHex);
  EXPECT_EQ(c.s().base, kBaseDec);
  SetRange(c.engine, kRangeB);
  EXPECT_EQ(c.s().range, kRangeB);
  // The failed / dropped the stack: Y 7, Z and T -1; X kept 300.
  EXPECT_EQ(c.s().stackX, "44");
  EXPECT_EQ(c.s().stackY, "7");
  EXPECT_EQ(c.s().stackZ, "255");
  EXPECT_EQ(c.s().stackT, "255");
  EXPECT_EQ(c.s().lastX, "9");
  EXPECT_EQ(c.X(), "Devide by zero !");
  Dispatch(c.engine, cmd::kClx);
  EXPECT_EQ(c.X(), "44");
}

TEST(SwitchReal, RangeInRealModeChangesNoText) {
  Calculator c;
  c.s().stackX = "2.5";
  c.s().stackY = "-300.75";
  SetRange(c.engine, kRangeB);
  EXPECT_EQ(c.s().range, kRangeB);
  EXPECT_EQ(c.s().stackX, "2.5");
  EXPECT_EQ(c.s().stackY, "-300.75");
}

// ---- display texts the keys rarely reach ------------------------------------

TEST(IntegerDisplay, RoundsWritesBackAndReadsExponentFormAsZero) {
  struct Case {
    const char* text;
    uint32_t base, range;
    const char* shown;
    const char* kept;
  } const cases[] = {
      {"12.5", kBaseDec, kRangeB, "13", "13"},       {"-12.5", kBaseDec, kRangeQW, "-13", "-13"},
      {"12.5", kBaseHex, kRangeW, "D", "13"},        {"12.4", kBaseBin, kRangeQW, "1100", "12"},
      {"1.5e-120", kBaseDec, kRangeQW, "0", "0"},    {"-2.5e-300", kBaseHex, kRangeB, "0", "0"},
      {"256", kBaseDec, kRangeB, "0", "256"},        {"256", kBaseHex, kRangeB, "100", "256"},
      {"128", kBaseDec, kRangeB, "-128", "128"},     {"-200", kBaseDec, kRangeB, "-200", "-200"},
      {"9223372036854775808", kBaseDec, kRangeQW, "-9223372036854775808", "9223372036854775808"},
      {"1180591620717411303424", kBaseHex, kRangeB, "400000000000000000", "1180591620717411303424"},
      {"-1180591620717411303424", kBaseOct, kRangeW, "0", "-1180591620717411303424"},
      {"-0.4", kBaseDec, kRangeQW, "0", "0"},
  };
  for (const Case& k : cases) {
    std::string text = k.text;
    const LineText line = FormatInteger(text, k.base, k.range);
    EXPECT_EQ(line.main, k.shown) << k.text << " in " << k.base << "/" << k.range;
    EXPECT_EQ(line.exponent, "");
    EXPECT_EQ(text, k.kept) << k.text;
  }
}

}  // namespace
}  // namespace vxc
