#include "real.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "decimal_text.h"
#include "real_decimal.h"

namespace vxc {
namespace {

// Decimal digits kept when reading a long mantissa; the rest only decides
// the rounding, through one sticky digit.
constexpr size_t kReadDigits = 90;
// Exponents are clamped far beyond anything the result range test passes,
// but inside MPFR's widest range, so that a pasted "1e99999999999" stays a
// finite, huge number.
constexpr long long kExponentClamp = 999999999999999999LL;
constexpr const char* kInfinityText = "1e+999999999999999999";

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// r := D x 10^scale for the `count` decimal digits D, rounded to nearest.
[[gnu::always_inline]] inline void SetDecimal(mpfr_ptr r, const char* digits, size_t count, long long scale) {
  if (scale >= -kExactDecimalScale && scale <= kExactDecimalScale) {
    SetScaledDecimal(r, digits, count, scale);
  } else {
    const std::string clean = std::string(digits, count) + "e" + std::to_string(scale);
    mpfr_set_str(r, clean.c_str(), 10, MPFR_RNDN);
  }
}

// r := the mantissa digits text[intStart, intEnd) and text[fracStart,
// fracEnd), all of them, times 10^exponent, correctly rounded: the slow
// way, for a value next to a rounding boundary.
void SetAllDigits(mpfr_ptr r, std::string_view text, size_t intStart, size_t intEnd, size_t fracStart,
                  size_t fracEnd, long long exponent) {
  std::string clean(text.substr(intStart, intEnd - intStart));
  clean.append(text.substr(fracStart, fracEnd - fracStart));
  clean += "e" + std::to_string(exponent - static_cast<long long>(fracEnd - fracStart));
  mpfr_set_str(r, clean.c_str(), 10, MPFR_RNDN);
}

}  // namespace

void InitRealRange() {
  mpfr_set_emin(mpfr_get_emin_min());
  mpfr_set_emax(mpfr_get_emax_max());
}

void Real::InitZero() {
  static_assert(sizeof limbs_ >= (kRealBits + 7) / 8);
  mpfr_custom_init(limbs_, kRealBits);
  mpfr_custom_init_set(v_, MPFR_ZERO_KIND, 0, kRealBits, limbs_);
}

Real::Real() { InitZero(); }

Real::Real(long value) {
  InitZero();
  mpfr_set_si(v_, value, MPFR_RNDN);
}

Real::Real(const Real& other) {
  InitZero();
  mpfr_set(v_, other.v_, MPFR_RNDN);
}

// Moving copies: each Real points into its own storage.
Real::Real(Real&& other) noexcept : Real(static_cast<const Real&>(other)) {}

Real& Real::operator=(const Real& other) {
  if (this != &other) mpfr_set(v_, other.v_, MPFR_RNDN);
  return *this;
}

Real& Real::operator=(Real&& other) noexcept { return *this = static_cast<const Real&>(other); }

Real::~Real() = default;  // the mantissa is part of the object: nothing to free

Real Real::FromString(std::string_view text, int radix) {
  Real result;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
    while (i < n && IsBlank(text[i])) ++i;
  }

