#include "real_decimal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <string>

#include "real.h"

namespace vxc {
namespace {

static_assert(GMP_NUMB_BITS == 64, "digits are read and printed 19 to a limb");

// 10^s = 5^s x 2^s: the twos go to the binary exponent, so only powers of
// five are multiplied or divided by. Scales reach kExactDecimalScale on
// reading and that plus the printed digits on printing.
constexpr int kMaxPow5 = static_cast<int>(kExactDecimalScale) + kCanonicalDigits;

// Reciprocals of the powers of five, 64 bits longer than a Real.
constexpr int kRecipBits = static_cast<int>(kRealBits) + 64;
constexpr mp_size_t kRecipLimbs = kRecipBits / 64;
// Bits of 5^kExactDecimalScale, rounded up.
constexpr long long kMaxRecipPow5Bits = static_cast<long long>(kExactDecimalScale * 2.3219280948873623) + 1;

// Built once, read-only afterwards (about 50 kB).
class Pow5Table {
 public:
  Pow5Table() {
    mpz_init_set_ui(pow_[0], 1);
    for (int s = 1; s <= kMaxPow5; ++s) {
      mpz_init(pow_[s]);
      mpz_mul_ui(pow_[s], pow_[s - 1], 5);
    }
    // floor(2^E / 5^t) for t = 1, 2, ... by one division by 5 each, its
    // leading kRecipBits kept: floor(2^e / 5^t) for the e that keeps them.
    constexpr mp_size_t kLimbs = (kMaxRecipPow5Bits + kRecipBits) / GMP_NUMB_BITS + 1;
    constexpr long long kE = kLimbs * GMP_NUMB_BITS - 1;
    static_assert(kE - kMaxRecipPow5Bits >= kRecipBits, "2^E / 5^400 keeps kRecipBits");
    std::array<mp_limb_t, kLimbs> x{};
    x.back() = mp_limb_t{1} << (GMP_NUMB_BITS - 1);
    mp_size_t n = kLimbs;
    for (int t = 1; t <= kExactDecimalScale; ++t) {
      mpn_divrem_1(x.data(), 0, x.data(), n, 5);
      if (x[n - 1] == 0) --n;
      const long long bits = n * GMP_NUMB_BITS - std::countl_zero(x[n - 1]);
      const long long drop = bits - kRecipBits;
      recipExp_[t] = kE - drop;
      const mp_limb_t* from = x.data() + drop / GMP_NUMB_BITS;
      if (const auto offset = static_cast<unsigned>(drop % GMP_NUMB_BITS); offset == 0) {
        std::copy_n(from, kRecipLimbs, recip_[t].begin());
      } else {
        std::array<mp_limb_t, kRecipLimbs + 1> shifted;
        mpn_rshift(shifted.data(), from, kRecipLimbs + 1, offset);
        std::copy_n(shifted.begin(), kRecipLimbs, recip_[t].begin());
      }
    }
    mpz_init(lowest_);
    mpz_mul_2exp(lowest_, pow_[kCanonicalDigits - 1], kCanonicalDigits - 1);
    mpz_init(beyond_);
    mpz_mul_2exp(beyond_, pow_[kCanonicalDigits], kCanonicalDigits);
  }
  ~Pow5Table() {
    for (mpz_t& p : pow_) mpz_clear(p);
    mpz_clears(lowest_, beyond_, nullptr);
  }
  Pow5Table(const Pow5Table&) = delete;
  Pow5Table& operator=(const Pow5Table&) = delete;

  mpz_srcptr Pow(long long s) const { return pow_[s]; }
  // I = floor(2^e / 5^t), kRecipBits long, and e, for 1 <= t <= kExactDecimalScale.
  const mp_limb_t* Reciprocal(long long t) const { return recip_[t].data(); }
  long long ReciprocalExp(long long t) const { return recipExp_[t]; }
  // 10^(kCanonicalDigits - 1) and 10^kCanonicalDigits: the bounds of a
  // full-length digit string.
  mpz_srcptr Lowest() const { return lowest_; }
  mpz_srcptr Beyond() const { return beyond_; }

