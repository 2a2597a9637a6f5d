// The REAL function keys against reference values computed with MPFR at
// 1024 bits (tests/reference/real_functions.txt, made by
// tests/reference/make_reference.cpp), and X! in every mode and word size.
// Results are compared as numbers with a relative tolerance of 1e-75,
// never digit by digit.
#include <gtest/gtest.h>
#include <gmpxx.h>
#include <mpfr.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "decimal_text.h"
#include "engine.h"
#include "real.h"

namespace vxc {
namespace {

constexpr mpfr_prec_t kCompareBits = 1024;

struct ReferenceRow {
  std::string key, angle, y, x, expected;
  std::string Describe() const { return key + " " + angle + " y=" + y + " x=" + x; }
};

const std::map<std::string, CommandId> kKeys = {
    {"LN", cmd::kLn},     {"LOG", cmd::kLog},   {"X2", cmd::kSquare}, {"SQRT", cmd::kSqrt}, {"EXP", cmd::kExp},
    {"INV", cmd::kInverse}, {"POW", cmd::kPow}, {"SIN", cmd::kSin},   {"COS", cmd::kCos},   {"TAN", cmd::kTan},
    {"ASIN", cmd::kAsin}, {"ACOS", cmd::kAcos}, {"ATAN", cmd::kAtan},
};

uint32_t AngleCode(const std::string& name) {
  if (name == "RAD") return kAngleRad;
  if (name == "GRAD") return kAngleGrad;
  return kAngleDeg;
}

std::filesystem::path ReferenceFile() {
  if (const char* root = std::getenv("VXC_SOURCE_DIR")) {
    return std::filesystem::path(root) / "tests/reference/real_functions.txt";
  }
  return std::filesystem::path(__FILE__).parent_path() / "reference/real_functions.txt";
}

std::vector<ReferenceRow> LoadReference() {
  std::vector<ReferenceRow> rows;
  std::ifstream in(ReferenceFile());
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    ReferenceRow row;
    fields >> row.key >> row.angle >> row.y >> row.x >> row.expected;
    rows.push_back(row);
  }
  return rows;
}

// |actual - expected| / |expected|, or |actual| when expected is zero.
double RelativeError(const std::string& actual, const std::string& expected) {
  mpfr_t a, e, d;
  mpfr_inits2(kCompareBits, a, e, d, (mpfr_ptr)0);
  mpfr_set_str(a, actual.c_str(), 10, MPFR_RNDN);
  mpfr_set_str(e, expected.c_str(), 10, MPFR_RNDN);
  mpfr_sub(d, a, e, MPFR_RNDN);
  mpfr_abs(d, d, MPFR_RNDN);
  if (!mpfr_zero_p(e)) mpfr_div(d, d, e, MPFR_RNDN);
  mpfr_abs(d, d, MPFR_RNDN);
  // Below the double range counts as zero error; the tolerance is 1e-75.
  const double error = mpfr_get_d(d, MPFR_RNDU);
  mpfr_clears(a, e, d, (mpfr_ptr)0);
  return error;
}

// One key on a fresh calculator, operands placed as finished values.
CalcState Press(CommandId id, uint32_t angle, const std::string& y, const std::string& x) {
  Engine engine;
  engine.state.angle = angle;
  engine.state.stackY = y;
  engine.state.stackX = x;
  Dispatch(engine, id);
  return engine.state;
}

int SignificantDigits(const std::string& text) {
  int digits = 0;
  bool leading = true;
  for (char c : text.substr(0, text.find('e'))) {
    if (c < '0' || c > '9') continue;
    if (c != '0') leading = false;
    if (!leading) ++digits;
  }
  return digits;
}

TEST(RealFunctionReference, EveryKeyHasAtLeastTwentyArguments) {
  std::map<std::string, int> counts;
  for (const ReferenceRow& row : LoadReference()) ++counts[row.key];
  for (const auto& [name, id] : kKeys) EXPECT_GE(counts[name], 20) << name;
}

TEST(RealFunctionReference, KeysAgreeToSeventyFiveDigits) {
  const std::vector<ReferenceRow> rows = LoadReference();
  ASSERT_GT(rows.size(), 250u) << ReferenceFile();
  for (const ReferenceRow& row : rows) {
    const CalcState s = Press(kKeys.at(row.key), AngleCode(row.angle), row.y == "-" ? "0" : row.y, row.x);
    if (s.errorShown) {
      ADD_FAILURE() << row.Describe() << ": " << s.errorText;
      continue;
    }
    if (row.key == "EXP") {
      // e^X stores 32 digits (31 below 1, where the 0 before the point
      // counts); the 256-bit value behind them is checked below.
      EXPECT_LE(SignificantDigits(s.stackX), 32) << row.Describe() << " -> " << s.stackX;
      EXPECT_LE(RelativeError(s.stackX, row.expected), 1e-30) << row.Describe() << " -> " << s.stackX;
      Real value = Real::FromString(row.x);
      ASSERT_EQ(value.Exp(), kRealOk) << row.Describe();
      EXPECT_LE(RelativeError(value.ToCanonicalText(), row.expected), 1e-75) << row.Describe();
    } else {
      EXPECT_LE(RelativeError(s.stackX, row.expected), 1e-75) << row.Describe() << " -> " << s.stackX;
    }
  }
}

// Multiples of 15 degrees and 50 grads against the true values (the angle
// converted at 1024 bits): the 256-bit conversion must not cost a digit.
TEST(RealFunctionAngles, MultiplesMatchTrueValues) {
  mpfr_t angle, pi, expected;
  mpfr_inits2(kCompareBits, angle, pi, expected, (mpfr_ptr)0);
  mpfr_const_pi(pi, MPFR_RNDN);
  struct Unit {
    uint32_t code;
    long step, full;
  };
  for (const Unit unit : {Unit{kAngleDeg, 15, 180}, Unit{kAngleGrad, 50, 200}}) {
    for (long n = -unit.full * 2; n <= unit.full * 2; n += unit.step) {
      mpfr_set_si(angle, n, MPFR_RNDN);
      mpfr_mul(angle, angle, pi, MPFR_RNDN);
      mpfr_div_si(angle, angle, unit.full, MPFR_RNDN);
      for (CommandId id : {cmd::kSin, cmd::kCos, cmd::kTan}) {
        // n / full an odd multiple of 1/2: tan has a pole there.
        if (id == cmd::kTan && (2 * n) % unit.full == 0 && (2 * n / unit.full) % 2 != 0) continue;
        if (id == cmd::kSin) mpfr_sin(expected, angle, MPFR_RNDN);
        if (id == cmd::kCos) mpfr_cos(expected, angle, MPFR_RNDN);
        if (id == cmd::kTan) mpfr_tan(expected, angle, MPFR_RNDN);
        const CalcState s = Press(id, unit.code, "0", std::to_string(n));
        ASSERT_FALSE(s.errorShown) << id << " of " << n;
        mpfr_t actual;
        mpfr_init2(actual, kCompareBits);
        mpfr_set_str(actual, s.stackX.c_str(), 10, MPFR_RNDN);
        mpfr_sub(actual, actual, expected, MPFR_RNDN);
        EXPECT_LE(std::abs(mpfr_get_d(actual, MPFR_RNDN)), 1e-75)
            << id << " of " << n << " (unit " << unit.code << ") -> " << s.stackX;
        mpfr_clear(actual);
      }
    }
  }
  mpfr_clears(angle, pi, expected, (mpfr_ptr)0);
}

TEST(RealFunctionPi, ThirtyTwoDigitsOfPi) {
  const CalcState s = Press(cmd::kPi, kAngleDeg, "0", "0");
  EXPECT_EQ(s.stackX, "3.1415926535897932384626433832795");
  mpfr_t pi;
  mpfr_init2(pi, kCompareBits);
  mpfr_const_pi(pi, MPFR_RNDN);
  char text[128];
  mpfr_snprintf(text, sizeof text, "%.60Rf", pi);
  EXPECT_LE(RelativeError(s.stackX, text), 1e-31);
  EXPECT_EQ(s.stackX, ThirtyTwoDigitText(text));
  mpfr_clear(pi);
}

TEST(Factorial, ZeroToTwentyAreExact) {
  for (unsigned long n = 0; n <= 20; ++n) {
    mpz_class expected;
    mpz_fac_ui(expected.get_mpz_t(), n);
    const CalcState s = Press(cmd::kFactorial, kAngleDeg, "0", std::to_string(n));
    EXPECT_FALSE(s.errorShown) << n;
    EXPECT_EQ(s.stackX, expected.get_str()) << n;
  }
}

// For every mode and word size: the largest operand whose factorial fits
// the signed word, and the next one, typed in the base of the mode.
TEST(Factorial, LimitOfEveryWordSizeInEveryMode) {
  struct Limit {
    uint32_t range;
    int largest;
  };
  const Limit limits[] = {{kRangeQW, 20}, {kRangeDW, 12}, {kRangeW, 7}, {kRangeB, 5}};
  for (uint32_t base : {kBaseReal, kBaseDec, kBaseHex, kBaseOct, kBaseBin}) {
    for (const Limit& limit : limits) {
      for (int n : {limit.largest, limit.largest + 1}) {
        Engine engine;
        engine.state.base = base;
        engine.state.range = limit.range;
        mpz_class operand = n;
        for (char c : operand.get_str(RadixOf(base))) {
          Dispatch(engine, c <= '9' ? cmd::kDigit0 + (c - '0') : cmd::kLetterA + (c - 'a'));
        }
        Dispatch(engine, cmd::kFactorial);
        const CalcState& s = engine.state;
        const std::string where = "base " + std::to_string(base) + " range " + std::to_string(limit.range) +
                                  " n " + std::to_string(n);
        if (n == limit.largest) {
          mpz_class expected;
          mpz_fac_ui(expected.get_mpz_t(), n);
          EXPECT_FALSE(s.errorShown) << where;
          EXPECT_EQ(s.stackX, expected.get_str()) << where;
          EXPECT_EQ(s.lastX, std::to_string(n)) << where;
        } else {
          EXPECT_TRUE(s.errorShown) << where;
          EXPECT_EQ(s.errorText, kMsgOverflow) << where;
        }
      }
    }
  }
}

TEST(Factorial, HugeOperandIsRefusedAtOnce) {
  for (const char* x : {"21", "1e99", "1e300", "99999999999999999999999999999999"}) {
    const CalcState s = Press(cmd::kFactorial, kAngleDeg, "0", x);
    EXPECT_EQ(s.errorText, kMsgOverflow) << x;
  }
  for (const char* x : {"-1", "0.5", "20.000000001", "-1e99", "1e-300"}) {
    const CalcState s = Press(cmd::kFactorial, kAngleDeg, "0", x);
    EXPECT_EQ(s.errorText, kMsgNotInteger) << x;
  }
}

// Domain edges of the inverse functions and logarithms.
TEST(RealFunctionDomains, EdgesRaiseTheirMessages) {
  struct Case {
    CommandId id;
    const char* y;
    const char* x;
    const char* message;  // nullptr: no error
  };
  const Case cases[] = {
      {cmd::kAsin, "0", "1", nullptr},
      {cmd::kAsin, "0", "-1", nullptr},
      {cmd::kAsin, "0", "1.0000000000000000000000000000000000000000000000000000000000000000000000000001", kMsgUpperThanOne},
      {cmd::kAcos, "0", "-1.00000000000000000000000000000001", kMsgUpperThanOne},
      {cmd::kAcos, "0", "1e30", kMsgUpperThanOne},
      {cmd::kLn, "0", "0", kMsgMinusOrZero},
      {cmd::kLn, "0", "-1e-300", kMsgMinusOrZero},
      {cmd::kLog, "0", "-5", kMsgMinusOrZero},
      {cmd::kLn, "0", "1e-99999", nullptr},
      {cmd::kSqrt, "0", "-1e-300", kMsgOverflow},
      {cmd::kSqrt, "0", "0", nullptr},
      {cmd::kInverse, "0", "0", kMsgDivideByZero},
      {cmd::kPow, "0", "0", kMsgOverflow},
      {cmd::kPow, "0", "-2", kMsgOverflow},
      {cmd::kPow, "-8", "0.5", kMsgOverflow},
      {cmd::kPow, "-2", "100", nullptr},
      {cmd::kPow, "10", "100", kMsgOverflow},
      {cmd::kSquare, "0", "1.0000000000000001e16", kMsgOverflow},
      {cmd::kExp, "0", "73.7", kMsgOverflow},
      {cmd::kExp, "0", "-1e30", nullptr},  // underflows to 0
      // Angles whose exact reduction would take seconds: pasted or
      // hand-edited values only.
      {cmd::kTan, "0", "1e4000", nullptr},
      {cmd::kSin, "0", "1e5000", kMsgOverflow},
      {cmd::kCos, "0", "-1e999999999", kMsgOverflow},
      {cmd::kSin, "0", "1e-999999999", nullptr},
  };
  for (const Case& c : cases) {
    const CalcState s = Press(c.id, kAngleRad, c.y, c.x);
    if (c.message == nullptr) {
      EXPECT_FALSE(s.errorShown) << c.id << " y=" << c.y << " x=" << c.x << ": " << s.errorText;
    } else {
      EXPECT_EQ(s.errorText, c.message) << c.id << " y=" << c.y << " x=" << c.x;
    }
  }
}

}  // namespace
}  // namespace vxc