  if (radix != 10) {
    // Typed integers of another base: digits of the radix only.
    std::string digits;
    while (i < n && DigitValue(text[i]) < radix) digits += text[i++];
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty()) return result;
    mpfr_set_str(result.v_, digits.c_str(), radix, MPFR_RNDN);
    if (negative) mpfr_neg(result.v_, result.v_, MPFR_RNDN);
    return result;
  }

  // Mantissa digits, collected without the point: value = D x 10^shift.
  // Leading zeros carry nothing; digits beyond kReadDigits only raise the
  // shift and, when not zero, set `sticky`.
  char digits[kReadDigits + 1];
  size_t count = 0;
  long long shift = 0;
  bool sticky = false;
  auto take = [&](size_t from, size_t to) {
    if (count == 0) {
      while (from < to && text[from] == '0') ++from;
    }
    const size_t kept = std::min(kReadDigits - count, to - from);
    std::copy_n(text.data() + from, kept, digits + count);
    count += kept;
    from += kept;
    if (from == to) return;
    shift += static_cast<long long>(to - from);
    sticky = sticky || text.substr(from, to - from).find_first_not_of('0') != std::string_view::npos;
  };
  const size_t intStart = i;
  i = SkipDecimalDigits(text, i);
  take(intStart, i);
  const size_t intEnd = i;
  size_t fracStart = i;
  if (i < n && (text[i] == '.' || text[i] == ',')) {
    fracStart = ++i;
    i = SkipDecimalDigits(text, i);
    take(fracStart, i);
    shift -= static_cast<long long>(i - fracStart);
  }
  const size_t fracEnd = i;
  const size_t digitCount = (intEnd - intStart) + (fracEnd - fracStart);
  if (digitCount == 0) return result;

  // Optional exponent; an 'e' without digits is not part of the number.
  long long exponent = 0;
  size_t j = i;
  while (j < n && IsBlank(text[j])) ++j;
  if (j < n && (text[j] == 'e' || text[j] == 'E')) {
    ++j;
    while (j < n && IsBlank(text[j])) ++j;
    bool expNegative = false;
    if (j < n && (text[j] == '-' || text[j] == '+')) {
      expNegative = text[j] == '-';
      ++j;
      while (j < n && IsBlank(text[j])) ++j;
    }
    while (j < n && IsDecimalDigit(text[j])) {
      exponent = exponent > kExponentClamp / 10 ? kExponentClamp : std::min(exponent * 10 + (text[j] - '0'), kExponentClamp);
      ++j;
    }
    if (expNegative) exponent = -exponent;
  }
  if (count == 0) {
    if (negative) mpfr_neg(result.v_, result.v_, MPFR_RNDN);
    return result;
  }
  // Clamp the decimal exponent of the value itself, so that its printed
  // form reads back to the same value.
  const long long digitsAbovePoint = static_cast<long long>(count) - 1;
  const long long unclamped = exponent + shift + digitsAbovePoint;
  const long long k = std::clamp(unclamped, -kExponentClamp, kExponentClamp);
  const long long total = k - digitsAbovePoint;
  SetDecimal(result.v_, digits, count, total);
  if (sticky && k == unclamped) {
    // The value lies strictly between D and D + 1 units of the last kept
    // digit. When both ends round alike, so does the value; when a rounding
    // boundary lies between them, only all the digits can tell.
    char next[kReadDigits + 1];  // D + 1, with room for a carry
    next[0] = '0';
    std::copy_n(digits, count, next + 1);
    size_t last = count;
    while (next[last] == '9') next[last--] = '0';
    ++next[last];
    Real upper;
    SetDecimal(upper.v_, last == 0 ? next : next + 1, last == 0 ? count + 1 : count, total);
    if (!mpfr_equal_p(result.v_, upper.v_)) SetAllDigits(result.v_, text, intStart, intEnd, fracStart, fracEnd, exponent);
  }
  // Rounding to nearest is symmetric: the sign can follow the rounding.
  if (negative) mpfr_neg(result.v_, result.v_, MPFR_RNDN);
  return result;
}

std::string Real::ToCanonicalText() const {
  if (mpfr_nan_p(v_) || mpfr_zero_p(v_)) return "0";
  const bool negative = mpfr_sgn(v_) < 0;
  if (mpfr_inf_p(v_)) return std::string(negative ? "-" : "") + kInfinityText;

  char digits[kCanonicalDigits + 8];
  long long exp10 = 0;
  if (!DecimalDigits(v_, digits, exp10)) {
    mpfr_exp_t e = 0;
    mpfr_get_str(digits, &e, 10, kCanonicalDigits, v_, MPFR_RNDN);
    if (negative) std::copy(digits + 1, digits + 1 + kCanonicalDigits, digits);
    exp10 = e;
  }
  size_t count = kCanonicalDigits;
  while (count > 1 && digits[count - 1] == '0') --count;
  const std::string_view d(digits, count);
  const long long k = exp10 - 1;  // value = d.ddd x 10^k
  // Beyond the exponents FromString reads, the print saturates, so that
  // every print reads back to a value that prints the same.
  if (k > kExponentClamp || k < -kExponentClamp) {
    return std::string(negative ? "-" : "") + (k > 0 ? "1e+" : "1e-") + std::to_string(kExponentClamp);
  }

  std::string out;
  out.reserve(count + 104);
  if (negative) out += '-';
  if (k < -99 || k > 99) {
    out += d[0];
    if (count > 1) out.append(".").append(d.substr(1));
    out += k < 0 ? "e-" : "e+";
    out += std::to_string(k < 0 ? -k : k);
    return out;
  }
  AppendPositional(out, d, k);
  return out;
}