 private:
  mpz_t pow_[kMaxPow5 + 1];
  mpz_t lowest_, beyond_;
  std::array<mp_limb_t, kRecipLimbs> recip_[kExactDecimalScale + 1] = {};
  long long recipExp_[kExactDecimalScale + 1] = {};
};

const Pow5Table& Pow5() {
  static const Pow5Table table;
  return table;
}

// Integers reused by every conversion of a thread, so that once grown they
// allocate nothing.
struct Scratch {
  mpz_t a, b, q;
  Scratch() { mpz_inits(a, b, q, nullptr); }
  ~Scratch() { mpz_clears(a, b, q, nullptr); }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
};

Scratch& Temp() {
  thread_local Scratch scratch;
  return scratch;
}

// q := a / b rounded to nearest, ties to even; r is clobbered.
void RoundDivide(mpz_ptr q, mpz_ptr r, mpz_srcptr a, mpz_srcptr b) {
  mpz_tdiv_qr(q, r, a, b);
  mpz_mul_2exp(r, r, 1);
  const int half = mpz_cmp(r, b);
  if (half > 0 || (half == 0 && mpz_odd_p(q))) mpz_add_ui(q, q, 1);
}

// Most limbs a significand may have here (1024 bits); wider ones take the
// library's routines.
constexpr mp_size_t kMaxLimbs = 16;

mp_size_t SignificandLimbs(mpfr_srcptr x) {
  return static_cast<mp_size_t>((mpfr_get_prec(x) + GMP_NUMB_BITS - 1) / GMP_NUMB_BITS);
}

const mp_limb_t* Significand(mpfr_srcptr x) { return static_cast<const mp_limb_t*>(mpfr_custom_get_significand(x)); }

// 10^0 .. 10^19, the chunk multipliers.
constexpr auto kPow10 = [] {
  std::array<uint64_t, 20> p{};
  p[0] = 1;
  for (size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
  return p;
}();

// Decimal digits per limb: 10^19 < 2^64.
constexpr size_t kChunkDigits = 19;
constexpr size_t kMaxDigits = 100;
// 10^77 < 2^256: N, one digit too long at most, fits four limbs.
constexpr mp_size_t kPrintLimbs = 4;
static_assert(kCanonicalDigits <= 76);
// 5^kMaxPow5 < 2^1103: eighteen limbs.
constexpr mp_size_t kMaxPow5Limbs = static_cast<mp_size_t>(kMaxPow5 * 2.3219280948873623 / GMP_NUMB_BITS) + 1;
// 10^100 < 2^333: six limbs.
constexpr mp_size_t kDigitLimbs = 6;
// D x 2^shift for a quotient of prec + 2 bits: 1026 + 929 bits for the
// widest significand and 5^400; D x 5^400 is shorter.
constexpr mp_size_t kWideLimbs = 32;

// Eight digits at once: the bytes less '0', then pairs, quads and the
// whole, each step one multiplication.
uint64_t EightDigits(const char* p) {
  static_assert(std::endian::native == std::endian::little);
  uint64_t v = 0;
  std::memcpy(&v, p, sizeof v);
  v -= 0x3030303030303030ULL;
  v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFULL;
  v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFFULL;
  return (v * 10000 + (v >> 32)) & 0xFFFFFFFFULL;
}

// The digits as an integer in d; returns its limb count (0 for zero).
mp_size_t ReadDigits(const char* digits, size_t count, mp_limb_t* d) {
  mp_size_t n = 0;
  // The first chunk takes the remainder, so that every later one is full.
  size_t len = count % kChunkDigits == 0 ? kChunkDigits : count % kChunkDigits;
  for (size_t i = 0; i < count; i += len, len = kChunkDigits) {
    uint64_t chunk = 0;
    size_t j = i;
    for (; j + 8 <= i + len; j += 8) chunk = chunk * 100000000 + EightDigits(digits + j);
    for (; j < i + len; ++j) chunk = chunk * 10 + static_cast<uint64_t>(digits[j] - '0');
    if (n == 0) {
      if (chunk != 0) d[n++] = chunk;
      continue;
    }
    mp_limb_t high = mpn_mul_1(d, d, n, kPow10[len]);
    high += mpn_add_1(d, d, n, chunk);
    if (high != 0) d[n++] = high;
  }
  return n;
}

// The eight digits of v < 10^8 as text, the reverse of EightDigits: halves,
// quarters and single digits split in every lane at once.
void PrintEightDigits(uint64_t v, char* out) {
  v = (v / 10000) | ((v % 10000) << 32);
  const uint64_t hundreds = ((v * 5243) >> 19) & 0x0000007F0000007FULL;  // lane / 100 below 43699
  v = hundreds | ((v - hundreds * 100) << 16);
  const uint64_t tens = ((v * 103) >> 10) & 0x000F000F000F000FULL;  // lane / 10 below 179
  v = tens | ((v - tens * 10) << 8);
  v |= 0x3030303030303030ULL;
  std::memcpy(out, &v, sizeof v);
}

// "00" to "99".
constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// The kCanonicalDigits digits of n, 10^75 <= n < 10^76, into out: one
// limb division per 19 digits, cheaper than the general printer.
void PrintDigits(const mp_limb_t* n, mp_size_t size, char* out) {
  mp_limb_t limbs[kPrintLimbs];
  std::copy_n(n, size, limbs);
  for (size_t end = kCanonicalDigits; end > 0;) {
    uint64_t chunk = 0;
    if (size > 0) {
      chunk = mpn_divrem_1(limbs, 0, limbs, size, kPow10[kChunkDigits]);
      if (limbs[size - 1] == 0) --size;
    }
    // 19 digits: eight, eight, then three.
    static_assert(kChunkDigits == 19 && kCanonicalDigits % kChunkDigits == 0);
    PrintEightDigits(chunk % 100000000, out + end - 8);
    chunk /= 100000000;
    PrintEightDigits(chunk % 100000000, out + end - 16);
    chunk /= 100000000;
    end -= kChunkDigits;
    out[end] = static_cast<char>('0' + chunk / 100);
    std::copy_n(&kDigitPairs[2 * (chunk % 100)], 2, out + end + 1);
  }
}

// The `width` bits of a from bit `pos` up (width < 64, all within a).
uint64_t BitField(const mp_limb_t* a, long long pos, int width) {
  const auto limb = static_cast<size_t>(pos / GMP_NUMB_BITS);
  const auto offset = static_cast<int>(pos % GMP_NUMB_BITS);
  uint64_t field = a[limb] >> offset;
  if (offset + width > GMP_NUMB_BITS) field |= a[limb + 1] << (GMP_NUMB_BITS - offset);
  return field & ((uint64_t{1} << width) - 1);
}

// r := D / 5^t x 2^-t through the reciprocal I of 5^t: A = D x I lies within
// D below the exact D x 2^e / 5^t, so both round alike unless a rounding
// boundary (a multiple of 2^p) lies between. D is 62 bits shorter than 2^p;
// 48 bits under the boundary, neither all zeros nor all ones, rule that out.
// False, r untouched, when they do not: the caller divides exactly.
bool DivideByReciprocal(mpfr_ptr r, const mp_limb_t* d, mp_size_t dn, long long t) {
  constexpr int kGuard = 48;
  const Pow5Table& table = Pow5();
  mp_limb_t a[kDigitLimbs + kRecipLimbs];
  if (dn <= kRecipLimbs) {
    mpn_mul(a, table.Reciprocal(t), kRecipLimbs, d, dn);
  } else {
    mpn_mul(a, d, dn, table.Reciprocal(t), kRecipLimbs);
  }
  mp_size_t an = dn + kRecipLimbs;
  if (a[an - 1] == 0) --an;
  const long long p = an * GMP_NUMB_BITS - std::countl_zero(a[an - 1]) - kRealBits - 1;
  const uint64_t guard = BitField(a, p - kGuard, kGuard);
  if (guard == 0 || guard == (uint64_t{1} << kGuard) - 1) return false;
  a[0] |= 1;  // the exact value lies above A
  mpz_t view;
  mpfr_set_z_2exp(r, mpz_roinit_n(view, a, an), static_cast<mpfr_exp_t>(-table.ReciprocalExp(t) - t), MPFR_RNDN);
  return true;
}

// q := round(M x p / 2^sh), ties to even, for sh >= 1; returns q's limb
// count, or -1 when q is longer than a digit string can be.
mp_size_t ShiftRounded(const mp_limb_t* m, mp_size_t mn, mpz_srcptr p, long long sh, mp_limb_t* q) {
  mp_limb_t a[kMaxLimbs + kMaxPow5Limbs];
  const auto pn = static_cast<mp_size_t>(mpz_size(p));
  if (mn >= pn) {
    mpn_mul(a, m, mn, mpz_limbs_read(p), pn);
  } else {
    mpn_mul(a, mpz_limbs_read(p), pn, m, mn);
  }
  mp_size_t an = mn + pn;
  const auto low = static_cast<mp_size_t>(sh / GMP_NUMB_BITS);
  const auto offset = static_cast<unsigned>(sh % GMP_NUMB_BITS);
  while (an > low && a[an - 1] == 0) --an;
  mp_size_t qn = an - low;
  if (qn <= 0 || qn > kPrintLimbs + 1) return -1;
  if (offset == 0) {
    std::copy_n(a + low, qn, q);
  } else {
    mpn_rshift(q, a + low, qn, offset);
  }
  if (q[qn - 1] == 0 && --qn == 0) return -1;
  // The dropped bits: the half below q's last, then the rest.
  const auto halfLimb = static_cast<mp_size_t>((sh - 1) / GMP_NUMB_BITS);
  const auto halfBit = static_cast<unsigned>((sh - 1) % GMP_NUMB_BITS);
  const bool half = (a[halfLimb] >> halfBit) & 1;
  const bool rest =
      (a[halfLimb] & ((mp_limb_t{1} << halfBit) - 1)) != 0 || (halfLimb > 0 && !mpn_zero_p(a, halfLimb));
  if (half && (rest || (q[0] & 1)) && mpn_add_1(q, q, qn, 1) != 0) q[qn++] = 1;
  return qn;
}

int CompareLimbs(const mp_limb_t* a, mp_size_t an, mpz_srcptr b) {
  const auto bn = static_cast<mp_size_t>(mpz_size(b));
  if (an != bn) return an < bn ? -1 : 1;
  return mpn_cmp(a, mpz_limbs_read(b), an);
}

}  // namespace

void SetScaledDecimal(mpfr_ptr r, const char* digits, size_t count, long long scale) {
  const mpfr_prec_t prec = mpfr_get_prec(r);
  if (prec > kMaxLimbs * GMP_NUMB_BITS || count > kMaxDigits) {
    const std::string text = std::string(digits, count) + "e" + std::to_string(scale);
    mpfr_set_str(r, text.c_str(), 10, MPFR_RNDN);
    return;
  }
  mp_limb_t d[kDigitLimbs];
  const mp_size_t dn = ReadDigits(digits, count, d);
  if (dn == 0) {
    mpfr_set_zero(r, 1);
    return;
  }
  mpz_srcptr p = Pow5().Pow(scale < 0 ? -scale : scale);
  const mp_limb_t* pp = mpz_limbs_read(p);
  const auto pn = static_cast<mp_size_t>(mpz_size(p));
  mp_limb_t wide[kWideLimbs];
  mpz_t view;
  if (scale >= 0) {
    // D x 5^scale exactly; the one rounding is the library's.
    if (dn >= pn) {
      mpn_mul(wide, d, dn, pp, pn);
    } else {
      mpn_mul(wide, pp, pn, d, dn);
    }
    mpfr_set_z_2exp(r, mpz_roinit_n(view, wide, dn + pn), static_cast<mpfr_exp_t>(scale), MPFR_RNDN);
    return;
  }
  if (prec == kRealBits && DivideByReciprocal(r, d, dn, -scale)) return;
  // D / 5^-scale as a quotient of at least prec + 2 bits whose last bit is
  // set when the division leaves a remainder: rounding it rounds the exact
  // value.
  const long long dBits = dn * GMP_NUMB_BITS - std::countl_zero(d[dn - 1]);
  const long long shift =
      std::max<long long>(0, prec + 2 + static_cast<long long>(mpz_sizeinbase(p, 2)) - dBits);
  const auto low = static_cast<mp_size_t>(shift / GMP_NUMB_BITS);
  const auto bits = static_cast<unsigned>(shift % GMP_NUMB_BITS);
  std::fill_n(wide, low, 0);
  mp_size_t wn = low + dn;
  if (bits == 0) {
    std::copy_n(d, dn, wide + low);
  } else if (const mp_limb_t carry = mpn_lshift(wide + low, d, dn, bits); carry != 0) {
    wide[wn++] = carry;
  }
  mp_limb_t q[kWideLimbs];
  mp_limb_t rem[kWideLimbs];
  mpn_tdiv_qr(q, rem, 0, wide, wn, pp, pn);
  if (!mpn_zero_p(rem, pn)) q[0] |= 1;
  mpfr_set_z_2exp(r, mpz_roinit_n(view, q, wn - pn + 1), static_cast<mpfr_exp_t>(scale - shift), MPFR_RNDN);
}

bool DecimalDigits(mpfr_srcptr x, char* out, long long& exp10) {
  // Binary exponents that keep the decimal one about within kExactDecimalScale.
  constexpr mpfr_exp_t kMaxExp2 = 1300;
  if (!mpfr_regular_p(x)) return false;
  const mpfr_exp_t e2 = mpfr_get_exp(x);  // 2^(e2-1) <= |x| < 2^e2
  const mp_size_t limbs = SignificandLimbs(x);
  if (e2 > kMaxExp2 || e2 < -kMaxExp2 || limbs > kMaxLimbs) return false;

  // |x| = M x 2^(e2 - 64 limbs), M the significand's limbs as an integer.
  const mp_limb_t* m = Significand(x);
  mpz_t view;
  mpz_srcptr mant = mpz_roinit_n(view, m, limbs);
  const long long e = static_cast<long long>(e2) - static_cast<long long>(limbs) * GMP_NUMB_BITS;

  // k = floor(log10 |x|) from the leading 64 bits, biased low: it may be
  // one too small next to a power of ten, never too large, since a digit
  // string of 10^75 cannot tell whether it was rounded up from below.
  const double lead = static_cast<double>(m[limbs - 1]) * 0x1p-64;
  long long k = static_cast<long long>(
      std::floor(std::log10(lead) + static_cast<double>(e2) * 0.30102999566398119521 - 1e-9));

  const Pow5Table& pow5 = Pow5();
  Scratch& t = Temp();
  for (int attempt = 0; attempt < 2; ++attempt, ++k) {
    // N = round(|x| x 10^s) = round(M x 5^s x 2^(e + s)), s = 75 - k.
    const long long s = kCanonicalDigits - 1 - k;
    if (s > kMaxPow5 || -s > kMaxPow5) return false;
    const long long f = e + s;
    mp_limb_t q[kPrintLimbs + 2];
    mp_size_t qn = 0;
    if (s >= 0 && f < 0) {
      // Below 10^76, the usual case: one product and a shift.
      qn = ShiftRounded(m, limbs, pow5.Pow(s), -f, q);
    } else {
      if (s >= 0) {
        mpz_mul(t.a, mant, pow5.Pow(s));
        mpz_mul_2exp(t.q, t.a, static_cast<mp_bitcnt_t>(f));
      } else if (f >= 0) {
        mpz_mul_2exp(t.a, mant, static_cast<mp_bitcnt_t>(f));
        RoundDivide(t.q, t.b, t.a, pow5.Pow(-s));
      } else {
        mpz_mul_2exp(t.b, pow5.Pow(-s), static_cast<mp_bitcnt_t>(-f));
        RoundDivide(t.q, t.a, mant, t.b);
      }
      qn = static_cast<mp_size_t>(mpz_size(t.q));
      if (qn > kPrintLimbs + 1) qn = -1;
      if (qn > 0) std::copy_n(mpz_limbs_read(t.q), qn, q);
    }
    if (qn <= 0) return false;
    // From 10^76 up the estimate was one short, or rounding carried into a
    // 77th digit; either way the next exponent is right.
    if (CompareLimbs(q, qn, pow5.Beyond()) >= 0) continue;
    if (CompareLimbs(q, qn, pow5.Lowest()) < 0) return false;
    PrintDigits(q, qn, out);
    exp10 = k + 1;
    return true;
  }
  return false;
}

}  // namespace vxc
