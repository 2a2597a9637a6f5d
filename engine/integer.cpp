#include "integer.h"

#include <algorithm>

#include "decimal_text.h"

namespace vxc {
namespace {

// Unsigned digits from position i; wraps modulo 2^128.
UInt128 ReadDigits(std::string_view text, size_t i, int radix) {
  UInt128 value = 0;
  for (; i < text.size(); ++i) {
    const int d = DigitValue(text[i]);
    if (d >= radix) break;
    value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
  }
  return value;
}

}  // namespace

WordSize WordSizeOf(uint32_t range) {
  switch (range) {
    case 1: return {32, 0xFFFFFFFFull, 1ull << 31};
    case 2: return {16, 0xFFFFull, 1ull << 15};
    case 3: return {8, 0xFFull, 1ull << 7};
    default: return {64, ~0ull, 1ull << 63};
  }
}

Int128 ParseInt128InRadix(std::string_view text, int radix) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  const UInt128 magnitude = ReadDigits(text, i, radix);
  return static_cast<Int128>(negative ? UInt128(0) - magnitude : magnitude);
}

uint64_t ParseLow64InRadix(std::string_view text, int radix) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  uint64_t value = 0;  // wraps: the low bits of a product depend only on low bits
  for (; i < text.size(); ++i) {
    const int d = DigitValue(text[i]);
    if (d >= radix) break;
    value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
  }
  return negative ? uint64_t(0) - value : value;
}

Int128 ParseInt128(std::string_view text) { return ParseInt128InRadix(text, 10); }

UInt128 ParseUInt128(std::string_view text, int radix) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return ReadDigits(text, i, radix);
}

std::string UInt128ToString(UInt128 value, int radix) {
  if (value == 0) return "0";
  std::string out;
  while (value != 0) {
    out += "0123456789ABCDEF"[static_cast<int>(value % static_cast<unsigned>(radix))];
    value /= static_cast<unsigned>(radix);
  }
  std::reverse(out.begin(), out.end());
  return out;
}

std::string Int128ToString(Int128 value) {
  if (value < 0) return "-" + UInt128ToString(UInt128(0) - static_cast<UInt128>(value));
  return UInt128ToString(static_cast<UInt128>(value));
}

mpz_class ParseBigInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  size_t end = i;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  mpz_class value;
  if (end > i) value.set_str(std::string(text.substr(i, end - i)), 10);
  if (negative) value = -value;
  return value;
}

uint64_t Low64(const mpz_class& v) {
  // mpz_get_ui gives the low bits of the magnitude; unsigned long is 64 bits here.
  static_assert(sizeof(unsigned long) == sizeof(uint64_t));
  const uint64_t low = mpz_get_ui(v.get_mpz_t());
  return mpz_sgn(v.get_mpz_t()) < 0 ? uint64_t(0) - low : low;
}

uint64_t WordOfText(std::string_view text, const WordSize& word) {
  bool fraction = false;
  for (char c : text) {  // one pass: the display calls this on every refresh
    if (c == 'e' || c == 'E') return 0;
    fraction = fraction || c == '.';
  }
  // Only a text with a fraction needs the rounding.
  const std::string rounded = fraction ? RoundDigits(text, 0) : std::string();
  return ParseLow64InRadix(fraction ? std::string_view(rounded) : text, 10) & word.mask;
}

std::string UnsignedWordText(UInt128 value, const WordSize& word) {
  return UInt128ToString(word.Low(value));
}

std::string SignedWordText(UInt128 value, const WordSize& word) {
  return Int128ToString(word.Signed(value));
}

}  // namespace vxc