std::string Real::CanonicalText(std::string_view text) {
  std::string out;
  if (TidyPlainDecimal(text, kCanonicalDigits, out)) return out;
  return FromString(text).ToCanonicalText();
}

namespace {
// Finite and below 2^kTrigLargestExponent in magnitude.
bool TrigArgumentOk(mpfr_srcptr x) {
  if (mpfr_nan_p(x) || mpfr_inf_p(x)) return false;
  return mpfr_zero_p(x) || mpfr_get_exp(x) <= kTrigLargestExponent;
}

int ResultCode(mpfr_srcptr r) {
  if (mpfr_nan_p(r)) return kRealImproper;
  if (mpfr_inf_p(r)) return kRealCarry;
  return kRealOk;
}

using MpfrBinary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);
using MpfrUnary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// y := y op x in place; a NaN operand is an improper argument.
int Binary(MpfrBinary op, mpfr_ptr y, mpfr_srcptr x) {
  if (mpfr_nan_p(y) || mpfr_nan_p(x)) return kRealImproper;
  op(y, y, x, MPFR_RNDN);
  return ResultCode(y);
}

// SIN, COS, TAN: an angle too large to reduce is an improper argument.
int Trig(MpfrUnary f, mpfr_ptr x) {
  if (!TrigArgumentOk(x)) {
    mpfr_set_nan(x);
    return kRealImproper;
  }
  f(x, x, MPFR_RNDN);
  return ResultCode(x);
}

// ASIN, ACOS: defined on -1..1 only.
int InverseTrig(MpfrUnary f, mpfr_ptr x) {
  if (mpfr_nan_p(x) || mpfr_cmp_ui(x, 1) > 0 || mpfr_cmp_si(x, -1) < 0) {
    mpfr_set_nan(x);
    return kErrImproperArgument;
  }
  f(x, x, MPFR_RNDN);
  return kErrOk;
}
}  // namespace

int Real::Add(const Real& x) { return Binary(mpfr_add, v_, x.v_); }

int Real::Sub(const Real& x) { return Binary(mpfr_sub, v_, x.v_); }

int Real::Mul(const Real& x) { return Binary(mpfr_mul, v_, x.v_); }

int Real::Div(const Real& x) {
  if (x.IsZero()) return kRealCarry;
  return Binary(mpfr_div, v_, x.v_);
}

int Real::Pow(const Real& x) {
  if (IsNaN() || x.IsNaN()) return kRealImproper;
  if ((IsZero() && mpfr_sgn(x.v_) <= 0) || (IsNegative() && !x.IsInteger())) {
    mpfr_set_nan(v_);
    return kRealImproper;
  }
  Real result;
  mpfr_pow(result.v_, v_, x.v_, MPFR_RNDN);
  const int code = ResultCode(result.v_);
  if (code == kRealOk) mpfr_set(v_, result.v_, MPFR_RNDN);
  return code;
}

int Real::Sqrt() {
  if (IsNegative() || IsNaN()) {
    mpfr_set_nan(v_);
    return kRealImproper;
  }
  mpfr_sqrt(v_, v_, MPFR_RNDN);
  return kRealOk;
}

int Real::Ln() {
  if (IsNaN() || mpfr_sgn(v_) <= 0) {
    mpfr_set_nan(v_);
    return kRealImproper;
  }
  mpfr_log(v_, v_, MPFR_RNDN);
  return ResultCode(v_);
}

