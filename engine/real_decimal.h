// Decimal conversions of MPFR values through exact integers: the same
// correctly rounded results as mpfr_get_str and mpfr_set_str, at a fraction
// of their cost for the decimal exponents a calculator meets.
#pragma once

#include <cstddef>
#include <cstdint>

#include <mpfr.h>

namespace vxc {

// Decimal scales SetScaledDecimal takes, and about the decimal exponents
// DecimalDigits takes; beyond, the powers of ten grow too long to pay off.
inline constexpr long long kExactDecimalScale = 400;

// r := D x 10^scale rounded to nearest, ties to even, for the decimal digits
// D (count of them, no sign) and |scale| <= kExactDecimalScale. Up to 100
// digits and 1024 bits, without allocating.
void SetScaledDecimal(mpfr_ptr r, const char* digits, size_t count, long long scale);

// The kCanonicalDigits digits of |x| rounded to nearest, ties to even, into
// out (no terminator), and exp10 so that |x| ~ 0.ddd x 10^exp10: what
// mpfr_get_str gives. False, out untouched, for zero, NaN, an infinity and
// decimal exponents beyond about kExactDecimalScale.
bool DecimalDigits(mpfr_srcptr x, char* out, long long& exp10);

}  // namespace vxc
