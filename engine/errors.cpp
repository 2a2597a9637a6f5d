// The error state: raising a message, the result range test, the alarm.
#include <algorithm>
#include <string>
#include <string_view>

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
  // Magnitudes are compared: -10^40 fails like 10^40.
  if (IsCanonicalDecimal(text)) {
    // Plain decimal digits decide it: a value above 10^32 has 33 integer
    // digits or more, 10^32 itself passing.
    const std::string_view digits = std::string_view(text).substr(text[0] == '-' ? 1 : 0);
    const size_t integerDigits = std::min(digits.find('.'), digits.size());
    return integerDigits > 33 || (integerDigits == 33 && digits != "100000000000000000000000000000000");
  }
  Real magnitude = Real::FromString(text);
  mpfr_abs(magnitude.raw(), magnitude.raw(), MPFR_RNDN);
  if (magnitude.Compare(kLimit) > 0) return true;
  const size_t e = text.find_first_of("eE");
  if (e == std::string::npos) return false;
  return Real::FromString(std::string_view(text).substr(e + 1)).Compare(Real(99)) > 0;
}

void ToggleErrorAlarm(Engine& engine) { engine.state.errorAlarm = !engine.state.errorAlarm; }

}  // namespace vxc
