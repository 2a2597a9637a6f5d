// REAL formatting: FIX, SCI and ENG with their digit counts.
//
// The mantissa and exponent splits work on the digits of the canonical text
// directly; that gives the same texts as normalising by repeated division
// by ten, at a fraction of the cost.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "decimal_text.h"
#include "display.h"
#include "real.h"

namespace vxc {
namespace {

// FIX writes a huge value out in full only up to this decimal exponent.
constexpr long kLongestFixExponent = 999;

// The significant digits of a plain decimal text and its decimal exponent k
// (value = d.ddd x 10^k). Returns false for zero.
bool DecimalDigits(std::string_view text, std::string& digits, long& k) {
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  const size_t point = std::min(text.find('.'), text.size());
  std::string all;
  all.reserve(text.size());
  for (char c : text) {
    if (c >= '0' && c <= '9') all += c;
  }
  const size_t first = all.find_first_not_of('0');
  if (first == std::string::npos) return false;
  k = static_cast<long>(point) - static_cast<long>(first) - 1;
  digits = all.substr(first);
  digits.erase(digits.find_last_not_of('0') + 1);
  return true;
}

std::string SignedExponentText(long k) {
  return std::string(k < 0 ? "e-" : "e+") + std::to_string(k < 0 ? -k : k);
}

// Mantissa text with `intDigits` digits before the point.
std::string PlaceDigits(bool negative, std::string digits, size_t intDigits) {
  if (digits.size() < intDigits) digits.append(intDigits - digits.size(), '0');
  std::string out = negative ? "-" : "";
  out += digits.substr(0, intDigits);
  if (digits.size() > intDigits) out += "." + digits.substr(intDigits);
  return out;
}

std::pair<std::string, std::string> SplitByGroup(std::string_view text, long group) {
  const size_t e = text.find('e');
  if (e != std::string_view::npos) return {std::string(text.substr(0, e)), std::string(text.substr(e))};
  std::string digits;
  long k = 0;
  if (!DecimalDigits(text, digits, k)) return {"0", "e+0"};
  const bool negative = !text.empty() && text[0] == '-';
  // Floor division, so that 0.00012 in groups of three becomes 120e-6.
  const long kGroup = (k >= 0 ? k / group : -((-k + group - 1) / group)) * group;
  return {PlaceDigits(negative, std::move(digits), static_cast<size_t>(k - kGroup + 1)), SignedExponentText(kGroup)};
}

// Positional text of a value for FIX. Beyond the canonical range a tiny
// value reads as zero (it rounds to zero at any digit count) and a huge
// one is written out in full.
std::string FixedText(const Real& value) {
  std::string canonical = value.ToCanonicalText();
  const size_t e = canonical.find('e');
  if (e == std::string::npos) return canonical;
  const long k = std::stol(canonical.substr(e + 1));
  if (k < 0) return "0";
  if (k > kLongestFixExponent) return canonical;
  std::string digits;
  long unused = 0;
  DecimalDigits(std::string_view(canonical).substr(0, e), digits, unused);
  return PlaceDigits(value.IsNegative(), std::move(digits), static_cast<size_t>(k) + 1);
}

}  // namespace

std::pair<std::string, std::string> SplitScientific(std::string_view text) { return SplitByGroup(text, 1); }

std::pair<std::string, std::string> SplitEngineering(std::string_view text) { return SplitByGroup(text, 3); }

std::string GroupThousands(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 3 + 1);
  if (!text.empty() && text[0] == '-') {
    out += '-';
    text.remove_prefix(1);
  }
  const size_t point = std::min(text.find('.'), text.size());
  for (size_t i = 0; i < point; ++i) {
    out += text[i];
    const size_t remaining = point - i - 1;
    if (remaining != 0 && remaining % 3 == 0) out += ',';
  }
  out += text.substr(point);
  return out;
}

LineText FormatReal(std::string_view text, uint32_t display, int digits) {
  if (text.empty()) return {};
  const bool negative = text[0] == '-';
  // Registers mostly hold canonical text already; only other texts need
  // the round trip through a number.
  const bool canonical = IsCanonicalDecimal(text);
  LineText line;
  if (display == kDisplaySci || display == kDisplayEng) {
    const std::string converted = canonical ? std::string() : Real::FromString(text).ToCanonicalText();
    const std::string_view normal = canonical ? text : std::string_view(converted);
    auto [mantissa, exponent] = display == kDisplaySci ? SplitScientific(normal) : SplitEngineering(normal);
    line.exponent = std::to_string(std::strtoll(exponent.c_str() + 1, nullptr, 10));
    line.main = RoundDigitsPadded(mantissa, digits);
  } else {
    const std::string converted = canonical ? std::string() : FixedText(Real::FromString(text));
    line.main = GroupThousands(RoundDigitsPadded(canonical ? text : std::string_view(converted), digits));
  }
  // A value that rounds to zero keeps its sign, so a typed "-0" shows "-0.00".
  if (negative && !line.main.empty() && line.main[0] != '-') line.main.insert(line.main.begin(), '-');
  return line;
}

}  // namespace vxc
