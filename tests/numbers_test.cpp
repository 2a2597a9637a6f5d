// The number layer against independent values: exact decimals, exact
// integers and known constants, and Real's decimal conversions against
// MPFR's own correctly rounded string routines.
#include <gtest/gtest.h>

#include <gmpxx.h>

#include <random>
#include <string>
#include <vector>

#include "decimal_text.h"
#include "real.h"
#include "real_memo.h"

namespace vxc {
namespace {

// The shortcut past the conversions must agree with them exactly.
TEST(Real, CanonicalDecimalShortcutAgreesWithTheConversion) {
  std::vector<std::string> texts = {
      "0", "-0", "5", "-5", "0.5", "-0.5", "00.5", "0.50", "10", "1.", ".5", "1e5", "12.5x", "",
      "1" + std::string(99, '0'), "1" + std::string(100, '0'), "0." + std::string(98, '0') + "1",
      "0." + std::string(99, '0') + "1", std::string(76, '7'), std::string(77, '7'), "9." + std::string(75, '9'),
      "9." + std::string(76, '9'), "-0." + std::string(40, '0') + std::string(76, '3'),
      "-0." + std::string(40, '0') + std::string(77, '3')};
  std::mt19937 random(7);
  for (int i = 0; i < 3000; ++i) {
    std::string t;
    const int length = 1 + random() % 90;
    for (int k = 0; k < length; ++k) t += "-.00123456789"[random() % 13];
    texts.push_back(t);
  }
  for (const std::string& t : texts) {
    EXPECT_EQ(IsCanonicalDecimal(t), Real::FromString(t).ToCanonicalText() == t) << t;
  }
}

// Division by zero and improper operands through the keys: errors.cases and
// real_functions.cases; a product past the exponent range no key reaches.
TEST(Real, ReturnCodes) {
  Real huge = Real::FromString("1e999999999999999999");
  EXPECT_EQ(huge.Mul(huge), kRealCarry);
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

// Where the exact reader changes method: scales of 400 and 401 either way,
// digit counts at the 19-digit chunk edges, no room left for a shift.
TEST(RealDecimal, BoundaryTextsReadCorrectlyRounded) {
  const std::string nines90(90, '9');
  const std::vector<std::string> texts = {
      "1e-400", "1e-401", "1e400", "1e401", "7e-323", "7e-324", nines90 + "e310", nines90 + "e311",
      nines90 + "e-489", nines90 + "e-490", "0." + nines90, nines90 + ".5", "5e-1", "1" + std::string(89, '0') + "1",
      std::string(19, '9'), std::string(20, '9'), std::string(38, '9'), "1" + std::string(37, '0'),
      std::string(57, '8') + "e-57", std::string(76, '7') + "e-76", "2" + std::string(75, '0') + "1e-400",
  };
  for (const std::string& t : texts) {
    ExpectReadsLikeTheLibrary(t);
    ExpectReadsLikeTheLibrary("-" + t);
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

}  // namespace
}  // namespace vxc
