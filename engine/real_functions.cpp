// REAL arithmetic and the function keys.
#include <string>

#include "ops.h"
#include "real.h"

namespace vxc {

void Arithmetic(Engine& e, CommandId id) {
  CalcState& s = e.state;
  if (IsIntegerBase(s.base)) {
    IntegerArithmetic(e, id);
    return;
  }
  Real y = Real::FromString(FetchOperandPair(s));
  const Real x = Real::FromString(s.entryText);
  int code = kRealOk;
  const char* message = kMsgOverflow;
  switch (id) {
    case cmd::kAdd: code = y.Add(x); break;
    case cmd::kSub: code = y.Sub(x); break;
    case cmd::kMul: code = y.Mul(x); break;
    default:
      code = y.Div(x);
      message = kMsgDivideByZero;
      break;
  }
  if (code != kRealOk) ReportError(e, message);
  StoreResult(e, y.ToCanonicalText());
  DropStack(s);
  RequestRefresh(e);
}

void RealFunction(Engine& e, CommandId id) {
  (void)e;
  (void)id;
}

void Factorial(Engine& e, CommandId id) {
  (void)e;
  (void)id;
}

void PushPi(Engine& e, CommandId id) {
  (void)e;
  (void)id;
}

}  // namespace vxc
