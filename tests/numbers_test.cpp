// The number layer against independent values: rounding and the canonical
// shortcut against their definitions, and Real's decimal conversions against
// MPFR's own correctly rounded string routines (single texts: the rows of
// tests/cases/text_functions.rows). The REAL function keys and
// the Function menu's functions against MPFR at 1024 bits: reference values
// (tests/reference/real_functions.txt, made by
// tests/reference/make_reference.cpp) within a relative 1e-75, and every
// stored digit correctly rounded. Keystroke checks, X! at the limit of every
// word size in every mode and operands no key can type (recalled from a
// settings file) among them, live in tests/cases/real_functions.cases.
#include <gtest/gtest.h>

#include <gmpxx.h>
#include <mpfr.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "command_names.h"
#include "decimal_text.h"
#include "engine.h"
#include "ops.h"
#include "real.h"
#include "real_memo.h"

namespace vxc {
namespace {

// The shortcuts past the conversions must agree with them exactly (the
// texts at their edges: rows "canonical" of tests/cases/text_functions.rows).
TEST(Real, CanonicalDecimalShortcutAgreesWithTheConversion) {
  std::vector<std::string> texts;
  std::mt19937 random(7);
  for (int i = 0; i < 3000; ++i) {
    std::string t;
    const int length = 1 + random() % 90;
    for (int k = 0; k < length; ++k) t += "-.00123456789"[random() % 13];
    texts.push_back(t);
    // The same digits as a plain decimal, as an entry holds them.
    std::string plain = t;
    std::erase_if(plain, [](char c) { return c == '-' || c == '.'; });
    plain.insert(random() % (plain.size() + 1), ".");
    texts.push_back(random() % 2 ? "-" + plain : plain);
  }
  for (const std::string& t : texts) {
    const std::string printed = Real::FromString(t).ToCanonicalText();
    EXPECT_EQ(IsCanonicalDecimal(t), printed == t) << t;
    EXPECT_EQ(Real::CanonicalText(t), printed) << t;
  }
}

// Rounding and then padding to n decimals gives what padding first with 32
// zeros (and a point) and then rounding gives.
TEST(RoundDigits, PaddedAgreesWithPaddingFirst) {
  std::mt19937 rng(61);
  const char alphabet[] = "0123456789999995.-e";
  for (int t = 0; t < 100000; ++t) {
    std::string text(rng() % 12, ' ');
    for (char& c : text) c = alphabet[rng() % (sizeof alphabet - 1)];
    const int n = static_cast<int>(rng() % 33);
    const size_t e = std::min(text.find('e'), text.size());
    std::string head = text.substr(0, e);
    if (head.find('.') == std::string::npos) head += '.';
    const std::string padded = head + std::string(32, '0') + text.substr(e);
    ASSERT_EQ(RoundDigitsPadded(text, n), RoundDigits(padded, n)) << '"' << text << "\" " << n;
  }
}

// The decimal conversions of Real against MPFR's own correctly rounded
// string routines, on values chosen where rounding is delicate; the memo of
// read texts.
// The canonical text as printed through mpfr_get_str: the reference the
// exact conversion must match byte for byte.
std::string ReferenceText(mpfr_srcptr v) {
  if (mpfr_nan_p(v) || mpfr_zero_p(v)) return "0";
  const bool negative = mpfr_sgn(v) < 0;
  const std::string sign = negative ? "-" : "";
  if (mpfr_inf_p(v)) return sign + "1e+999999999999999999";
  char buffer[kCanonicalDigits + 8];
  mpfr_exp_t exp10 = 0;
  mpfr_get_str(buffer, &exp10, 10, kCanonicalDigits, v, MPFR_RNDN);
  std::string digits(buffer + (negative ? 1 : 0));
  digits.erase(digits.find_last_not_of('0') + 1);
  const long long k = static_cast<long long>(exp10) - 1;
  if (k > 999999999999999999LL || k < -999999999999999999LL) {
    return sign + (k > 0 ? "1e+" : "1e-") + "999999999999999999";
  }
  if (k < -99 || k > 99) {
    const std::string fraction = digits.size() > 1 ? "." + digits.substr(1) : "";
    return sign + digits[0] + fraction + (k < 0 ? "e-" : "e+") + std::to_string(k < 0 ? -k : k);
  }
  if (k < 0) return sign + "0." + std::string(static_cast<size_t>(-k - 1), '0') + digits;
  const size_t intDigits = static_cast<size_t>(k) + 1;
  if (digits.size() <= intDigits) return sign + digits + std::string(intDigits - digits.size(), '0');
  return sign + digits.substr(0, intDigits) + "." + digits.substr(intDigits);
}

std::vector<Real> DelicateValues() {
  std::mt19937_64 rng(2024);
  std::vector<Real> all;
  // m x 2^e exactly (m of at most 256 bits), with a random sign.
  auto add = [&](const mpz_class& m, long e) {
    Real& r = all.emplace_back();
    EXPECT_EQ(mpfr_set_z_2exp(r.raw(), m.get_mpz_t(), e, MPFR_RNDN), 0) << m.get_str() << " " << e;
    if (rng() % 2) mpfr_neg(r.raw(), r.raw(), MPFR_RNDN);
  };
  auto bits = [&](int n) {
    mpz_class m = 0;
    for (int b = 0; b < n; b += 64) m = (m << 64) + mpz_class(static_cast<unsigned long>(rng()));
    return mpz_class(m >> (((n + 63) / 64) * 64 - n));
  };
  auto uniform = [&](long low, long high) { return low + static_cast<long>(rng() % uint64_t(high - low + 1)); };
  // Full 256-bit significands: mostly where the exact method runs, some
  // beyond where the library's print takes over.
  for (int i = 0; i < 3000; ++i) {
    const long e = i % 10 == 0 ? uniform(-3000000, 3000000) : uniform(-1500, 1500);
    add(bits(256) | (mpz_class(1) << 255), e - 256);
  }
  // Powers of ten up to four units of the last place either side.
  for (int j = -420; j <= 420; ++j) {
    Real ten;
    mpfr_set_str(ten.raw(), ("1e" + std::to_string(j)).c_str(), 10, MPFR_RNDN);
    for (int step = 0; step < 4; ++step) mpfr_nextbelow(ten.raw());
    for (int step = 0; step < 9; ++step, mpfr_nextabove(ten.raw())) {
      all.push_back(ten);
      if (rng() % 2) mpfr_neg(all.back().raw(), all.back().raw(), MPFR_RNDN);
    }
  }
  // Exact integers, short and long.
  for (int i = 0; i < 1000; ++i) add(bits(static_cast<int>(uniform(1, 256))) + 1, 0);
  // Exact ties at the 77th digit, (N + 1/2) x 10^j, and the one that carries
  // into a 77th digit.
  const mpz_class low = mpz_class("1" + std::string(kCanonicalDigits - 1, '0'));
  for (int i = 0; i < 600; ++i) {
    const int j = i % 3;
    mpz_class odd = 2 * (low + bits(250) % (low * 9)) + 1;
    for (int f = 0; f < j; ++f) odd *= 5;
    if (mpz_sizeinbase(odd.get_mpz_t(), 2) <= static_cast<size_t>(kRealBits)) add(odd, j - 1);
  }
  add(2 * low * 10 - 1, -1);
  // The ends of the exponent range.
  add(mpz_class(1), mpfr_get_emin() - 1);
  add(bits(256) | (mpz_class(1) << 255), mpfr_get_emax() - 256);
  return all;
}

void ExpectReadsLikeTheLibrary(const std::string& text) {
  Real expected;
  mpfr_set_str(expected.raw(), text.c_str(), 10, MPFR_RNDN);
  const Real read = Real::FromString(text);
  ASSERT_TRUE(mpfr_equal_p(read.raw(), expected.raw()) && read.IsNegative() == expected.IsNegative()) << text;
}

// Printed like the library prints, and read back as the library reads.
TEST(RealDecimal, CanonicalTextMatchesTheLibraryAndReadsBack) {
  for (const Real& r : DelicateValues()) {
    const long exponent = mpfr_get_exp(r.raw());
    ASSERT_EQ(r.ToCanonicalText(), ReferenceText(r.raw())) << exponent;
    if (exponent < 4000 && exponent > -4000) ExpectReadsLikeTheLibrary(ReferenceText(r.raw()));
  }
}

// Random texts of 1 to 135 digits, beyond 90 the rest only deciding the
// rounding; some exactly halfway between two 256-bit values,
// (2^256 + odd) / 2^k written out in full (up to 250 digits), or a hair
// above (one more digit) or below (the last 5 made 49).
TEST(RealDecimal, RandomTextsReadCorrectlyRounded) {
  std::mt19937_64 rng(256);
  for (int t = 0; t < 20000; ++t) {
    std::string text = rng() % 2 ? "-" : "";
    const size_t digits = 1 + rng() % 135;
    for (size_t i = 0; i < digits; ++i) text += static_cast<char>('0' + (i == 0 ? 1 + rng() % 9 : rng() % 10));
    // Some long ones with their tail all zeros, so that no sticky digit is added.
    if (digits > 85 && t % 4 == 0) text.replace(text.size() - 40, 40, 40, '0');
    if (rng() % 2) text.insert(text.size() - rng() % digits, ".");
    if (rng() % 3 == 0) text += "e" + std::to_string(static_cast<long>(rng() % 1000) - 500);
    if (t % 5 == 0) {
      mpz_class v = (mpz_class(1) << 256) + mpz_class(static_cast<unsigned long>(rng() % 1000000) * 2 + 1);
      const unsigned k = static_cast<unsigned>(t % 10 == 0 ? rng() % 15 : 15 + rng() % 230);
      mpz_class five;
      mpz_ui_pow_ui(five.get_mpz_t(), 5, k);
      text = mpz_class(v * five).get_str();
      if (k > 0) text.insert(text.size() - k, ".");
      if (t % 3 == 1) text += "1";
      if (t % 3 == 2) text.replace(text.size() - 1, 1, "49");
      if (rng() % 2) text.insert(0, "-");
    }
    ExpectReadsLikeTheLibrary(text);
  }
}

// The engine's memo of read texts gives exactly what reading afresh gives.
// (The frame's memo of composed lines: the soak compares it with a fresh
// composition every fourth key.)
bool SameValue(const Real& a, const Real& b) {
  if (a.IsNaN() || b.IsNaN()) return a.IsNaN() && b.IsNaN();
  return mpfr_equal_p(a.raw(), b.raw()) && mpfr_signbit(a.raw()) == mpfr_signbit(b.raw());
}

TEST(RealMemo, GivesWhatReadingGivesInAnyOrder) {
  const std::vector<std::string> texts = {
      "", "0", "-0", "3.14", "-2.5e-7", "1e-999", "0.1",
      "3.141592653589793238462643383279502884197169399375105820974944592307816",
      "-0.99999999999999999999999999999987",
      std::string(130, '7'),  // longer than the memo keeps
      std::string(130, '7') + "1",
  };
  RealMemo memo;
  std::mt19937 random(16);
  for (int i = 0; i < 5000; ++i) {
    const std::string& text = texts[random() % texts.size()];
    ASSERT_TRUE(SameValue(memo.Read(text), Real::FromString(text))) << "read " << i << ": " << text;
  }
}

// ------------------------------------------------------- REAL functions

// |actual - expected| / |expected|, or |actual| when expected is zero; below
// the double range counts as zero.
double RelativeError(const std::string& actual, const std::string& expected) {
  mpfr_t a, e;
  mpfr_inits2(1024, a, e, (mpfr_ptr)0);
  mpfr_set_str(a, actual.c_str(), 10, MPFR_RNDN);
  mpfr_set_str(e, expected.c_str(), 10, MPFR_RNDN);
  mpfr_sub(a, a, e, MPFR_RNDN);
  if (!mpfr_zero_p(e)) mpfr_div(a, a, e, MPFR_RNDN);
  const double error = std::abs(mpfr_get_d(a, MPFR_RNDN));
  mpfr_clears(a, e, (mpfr_ptr)0);
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

TEST(RealFunctionReference, EveryKeyAgreesToSeventyFiveDigitsOnTwentyArguments) {
  const char* root = std::getenv("VXC_SOURCE_DIR");
  const auto file = root ? std::filesystem::path(root) / "tests" : std::filesystem::path(__FILE__).parent_path();
  std::ifstream in(file / "reference/real_functions.txt");
  std::map<std::string, int> counts;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::string key, angle, y, x, expected;
    std::istringstream(line) >> key >> angle >> y >> x >> expected;
    ++counts[key];
    const uint32_t code = angle == "RAD" ? kAngleRad : angle == "GRAD" ? kAngleGrad : kAngleDeg;
    const CalcState s = Press(FindActionToken(key)->action.value, code, y == "-" ? "0" : y, x);
    const std::string what = line.substr(0, line.rfind(' ')) + " -> " + s.stackX + " " + s.errorText;
    ASSERT_FALSE(s.errorShown) << what;
    EXPECT_LE(RelativeError(s.stackX, expected), 1e-75) << what;
  }
  for (const char* key : {"LN", "LOG", "X2", "SQRT", "EXP", "INV", "POW", "SIN", "COS", "TAN", "ASIN", "ACOS", "ATAN"})
    EXPECT_GE(counts[key], 20) << key;
}

// The functions of the Function menu against MPFR at 1024 bits rounded once
// to 256, on a few hundred operands each: every digit stored must be the
// correctly rounded one, and the range test must fail exactly when the
// correct result fails it. XROOT takes integer roots here, the ones MPFR
// has; NCR and NPR are checked against GMP.
TEST(FunctionDifferential, EveryRealFunctionIsCorrectlyRounded) {
  using F = void (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr);
  const auto wide = [](mpfr_srcptr v) { return mpfr_get_exp(v) < -200 || mpfr_get_exp(v) > 120; };
  const std::map<std::string, F> functions = {
      {"TENX", [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr x) { mpfr_exp10(r, x, MPFR_RNDN); }},
      {"ABS", [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr x) { mpfr_abs(r, x, MPFR_RNDN); }},
      {"INT", [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr x) { mpfr_trunc(r, x); }},
      {"FRAC", [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr x) { mpfr_frac(r, x, MPFR_RNDN); }},
      {"SINH", [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr x) { mpfr_sinh(r, x, MPFR_RNDN); }},
      {"COSH", [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr x) { mpfr_cosh(r, x, MPFR_RNDN); }},
      {"TANH", [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr x) { mpfr_tanh(r, x, MPFR_RNDN); }},
      {"ASINH", [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr x) { mpfr_asinh(r, x, MPFR_RNDN); }},
      {"ACOSH", [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr x) { mpfr_acosh(r, x, MPFR_RNDN); }},
      {"ATANH", [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr x) { mpfr_atanh(r, x, MPFR_RNDN); }},
      {"TORAD", [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr x) { mpfr_const_pi(r, MPFR_RNDN), mpfr_mul(r, r, x, MPFR_RNDN), mpfr_div_ui(r, r, 180, MPFR_RNDN); }},
      {"TODEG", [](mpfr_ptr r, mpfr_srcptr, mpfr_srcptr x) { mpfr_const_pi(r, MPFR_RNDN), mpfr_ui_div(r, 180, r, MPFR_RNDN), mpfr_mul(r, r, x, MPFR_RNDN); }},
      {"PCT", [](mpfr_ptr r, mpfr_srcptr y, mpfr_srcptr x) { mpfr_mul(r, y, x, MPFR_RNDN), mpfr_div_ui(r, r, 100, MPFR_RNDN); }},
      {"DPCT", [](mpfr_ptr r, mpfr_srcptr y, mpfr_srcptr x) { mpfr_sub(r, x, y, MPFR_RNDN), mpfr_mul_ui(r, r, 100, MPFR_RNDN), mpfr_div(r, r, y, MPFR_RNDN); }},
      {"MOD", [](mpfr_ptr r, mpfr_srcptr y, mpfr_srcptr x) { mpfr_fmod(r, y, x, MPFR_RNDN); if (!mpfr_zero_p(r) && mpfr_sgn(r) != mpfr_sgn(x)) mpfr_add(r, r, x, MPFR_RNDN); }},
      {"XROOT", [](mpfr_ptr r, mpfr_srcptr y, mpfr_srcptr x) { mpfr_rootn_si(r, y, mpfr_get_si(x, MPFR_RNDN), MPFR_RNDN); }},
      {"NCR", [](mpfr_ptr r, mpfr_srcptr y, mpfr_srcptr x) { mpz_class c; mpz_bin_uiui(c.get_mpz_t(), mpfr_get_ui(y, MPFR_RNDN), mpfr_get_ui(x, MPFR_RNDN)); mpfr_set_z(r, c.get_mpz_t(), MPFR_RNDN); }},
      {"NPR", [](mpfr_ptr r, mpfr_srcptr y, mpfr_srcptr x) { mpz_class p = 1; for (unsigned long i = 0; i < mpfr_get_ui(x, MPFR_RNDN); ++i) p *= mpfr_get_ui(y, MPFR_RNDN) - i; mpfr_set_z(r, p.get_mpz_t(), MPFR_RNDN); }},
  };
  uint64_t seed = 12345;
  const auto next = [&seed](uint64_t n) { return ((seed = seed * 6364136223846793005u + 1442695040888963407u) >> 33) % n; };
  for (const auto& [token, f] : functions) {
    const bool integers = token == "NCR" || token == "NPR" || token == "XROOT";
    int compared = 0;
    for (int i = 0; i < 300; ++i) {
      // Nine-digit mantissas, decimal exponents over -40..40 (-3..2 where the function grows fast).
      const bool small = token == "TENX" || token.find('H') != std::string::npos;
      auto operand = [&](bool whole) {
        if (whole) return std::to_string(next(token == "XROOT" ? 41 : 130));
        const int e = small ? int(next(6)) - 3 : int(next(81)) - 40;
        return std::string(next(4) == 0 ? "-" : "") + std::to_string(next(1000000000) + 1) + "e" + std::to_string(e - 9);
      };
      std::string y = token == "XROOT" ? operand(false) : operand(integers), x = operand(integers);
      if (token == "XROOT" && x == "0") x = "3";
      const CalcState s = Press(FindActionToken(token)->action.value, kAngleDeg, y, x);
      mpfr_t wy, wx, r;
      mpfr_inits2(1024, wy, wx, r, (mpfr_ptr)0);
      const Real ry = Real::FromString(y), rx = Real::FromString(x);
      mpfr_set(wy, ry.raw(), MPFR_RNDN);
      mpfr_set(wx, rx.raw(), MPFR_RNDN);
      f(r, wy, wx);
      Real expected;
      mpfr_set(expected.raw(), r, MPFR_RNDN);
      mpfr_clears(wy, wx, r, (mpfr_ptr)0);
      const std::string what = token + " y=" + y + " x=" + x + " -> " + s.stackX + " " + s.errorText;
      if (!mpfr_number_p(expected.raw()) || (!expected.IsZero() && wide(expected.raw()))) continue;  // message cases: .cases
      const std::string text = expected.IsZero() ? "0" : expected.ToCanonicalText();
      EXPECT_EQ(s.errorShown, ResultOutOfRange(text)) << what;
      compared += !s.errorShown;
      if (!s.errorShown) { EXPECT_EQ(s.stackX, text) << what; }
    }
    EXPECT_GE(compared, 60) << token;  // ACOSH and ATANH refuse part of them
  }
}

}  // namespace
}  // namespace vxc
