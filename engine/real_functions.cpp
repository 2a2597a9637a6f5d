// REAL arithmetic and the function keys.
#include <string>

#include "decimal_text.h"
#include "integer.h"
#include "ops.h"
#include "real.h"

namespace vxc {

void Arithmetic(Engine& e, CommandId id) {
  CalcState& s = e.state;
  if (IsIntegerBase(s.base)) {
    IntegerArithmetic(e, id);
    return;
  }
  Real y = e.reals.Read(FetchOperandPair(s));
  const Real& x = e.reals.Read(s.entryText);
  int code = kRealOk;
  CalcError error = CalcError::kOverflow;
  switch (id) {
    case cmd::kAdd: code = y.Add(x); break;
    case cmd::kSub: code = y.Sub(x); break;
    case cmd::kMul: code = y.Mul(x); break;
    default:
      code = y.Div(x);
      error = CalcError::kDivideByZero;
      break;
  }
  if (code != kRealOk) ReportError(e, error);
  StoreResult(e, y.ToCanonicalText());
  DropStack(s);
  MarkDisplayStale(e);
}

namespace {

// Units in a half turn: 180 degrees, 200 grads. An unknown code counts as
// DEG, the unit the window shows checked for it.
long HalfTurn(uint32_t angle) { return angle == kAngleGrad ? 200 : 180; }

// Pi at the working precision, computed once.
const Real& Pi() {
  static const Real pi = [] {
    Real p;
    p.SetPi();
    return p;
  }();
  return pi;
}

// Degrees and grads to radians: divided by 180 or 200 first, then
// multiplied by pi, each a 256-bit step. Radians and NaN pass unchanged.
// (A division by the small integer rounds as one by its Real does.)
void ToRadians(Real& x, uint32_t angle) {
  if (x.IsNaN() || angle == kAngleRad) return;
  mpfr_div_ui(x.raw(), x.raw(), static_cast<unsigned long>(HalfTurn(angle)), MPFR_RNDN);
  x.Mul(Pi());
}

// Radians to degrees or grads: 180 (or 200) times x, then divided by pi.
void FromRadians(Real& x, uint32_t angle) {
  if (x.IsNaN() || angle == kAngleRad) return;
  mpfr_mul_ui(x.raw(), x.raw(), static_cast<unsigned long>(HalfTurn(angle)), MPFR_RNDN);
  x.Div(Pi());
}

// Y^X: y is the value the Y line shows, x the X operand; the entry line is
// left as it is, so a typed x becomes LastX through StoreResult.
void Power(Engine& e) {
  CalcState& s = e.state;
  Real y = Real::FromString(s.stackY);
  const Real x = Real::FromString(FetchOperand(s));
  if (y.Pow(x) != kRealOk) ReportError(e, CalcError::kOverflow);
  StoreResult(e, y.ToCanonicalText());
  DropStack(s);
  MarkDisplayStale(e);
}

// 1/X: the entry is dropped before the quotient is stored, so LastX keeps
// its value.
void Inverse(Engine& e) {
  CalcState& s = e.state;
  Real r = Real::FromString("1");
  const Real x = Real::FromString(FetchOperand(s));
  if (r.Div(x) != kRealOk) ReportError(e, CalcError::kDivideByZero);
  ClearEntry(s);
  StoreResult(e, r.ToCanonicalText());
  s.xComplete = true;
  MarkDisplayStale(e);
}

// e^X: stored with all its digits straight into X, bypassing StoreResult,
// so LastX keeps its value. The range test runs on its own and may report
// a second "Overflow !" after the library's own.
void Exponential(Engine& e) {
  CalcState& s = e.state;
  Real x = Real::FromString(FetchOperand(s));
  ClearEntry(s);
  if (x.Exp() != kRealOk) ReportError(e, CalcError::kOverflow);
  std::string canonical = x.ToCanonicalText();
  if (ResultOutOfRange(canonical)) ReportError(e, CalcError::kOverflow);
  if (!s.errorShown) {
    s.stackX = std::move(canonical);
    s.xComplete = true;
  }
  MarkDisplayStale(e);
}

// The one-operand keys that store through StoreResult: the X operand is
// read without touching the entry, so a typed operand becomes LastX.
void UnaryFunction(Engine& e, CommandId id) {
  CalcState& s = e.state;
  Real x = Real::FromString(FetchOperand(s));
  switch (id) {
    case cmd::kSquare:
      if (x.Pow(Real(2)) != kRealOk) ReportError(e, CalcError::kOverflow);
      break;
    case cmd::kSqrt:
      if (x.Sqrt() != kRealOk) ReportError(e, CalcError::kOverflow);
      break;
    case cmd::kLn:
    case cmd::kLog: {
      const int code = id == cmd::kLn ? x.Ln() : x.Log10();
      if (code == kRealCarry) ReportError(e, CalcError::kOverflow);
      if (code >= kRealImproper) ReportError(e, CalcError::kMinusOrZero);
      break;
    }
    case cmd::kSin:
    case cmd::kCos:
    case cmd::kTan: {
      ToRadians(x, s.angle);
      const int code = id == cmd::kSin ? x.Sin() : id == cmd::kCos ? x.Cos() : x.Tan();
      // Only an angle too large to reduce fails; it has no message of its own.
      if (code != kRealOk) ReportError(e, CalcError::kOverflow);
      break;
    }
    case cmd::kAsin:
    case cmd::kAcos:
      if ((id == cmd::kAsin ? x.ASin() : x.ACos()) != kErrOk) ReportError(e, CalcError::kUpperThanOne);
      FromRadians(x, s.angle);
      break;
    case cmd::kAtan:
      x.ATan();
      FromRadians(x, s.angle);
      break;
    default:
      return;
  }
  StoreResult(e, x.ToCanonicalText());
  MarkDisplayStale(e);
}

}  // namespace

void RealFunction(Engine& e, CommandId id) {
  switch (id) {
    case cmd::kPow: Power(e); return;
    case cmd::kInverse: Inverse(e); return;
    case cmd::kExp: Exponential(e); return;
    default: UnaryFunction(e, id); return;
  }
}

// X! in every mode. A typed entry of an integer mode holds digits of the
// current base; it is read in that radix and, as decimal text, becomes
// LastX, because every number at rest is decimal. In the integer modes the
// result must not pass the largest signed value of the word size; in REAL
// only the range test limits it.
void Factorial(Engine& e, CommandId) {
  CalcState& s = e.state;
  const bool typedInteger = IsIntegerBase(s.base) && !s.entryText.empty();
  const std::string operand = typedInteger ? IntegerEntryToDecimal(s) : FetchOperand(s);
  Real x = Real::FromString(operand);
  const int code = x.Factorial();
  if (code == kErrImproperArgument) {
    ReportError(e, CalcError::kNotInteger);
  } else if (code != kErrOk) {
    ReportError(e, CalcError::kOverflow);
  } else if (IsIntegerBase(s.base) && x.Compare(Real(static_cast<long>(WordSizeOf(s.range).MaxSigned()))) > 0) {
    ReportError(e, CalcError::kOverflow);
  }
  if (typedInteger && !s.errorShown) s.entryText = operand;
  StoreResult(e, x.ToCanonicalText());
  MarkDisplayStale(e);
}

// PI pushes a finished X, then a number being typed, and puts pi rounded
// to the mantissa (its canonical text) into X. LastX keeps its value and
// no range test applies.
void PushPi(Engine& e, CommandId) {
  CalcState& s = e.state;
  if (s.xComplete && !s.liftDisabled) LiftStack(s, true);
  TerminateEntry(s);
  ClearEntry(s);
  static const std::string kPiText = [] {
    Real pi;
    pi.SetPi();
    return pi.ToCanonicalText();
  }();
  AssignText(s.stackX, kPiText);
  s.xComplete = true;
  MarkDisplayStale(e);
}

}  // namespace vxc
