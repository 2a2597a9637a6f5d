#include "decimal_text.h"

#include <algorithm>

namespace vxc {

std::string RoundDigits(std::string_view text, int n) {
  if (n < 0) n = 0;
  const size_t p = std::min(text.find('.'), text.size());
  const size_t e = std::min(text.find_first_of("eE"), text.size());
  std::string_view tail = text.substr(e);
  std::string work(text.substr(0, e));

  const size_t i = std::min(p + 1 + static_cast<size_t>(n), work.size());
  if (i < work.size() && work[i] >= '5' && work[i] <= '9') {
    // Half away from zero: the magnitude grows by one unit in the last
    // kept place. The digits after i are dropped below, so they are cut
    // here and the carry runs leftwards through the kept digits.
    const bool negative = !work.empty() && work[0] == '-';
    std::string digits = work.substr(negative ? 1 : 0, i - (negative ? 1 : 0));
    size_t k = digits.size();
    size_t insertAt = 0;
    bool carry = true;
    while (carry && k > 0) {
      --k;
      char& c = digits[k];
      if (c == '.') continue;
      if (c >= '0' && c <= '8') {
        ++c;
        carry = false;
      } else if (c == '9') {
        c = '0';
      } else {
        insertAt = k + 1;  // not a digit: the carry stops in front of it
        break;
      }
    }
    if (carry) digits.insert(digits.begin() + static_cast<long>(insertAt), '1');
    // Like a number printed afresh: no leading zeros before the units.
    size_t start = 0;
    while (start + 1 < digits.size() && digits[start] == '0' && digits[start + 1] != '.') ++start;
    digits.erase(0, start);
    if (!digits.empty() && digits[0] == '.') digits.insert(digits.begin(), '0');
    work = (negative ? "-" : "") + digits;
  }

  const size_t point = work.find('.');
  if (point != std::string::npos) {
    const size_t keep = n == 0 ? point : point + 1 + static_cast<size_t>(n);
    if (keep < work.size()) work.resize(keep);
  }
  work += tail;
  return work;
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
