#include "decimal_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vxc {

namespace {

// RoundDigits into `out`; with `pad`, decimals are added up to n (and a
// point when n > 0) in front of the "e" tail.
void RoundInto(std::string_view text, int n, bool pad, std::string& out) {
  if (n < 0) n = 0;
  // The exponent letter (the first of either case) ends the digits; the
  // point counts only in front of it.
  const size_t e = std::min({text.find('e'), text.find('E'), text.size()});
  const size_t p = std::min(text.substr(0, e).find('.'), e);
  const std::string_view head = text.substr(0, e);
  const std::string_view tail = text.substr(e);
  const size_t i = std::min(p + 1 + static_cast<size_t>(n), head.size());  // first dropped character
  out.clear();
  out.reserve(std::min(i, head.size()) + tail.size() + (pad ? static_cast<size_t>(n) + 2 : 2));

  if (i < head.size() && head[i] >= '5' && head[i] <= '9') {
    // Half away from zero: the magnitude grows by one unit in the last kept
    // place. The carry runs leftwards through the kept digits and stops at
    // the first digit below 9, or in front of a character that is no digit.
    const size_t sign = !head.empty() && head[0] == '-' ? 1 : 0;
    out.assign(head.substr(0, i));
    size_t k = i;
    bool carry = true;
    size_t insertAt = sign;
    while (carry && k > sign) {
      char& c = out[--k];
      if (c == '.') continue;
      if (c >= '0' && c <= '8') {
        ++c;
        carry = false;
      } else if (c == '9') {
        c = '0';
      } else {
        insertAt = k + 1;
        break;
      }
    }
    if (carry) out.insert(out.begin() + static_cast<long>(insertAt), '1');
    // Like a number printed afresh: no leading zeros before the units, and
    // a zero before a leading point.
    size_t start = sign;
    while (start + 1 < out.size() && out[start] == '0' && out[start + 1] != '.') ++start;
    out.erase(sign, start - sign);
    if (out.size() > sign && out[sign] == '.') out.insert(out.begin() + static_cast<long>(sign), '0');
  } else {
    // Nothing to carry: the digits up to the last kept decimal (without a
    // point when none is kept).
    const size_t keep = p >= head.size() ? head.size() : n == 0 ? p : i;
    out.assign(head.substr(0, keep));
  }

  const size_t point = out.find('.');
  if (point != std::string::npos) {
    const size_t keep = n == 0 ? point : point + 1 + static_cast<size_t>(n);
    if (keep < out.size()) out.resize(keep);
  }
  if (pad && n > 0) {
    if (point == std::string::npos) out += '.';
    out.append(static_cast<size_t>(n) - (out.size() - 1 - out.find('.')), '0');
  }
  out.append(tail);
}

// Whether all eight bytes of `w` are '0'..'9': the high nibble of each is 3,
// and adding 6 to each keeps it 3 (no byte above '9').
bool AllDigits(uint64_t w) {
  constexpr uint64_t kHigh = 0xF0F0F0F0F0F0F0F0ULL, kThrees = 0x3030303030303030ULL, kSixes = 0x0606060606060606ULL;
  return (w & kHigh) == kThrees && ((w + kSixes) & kHigh) == kThrees;
}

}  // namespace

size_t SkipDecimalDigits(std::string_view text, size_t i) {
  const size_t n = text.size();
  for (uint64_t w; i + 8 <= n; i += 8) {
    std::memcpy(&w, text.data() + i, 8);
    if (!AllDigits(w)) break;
  }
  while (i < n && text[i] >= '0' && text[i] <= '9') ++i;
  return i;
}

bool TidyPlainDecimal(std::string_view text, size_t maxDigits, std::string& out) {
  const size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
  const size_t intEnd = SkipDecimalDigits(text, sign);
  const bool point = intEnd < text.size() && text[intEnd] == '.';
  const size_t end = point ? SkipDecimalDigits(text, intEnd + 1) : intEnd;
  if (end != text.size() || end - sign == (point ? 1u : 0u)) return false;
  // The significant digits run from the first non-zero to the last one.
  const size_t first = text.find_first_not_of("0.", sign);
  if (first == std::string_view::npos) {
    out = "0";
    return true;
  }
  const size_t last = text.find_last_not_of("0.");
  const bool straddles = first < intEnd && last > intEnd;
  const size_t count = last - first + 1 - (straddles ? 1 : 0);
  // value = d.ddd x 10^k
  const long long k = first < intEnd ? static_cast<long long>(intEnd - first) - 1
                                     : static_cast<long long>(intEnd) - static_cast<long long>(first);
  if (count > maxDigits || k < -99 || k > 99) return false;
  std::string d(text.substr(first, last - first + 1));
  if (straddles) d.erase(intEnd - first, 1);
  out.clear();
  if (sign) out += '-';
  AppendPositional(out, d, k);
  return true;
}

void AppendPositional(std::string& out, std::string_view d, long long k) {
  if (k < 0) {
    out.append("0.").append(static_cast<size_t>(-k - 1), '0').append(d);
    return;
  }
  const size_t intDigits = static_cast<size_t>(k) + 1;
  if (d.size() <= intDigits) {
    out.append(d).append(intDigits - d.size(), '0');
  } else {
    out.append(d.substr(0, intDigits)).append(".").append(d.substr(intDigits));
  }
}

std::string RoundDigits(std::string_view text, int n) {
  std::string out;
  RoundInto(text, n, false, out);
  return out;
}

std::string RoundDigitsPadded(std::string_view text, int n) {
  std::string out;
  RoundInto(text, n, true, out);
  return out;
}

void RoundToWholeNumber(std::string& text) {
  if (text.find_first_of(".eE") == std::string::npos && text != "-0") return;  // already whole
  if (text.find_first_of("eE") != std::string::npos) {
    text = "0";
    return;
  }
  text = RoundDigits(text, 0);
  if (text == "-0") text = "0";  // -0.4 rounds to the integer 0
}

std::string ThirtyTwoDigitText(const std::string& canonical) {
  // Zeros between the point and the first significant digit are no digits:
  // counted as characters they would round e^-100 to 0. Such a value keeps
  // the 31 significant decimals that a value from 0.1 up keeps.
  const size_t sign = !canonical.empty() && canonical[0] == '-' ? 1 : 0;
  if (canonical.compare(sign, 3, "0.0") == 0 && canonical.find('e') == std::string::npos) {
    const size_t first = canonical.find_first_not_of('0', sign + 2);
    if (first != std::string::npos) return RoundDigits(canonical, static_cast<int>(31 + first - sign - 2));
  }
  size_t limit = 32;
  if (!canonical.empty() && canonical[0] == '-') ++limit;
  if (canonical.find('.') != std::string::npos) ++limit;
  if (canonical.size() <= limit) return canonical;
  // Round once to find where the point then stands, then round the
  // original text so that the whole fits in `limit` characters.
  const std::string first = RoundDigits(canonical, static_cast<int>(limit));
  const size_t p = first.find('.');
  if (p == std::string::npos) return canonical;
  const long decimals = static_cast<long>(limit) - static_cast<long>(p) - 1;
  return RoundDigits(canonical, static_cast<int>(std::max(decimals, 0L)));
}

}  // namespace vxc
