// The REAL functions of the Function menu: 10^X, roots, parts, MOD, % and
// Δ%, the hyperbolic functions, combinations and permutations, and the
// angle conversions.
//
// Every one takes its X operand through FetchOperandPair, so LastX receives
// it whether it was typed or not. A one-operand function replaces X; MOD,
// XROOT, NCR and NPR combine Y and X and drop the stack; % and Δ% keep Y.
// A result with no real value (NaN, an infinity) is "Overflow !".
#include <gmpxx.h>

#include <string>

#include "ops.h"
#include "real.h"

namespace vxc {
namespace {

// Operands whose exact combination or permutation count could still lie
// within the range test; beyond them the count is known to exceed 10^32
// without computing it: C(n, k) >= n and P(n, k) >= n for 1 <= k <= n, and
// C(2k, k), k! exceed 10^32 long before k = 120.
constexpr long kLargestCountedK = 120;
const char* const kCountLimit = "1e32";

void Finish(Engine& e, Real& result, CalcError error = CalcError::kOverflow) {
  if (!mpfr_number_p(result.raw())) ReportError(e, error);
  if (result.IsZero()) mpfr_set_zero(result.raw(), 1);  // never "-0"
  StoreResult(e, result.ToCanonicalText());
  MarkDisplayStale(e);
}

// The two-operand ending: Y and X combined, the stack drops even after an error.
void FinishPair(Engine& e, Real& result, CalcError error = CalcError::kOverflow) {
  if (!mpfr_number_p(result.raw())) ReportError(e, error);
  if (result.IsZero()) mpfr_set_zero(result.raw(), 1);
  StoreResult(e, e.state.errorShown ? std::string() : result.ToCanonicalText());
  DropStack(e.state);
  MarkDisplayStale(e);
}

// x^(1/n) for an integer n that fits a long, else y^(1/x) by a power of the
// rounded reciprocal; an odd integer root of a negative y is negative.
void Root(Real& y, const Real& x) {
  mpfr_ptr r = y.raw();
  if (x.IsInteger() && mpfr_fits_slong_p(x.raw(), MPFR_RNDN)) {
    mpfr_rootn_si(r, r, mpfr_get_si(x.raw(), MPFR_RNDN), MPFR_RNDN);
    return;
  }
  bool odd = false;
  if (x.IsInteger() && mpfr_get_exp(x.raw()) <= static_cast<mpfr_exp_t>(kRealBits)) {
    mpz_class n;
    mpfr_get_z(n.get_mpz_t(), x.raw(), MPFR_RNDN);
    odd = mpz_odd_p(n.get_mpz_t()) != 0;
  }
  const bool negative = y.IsNegative();
  if (negative && !odd) {
    mpfr_set_nan(r);
    return;
  }
  Real reciprocal(1);
  reciprocal.Div(x);
  mpfr_abs(r, r, MPFR_RNDN);
  mpfr_pow(r, r, reciprocal.raw(), MPFR_RNDN);
  if (negative) mpfr_neg(r, r, MPFR_RNDN);
}

// Y - X*floor(Y/X): the truncated remainder is exact; moved to the sign of
// X it is one rounding of the exact value.
void FlooredMod(Real& y, const Real& x) {
  mpfr_ptr r = y.raw();
  mpfr_fmod(r, r, x.raw(), MPFR_RNDN);
  if (!y.IsZero() && y.IsNegative() != x.IsNegative()) mpfr_add(r, r, x.raw(), MPFR_RNDN);
}

// Y*X/100: the product is exact at twice the bits, so only the division rounds.
void Percent(Real& result, const Real& y, const Real& x) {
  mpfr_t product;
  mpfr_init2(product, 2 * kRealBits);
  mpfr_mul(product, y.raw(), x.raw(), MPFR_RNDN);
  mpfr_div_ui(result.raw(), product, 100, MPFR_RNDN);
  mpfr_clear(product);
}

// 100*(X-Y)/Y: the difference is exact while the exponents lie within a few
// thousand bits of each other (beyond that the smaller operand lies far
// below the last bit that counts); 100 times it is exact; the division
// rounds once.
void PercentChange(Real& result, const Real& y, const Real& x) {
  constexpr mpfr_prec_t kWidest = 8 * kRealBits;
  mpfr_prec_t bits = kRealBits + 8;
  if (!x.IsZero()) {
    const mpfr_exp_t spread = mpfr_get_exp(x.raw()) - mpfr_get_exp(y.raw());
    bits += spread < 0 ? -spread : spread;
    if (bits > kWidest) bits = kWidest;
  }
  mpfr_t difference;
  mpfr_init2(difference, bits + 8);
  mpfr_sub(difference, x.raw(), y.raw(), MPFR_RNDN);
  mpfr_mul_ui(difference, difference, 100, MPFR_RNDN);
  mpfr_div(result.raw(), difference, y.raw(), MPFR_RNDN);
  mpfr_clear(difference);
}

// Degrees to radians (toRadians) or back, with pi held 64 bits beyond the
// result so that the one rounding at the end is almost always the correct one.
void ConvertAngle(Real& x, bool toRadians) {
  constexpr mpfr_prec_t kPiBits = kRealBits + 64;
  mpfr_t pi, t;
  mpfr_init2(pi, kPiBits);
  mpfr_init2(t, kRealBits + kPiBits);
  mpfr_const_pi(pi, MPFR_RNDN);
  if (toRadians) {
    mpfr_mul(t, x.raw(), pi, MPFR_RNDN);  // exact
    mpfr_div_ui(x.raw(), t, 180, MPFR_RNDN);
  } else {
    mpfr_mul_ui(t, x.raw(), 180, MPFR_RNDN);  // exact
    mpfr_div(x.raw(), t, pi, MPFR_RNDN);
  }
  mpfr_clears(pi, t, (mpfr_ptr)0);
}

// C(n, k) or P(n, k) of whole non-negative n and k. Returns false when the
// count surely exceeds 10^32 (it is then never computed).
bool Count(Real& result, const Real& n, const Real& k, bool permutations) {
  if (k.Compare(n) > 0) {
    mpfr_set_zero(result.raw(), 1);
    return true;
  }
  // C(n, k) = C(n, n - k): the smaller of the two is the work.
  Real smaller = k;
  if (!permutations) {
    Real rest = n;
    rest.Sub(k);
    if (rest.Compare(k) < 0) smaller = rest;
  }
  if (smaller.IsZero()) {
    mpfr_set_ui(result.raw(), 1, MPFR_RNDN);
    return true;
  }
  if (n.Compare(Real::FromString(kCountLimit)) > 0 || smaller.Compare(Real(kLargestCountedK)) > 0) return false;
  mpz_class top;
  mpfr_get_z(top.get_mpz_t(), n.raw(), MPFR_RNDN);
  const unsigned long count = mpfr_get_ui(smaller.raw(), MPFR_RNDN);
  mpz_class exact;
  if (permutations) {
    exact = 1;
    for (unsigned long i = 0; i < count; ++i) exact *= top - i;
  } else {
    mpz_bin_ui(exact.get_mpz_t(), top.get_mpz_t(), count);
  }
  mpfr_set_z(result.raw(), exact.get_mpz_t(), MPFR_RNDN);
  return true;
}

void TwoOperandFunction(Engine& e, CommandId id) {
  CalcState& s = e.state;
  Real y = Real::FromString(FetchOperandPair(s));
  const Real x = Real::FromString(s.entryText);
  if ((id == cmd::kXRoot || id == cmd::kMod) && x.IsZero()) {
    mpfr_set_nan(y.raw());
    FinishPair(e, y, CalcError::kDivideByZero);
    return;
  }
  switch (id) {
    case cmd::kXRoot: Root(y, x); break;
    case cmd::kMod: FlooredMod(y, x); break;
    default: {  // NCR, NPR
      const auto whole = [](const Real& v) { return v.IsInteger() && !v.IsNegative(); };
      if (!whole(y) || !whole(x)) {
        mpfr_set_nan(y.raw());
        FinishPair(e, y, CalcError::kNotInteger);
        return;
      }
      Real n = y;
      if (!Count(y, n, x, id == cmd::kPermutations)) mpfr_set_inf(y.raw(), 1);
      break;
    }
  }
  FinishPair(e, y);
}

// % and Δ%: Y stays, X becomes the result.
void PercentFunction(Engine& e, CommandId id) {
  CalcState& s = e.state;
  const Real y = Real::FromString(FetchOperandPair(s));
  const Real x = Real::FromString(s.entryText);
  Real result;
  if (id == cmd::kPercent) {
    Percent(result, y, x);
  } else if (y.IsZero()) {
    mpfr_set_nan(result.raw());
    Finish(e, result, CalcError::kDivideByZero);
    return;
  } else {
    PercentChange(result, y, x);
  }
  Finish(e, result);
}

}  // namespace

void MoreRealFunction(Engine& e, CommandId id) {
  switch (id) {
    case cmd::kXRoot:
    case cmd::kCombinations:
    case cmd::kPermutations: TwoOperandFunction(e, id); return;
    case cmd::kPercent:
    case cmd::kPercentChange: PercentFunction(e, id); return;
    default: break;
  }
  CalcState& s = e.state;
  FetchOperandPair(s);
  Real x = Real::FromString(s.entryText);
  mpfr_ptr r = x.raw();
  CalcError error = CalcError::kOverflow;
  switch (id) {
    case cmd::kTenX: mpfr_exp10(r, r, MPFR_RNDN); break;
    case cmd::kAbs: mpfr_abs(r, r, MPFR_RNDN); break;
    case cmd::kInt: mpfr_trunc(r, r); break;
    case cmd::kFrac: mpfr_frac(r, r, MPFR_RNDN); break;
    case cmd::kSinh: mpfr_sinh(r, r, MPFR_RNDN); break;
    case cmd::kCosh: mpfr_cosh(r, r, MPFR_RNDN); break;
    case cmd::kTanh: mpfr_tanh(r, r, MPFR_RNDN); break;
    case cmd::kAsinh: mpfr_asinh(r, r, MPFR_RNDN); break;
    case cmd::kAcosh: mpfr_acosh(r, r, MPFR_RNDN); break;  // below 1: NaN
    case cmd::kAtanh:
      if (mpfr_cmpabs_ui(r, 1) > 0) error = CalcError::kUpperThanOne;
      mpfr_atanh(r, r, MPFR_RNDN);  // 1 and -1: infinite
      break;
    case cmd::kToRadians:
    case cmd::kToDegrees: ConvertAngle(x, id == cmd::kToRadians); break;
    default: return;
  }
  Finish(e, x, error);
}

void Modulo(Engine& e, CommandId id) {
  if (IsIntegerBase(e.state.base)) {
    IntegerModulo(e);
    return;
  }
  TwoOperandFunction(e, id);
}

}  // namespace vxc
