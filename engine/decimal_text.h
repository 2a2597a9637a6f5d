// Decimal rounding on number texts, shared by the display and by the
// commands that store a 32-digit result.
#pragma once

#include <string>
#include <string_view>

namespace vxc {

// Character classes of number texts, shared by the readers.
inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
// The value of a digit up to F (either case); 99 for any other character.
inline int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}
// The end of the run of decimal digits that starts at `i`. Register texts
// run to 76 digits; eight are checked at a time.
size_t SkipDecimalDigits(std::string_view text, size_t i);

// A register text in "e" form. In the integer modes it can only be a tiny
// value left by SHR, which reads as 0.
inline bool HasExponent(std::string_view text) { return text.find_first_of("eE") != std::string_view::npos; }

// Rounds `text` to `n` decimals, half away from zero at the first dropped
// digit. An "e..." tail is kept as it stands. A text with fewer decimals
// stays whole; n = 0 keeps no point.
std::string RoundDigits(std::string_view text, int n);
// The same, then padded with zeros to exactly n decimals (as the display
// shows FIX, SCI and ENG); n = 0 shows no point.
std::string RoundDigitsPadded(std::string_view text, int n);

// The integer modes read a register text as the integer it rounds to,
// half away from zero; a text in "e" form is a tiny value left by SHR and
// reads as 0. Rewrites `text` into that integer ("-0" becomes "0").
void RoundToWholeNumber(std::string& text);

// The print of the value a plain decimal text reads as ([-]digits[.digits],
// no exponent, no blank), made from the text alone when it has at most
// `maxDigits` significant digits and its decimal exponent lies in -99..99.
// A 256-bit value lies far closer to such a text than half a unit of its
// last printed digit, so its print is the text tidied: leading and trailing
// zeros dropped, "0" for zero. Returns false, `out` untouched, otherwise.
bool TidyPlainDecimal(std::string_view text, size_t maxDigits, std::string& out);
// Appends d.ddd x 10^k (k in -99..99, d without trailing zeros) in
// positional form: "0.000ddd", "ddd00" or "dd.dd".
void AppendPositional(std::string& out, std::string_view d, long long k);

// The 32-digit form of a canonical text (pi, e^X, ST-): at most 32 digits,
// plus the sign and the point, rounded like the display.
std::string ThirtyTwoDigitText(const std::string& canonical);

}  // namespace vxc
