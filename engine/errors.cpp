// The error state: raising a message, the result range test, the alarm.
#include <algorithm>
#include <string>

#include "ops.h"
#include "real.h"

namespace vxc {

void ReportError(Engine& engine, CalcError error) {
  CalcState& s = engine.state;
  s.errorShown = true;
  s.errorText = ErrorMessage(error);
  if (s.errorAlarm && engine.out.beep) engine.out.beep();
}

bool ResultOutOfRange(const std::string& text) {
  static const Real kLimit = [] {
    Real limit(10);
    limit.Pow(Real(32));
    return limit;
  }();
  if (IsCanonicalDecimal(text)) {
    // Plain decimal digits decide it: a negative value never fails, and a
    // value above 10^32 has 33 integer digits or more, 10^32 itself passing.
    if (text[0] == '-') return false;
    const size_t integerDigits = std::min(text.find('.'), text.size());
    return integerDigits > 33 || (integerDigits == 33 && text != "100000000000000000000000000000000");
  }
  // Signed comparison: a negative result never fails this step.
  if (Real::FromString(text).Compare(kLimit) > 0) return true;
  const size_t e = text.find_first_of("eE");
  if (e == std::string::npos) return false;
  return Real::FromString(std::string_view(text).substr(e + 1)).Compare(Real(99)) > 0;
}

void ToggleErrorAlarm(Engine& engine) { engine.state.errorAlarm = !engine.state.errorAlarm; }

}  // namespace vxc