int Real::Log10() {
  if (IsNaN() || mpfr_sgn(v_) <= 0) {
    mpfr_set_nan(v_);
    return kRealImproper;
  }
  mpfr_log10(v_, v_, MPFR_RNDN);
  return ResultCode(v_);
}

int Real::Exp() {
  if (IsNaN()) return kRealImproper;
  Real result;
  mpfr_exp(result.v_, v_, MPFR_RNDN);
  const int code = ResultCode(result.v_);
  if (code == kRealOk) mpfr_set(v_, result.v_, MPFR_RNDN);
  return code;
}

void Real::SetPi() { mpfr_const_pi(v_, MPFR_RNDN); }

int Real::Sin() { return Trig(mpfr_sin, v_); }

int Real::Cos() { return Trig(mpfr_cos, v_); }

int Real::Tan() { return Trig(mpfr_tan, v_); }

int Real::ATan() {
  if (IsNaN()) return kRealImproper;
  mpfr_atan(v_, v_, MPFR_RNDN);
  return ResultCode(v_);
}

int Real::ASin() { return InverseTrig(mpfr_asin, v_); }

int Real::ACos() { return InverseTrig(mpfr_acos, v_); }

int Real::Factorial() {
  if (IsNaN() || IsNegative() || !IsInteger()) {
    mpfr_set_nan(v_);
    return kErrImproperArgument;
  }
  // Compared before converting, so that a huge operand costs nothing.
  if (mpfr_cmp_ui(v_, kFactorialLargestOperand) > 0) return kErrOverflow;
  mpfr_fac_ui(v_, mpfr_get_ui(v_, MPFR_RNDN), MPFR_RNDN);
  return kErrOk;
}

uint64_t Real::ToUInt() const {
  if (IsNaN() || mpfr_inf_p(v_)) return 0;
  Real magnitude;
  mpfr_abs(magnitude.v_, v_, MPFR_RNDN);
  mpfr_trunc(magnitude.v_, magnitude.v_);
  if (mpfr_cmp_ui_2exp(magnitude.v_, 1, 64) >= 0) return 0;
  return static_cast<uint64_t>(mpfr_get_uj(magnitude.v_, MPFR_RNDZ));
}

int Real::MulPow2(uint64_t n) {
  static_assert(sizeof(unsigned long) == sizeof(uint64_t));
  if (IsNaN()) return kRealImproper;
  mpfr_mul_2ui(v_, v_, n, MPFR_RNDN);
  return mpfr_inf_p(v_) ? kRealCarry : kRealOk;
}

int Real::DivPow2(uint64_t n) {
  if (IsNaN()) return kRealImproper;
  mpfr_div_2ui(v_, v_, n, MPFR_RNDN);
  return kRealOk;
}

bool IsCanonicalDecimal(std::string_view text) {
  size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
  const bool negative = i == 1;
  const size_t intStart = i;
  i = SkipDecimalDigits(text, i);
  const size_t intLength = i - intStart;
  if (intLength == 0 || intLength > 100) return false;  // decimal exponent above 99
  const bool zeroInteger = text[intStart] == '0';
  if (zeroInteger && intLength > 1) return false;  // leading zero
  if (i == text.size()) {
    if (zeroInteger) return !negative;  // "0", never "-0"
    const size_t lastNonZero = text.find_last_not_of('0');
    return lastNonZero + 1 - intStart <= static_cast<size_t>(kCanonicalDigits);
  }
  if (text[i] != '.' || i + 1 == text.size() || text.back() == '0') return false;
  const size_t fracStart = ++i;
  i = SkipDecimalDigits(text, i);
  if (i != text.size()) return false;
  // Significant digits: 76 at most; below 1, the exponent stays above -100.
  size_t first = intStart;
  if (zeroInteger) {
    first = text.find_first_not_of('0', fracStart);
    if (first - fracStart > 98) return false;
    return text.size() - first <= static_cast<size_t>(kCanonicalDigits);
  }
  return text.size() - intStart - 1 <= static_cast<size_t>(kCanonicalDigits);
}

}  // namespace vxc
