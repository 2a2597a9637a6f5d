// Real: a 256-bit binary floating-point value over GNU MPFR.
//
// Operations return codes instead of throwing: 0 success, 1 carry (the
// result does not fit), 2 improper argument. Every rounding is to nearest.
#pragma once

// <cstdint> comes first: MPFR declares its intmax_t functions only then.
#include <cstdint>
#include <string>
#include <string_view>

#include <mpfr.h>

namespace vxc {

inline constexpr mpfr_prec_t kRealBits = 256;
// Digits printed by ToCanonicalText: one fewer than the mantissa holds, so
// every printed digit survives a few roundings.
inline constexpr int kCanonicalDigits = 76;

enum RealCode : int { kRealOk = 0, kRealCarry = 1, kRealImproper = 2 };

// Codes of ASin, ACos and Factorial, which report like the library's free
// functions: 0 success, 13 an argument outside the domain.
enum RealErrorCode : int { kErrOk = 0, kErrOverflow = 1, kErrImproperArgument = 13 };

// Factorial computes operands up to this one; every larger factorial lies
// above 10^32, the result range test's limit (30! is 2.65e32), so it is
// refused unseen.
inline constexpr unsigned long kFactorialLargestOperand = 29;

// Binary exponent above which Sin, Cos and Tan refuse their argument
// (about 1e4932). Stored results stay below 1e100; only pasted or
// hand-edited values come near it.
inline constexpr long kTrigLargestExponent = 16384;

class Real {
 public:
  Real();
  explicit Real(long value);
  Real(const Real& other);
  Real(Real&& other) noexcept;
  Real& operator=(const Real& other);
  Real& operator=(Real&& other) noexcept;
  ~Real();

  // Reads as far as the text parses as a number, never further; a text
  // with no digit reads as 0. Radix 16, 8 and 2 read digits only.
  static Real FromString(std::string_view text, int radix = 10);

  // Base-10 text with 76 significant digits, trailing zeros dropped;
  // positional while the decimal exponent lies in -99..99, else d.ddde+N.
  std::string ToCanonicalText() const;
  // FromString(text).ToCanonicalText(), without the reading and printing
  // where a plain decimal entry allows.
  static std::string CanonicalText(std::string_view text);

  int Add(const Real& x);
  int Sub(const Real& x);
  int Mul(const Real& x);
  int Div(const Real& x);  // non-zero when x is zero
  int Pow(const Real& x);  // this := this ^ x
  int Sqrt();
  int Ln();
  int Log10();
  int Exp();
  void SetPi();

  // Radians in, radians out. NaN gives NaN with kRealImproper, and so does
  // an angle of 2^kTrigLargestExponent or more for Sin, Cos and Tan, whose
  // exact reduction by 2 pi would take seconds and megabytes.
  int Sin();
  int Cos();
  int Tan();
  int ATan();
  // kErrImproperArgument and NaN when |x| > 1.
  int ASin();
  int ACos();
  // kErrImproperArgument for a negative or non-integral operand (NaN too);
  // kErrOverflow, leaving the value unchanged, above
  // kFactorialLargestOperand; otherwise the exact factorial.
  int Factorial();

  bool IsNaN() const { return mpfr_nan_p(v_) != 0; }
  bool IsZero() const { return mpfr_zero_p(v_) != 0; }
  bool IsNegative() const { return mpfr_sgn(v_) < 0; }
  bool IsInteger() const { return mpfr_integer_p(v_) != 0; }
  int Compare(const Real& x) const { return mpfr_cmp(v_, x.v_); }

  // this := this x 2^n and this / 2^n, exact and in constant time for any
  // n. MulPow2 returns 1 when the result is beyond the exponent range;
  // DivPow2 never fails (a result below the range rounds to 0 or to the
  // smallest value the range holds).
  int MulPow2(uint64_t n);
  int DivPow2(uint64_t n);

  // Integer part of the magnitude; 2^64 or more (or NaN) gives 0.
  uint64_t ToUInt() const;

  mpfr_ptr raw() { return v_; }
  mpfr_srcptr raw() const { return v_; }

 private:
  // The mantissa lives in the object itself, so that making, copying and
  // dropping a Real costs no allocation: the precision never changes.
  static constexpr size_t kLimbs = (kRealBits + GMP_NUMB_BITS - 1) / GMP_NUMB_BITS;
  void InitZero();
  mpfr_t v_;
  mp_limb_t limbs_[kLimbs];
};

// Widest exponent range, so that nothing the result range test would catch
// over- or underflows first. Called once at start-up.
void InitRealRange();

// Whether `text` is already what ToCanonicalText prints for its value in
// positional form: reading and printing it again would change nothing.
// Display and range test take this shortcut past the conversions.
bool IsCanonicalDecimal(std::string_view text);

}  // namespace vxc
