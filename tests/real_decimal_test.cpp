// The decimal conversions of Real against MPFR's own correctly rounded
// string routines, on values chosen where rounding is delicate.
#include <gtest/gtest.h>

#include <gmpxx.h>

#include <random>
#include <string>
#include <vector>

#include "real.h"

namespace vxc {
namespace {

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

class Values {
 public:
  explicit Values(uint64_t seed) : rng_(seed) {}

  // m x 2^e exactly (m of at most 256 bits), with a random sign.
  void Add(const mpz_class& m, long e) {
    Real r;
    ASSERT_EQ(mpfr_set_z_2exp(r.raw(), m.get_mpz_t(), e, MPFR_RNDN), 0) << m.get_str() << " " << e;
    Add(r);
  }
  void Add(Real r) {
    if (rng_() % 2) mpfr_neg(r.raw(), r.raw(), MPFR_RNDN);
    all_.push_back(r);
  }
  mpz_class Bits(int bits) {
    mpz_class m = 0;
    for (int b = 0; b < bits; b += 64) m = (m << 64) + mpz_class(static_cast<unsigned long>(rng_()));
    return m >> (((bits + 63) / 64) * 64 - bits);
  }
  long Uniform(long low, long high) { return low + static_cast<long>(rng_() % static_cast<uint64_t>(high - low + 1)); }
  const std::vector<Real>& all() const { return all_; }

 private:
  std::mt19937_64 rng_;
  std::vector<Real> all_;
};

std::vector<Real> DelicateValues() {
  Values v(2024);
  // Full 256-bit significands: mostly where the exact method runs, some
  // beyond where the library's print takes over.
  for (int i = 0; i < 3000; ++i) {
    const long e = i % 10 == 0 ? v.Uniform(-3000000, 3000000) : v.Uniform(-1500, 1500);
    v.Add(v.Bits(256) | (mpz_class(1) << 255), e - 256);
  }
  // Powers of ten up to four units of the last place either side.
  for (int j = -420; j <= 420; ++j) {
    Real ten;
    mpfr_set_str(ten.raw(), ("1e" + std::to_string(j)).c_str(), 10, MPFR_RNDN);
    for (int step = 0; step < 4; ++step) mpfr_nextbelow(ten.raw());
    for (int step = 0; step < 9; ++step, mpfr_nextabove(ten.raw())) v.Add(ten);
  }
  // Exact integers, short and long.
  for (int i = 0; i < 1000; ++i) v.Add(v.Bits(static_cast<int>(v.Uniform(1, 256))) + 1, 0);
  // Exact ties at the 77th digit, (N + 1/2) x 10^j, and the one that carries
  // into a 77th digit.
  const mpz_class low = mpz_class("1" + std::string(kCanonicalDigits - 1, '0'));
  for (int i = 0; i < 600; ++i) {
    const int j = i % 3;
    mpz_class n = low + v.Bits(250) % (low * 9);
    mpz_class odd = 2 * n + 1;
    for (int f = 0; f < j; ++f) odd *= 5;
    if (mpz_sizeinbase(odd.get_mpz_t(), 2) <= static_cast<size_t>(kRealBits)) v.Add(odd, j - 1);
  }
  v.Add(2 * low * 10 - 1, -1);
  // The ends of the exponent range.
  v.Add(mpz_class(1), mpfr_get_emin() - 1);
  v.Add(v.Bits(256) | (mpz_class(1) << 255), mpfr_get_emax() - 256);
  return v.all();
}

TEST(RealDecimal, CanonicalTextMatchesTheLibraryPrint) {
  for (const Real& r : DelicateValues()) {
    ASSERT_EQ(r.ToCanonicalText(), ReferenceText(r.raw())) << mpfr_get_exp(r.raw());
  }
}

void ExpectReadsLikeTheLibrary(const std::string& text) {
  Real expected;
  mpfr_set_str(expected.raw(), text.c_str(), 10, MPFR_RNDN);
  const Real read = Real::FromString(text);
  ASSERT_TRUE(mpfr_equal_p(read.raw(), expected.raw()) && read.IsNegative() == expected.IsNegative()) << text;
}

TEST(RealDecimal, CanonicalTextsReadBackCorrectlyRounded) {
  for (const Real& r : DelicateValues()) {
    if (mpfr_get_exp(r.raw()) < 4000 && mpfr_get_exp(r.raw()) > -4000) ExpectReadsLikeTheLibrary(ReferenceText(r.raw()));
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
  // Exactly halfway between two 256-bit values, (2^256 + 1 or 3) / 2^k in
  // full: ties to even round down, then up.
  for (unsigned k = 1; k <= 14; ++k) {
    mpz_class five;
    mpz_ui_pow_ui(five.get_mpz_t(), 5, k);
    for (int odd : {1, 3}) {
      std::string text = mpz_class(((mpz_class(1) << 256) + odd) * five).get_str();
      text.insert(text.size() - k, ".");
      ExpectReadsLikeTheLibrary(text);
    }
  }
}

// Beyond 90 digits the rest only decides the rounding.
TEST(RealDecimal, LongTextsReadCorrectlyRounded) {
  std::mt19937_64 rng(91);
  for (int t = 0; t < 3000; ++t) {
    std::string text = rng() % 2 ? "-" : "";
    const size_t digits = 85 + rng() % 50;
    for (size_t i = 0; i < digits; ++i) text += static_cast<char>('0' + (i == 0 ? 1 + rng() % 9 : rng() % 10));
    // Some with their tail all zeros, so that no sticky digit is added.
    if (t % 4 == 0) text.replace(text.size() - 40, 40, 40, '0');
    text.insert(text.size() - rng() % digits, ".");
    text += "e" + std::to_string(static_cast<long>(rng() % 1000) - 500);
    ExpectReadsLikeTheLibrary(text);
  }
}

}  // namespace
}  // namespace vxc
