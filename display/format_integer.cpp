// Integer formatting by base and word size.
//
// DEC shows a non-negative text as the signed value of its word ("200" in
// B shows -56) and a negative text as a signed 64-bit number, whatever the
// word (-200 shows -200 in B). HEX, OCT and BIN show a negative text as its two's complement in the
// word and a non-negative one unchanged, however many bits it has.
#include <string>

#include "decimal_text.h"
#include "display.h"
#include "integer_format.h"

namespace vxc {

void MaskToRange(mpz_class& value, const WordSize& word) {
  value = static_cast<unsigned long>(Low64(value) & word.mask);
}

bool SignedInRange(mpz_class& value, const WordSize& word) {
  const uint64_t w = word.SignExtend(Low64(value) & word.mask);
  if (static_cast<int64_t>(w) < 0) {
    value = static_cast<unsigned long>((~w & 0x7FFFFFFFFFFFFFFFull) + 1);  // 2^N minus the word
    return true;
  }
  value = static_cast<unsigned long>(w);
  return false;
}

LineText FormatInteger(std::string& text, uint32_t base, uint32_t range) {
  RoundToWholeNumber(text);
  mpz_class value = ParseBigInt(text);
  const WordSize word = WordSizeOf(range);
  if (base == kBaseDec) {
    if (value < 0) {
      // The low 64 bits read as a signed number: -200 stays -200 in B. For
      // a value below -2^63 (NEG of a QW word above 2^63, a negative SHL
      // result) this is the QW word's own reading, as HEX shows it, rather
      // than a magnitude made of bits that are not there.
      return {Int128ToString(static_cast<int64_t>(Low64(value))), ""};
    }
    const bool negative = SignedInRange(value, word);
    return {(negative ? "-" : "") + value.get_str(10), ""};
  }
  if (value < 0) MaskToRange(value, word);
  return {value.get_str(-RadixOf(base)), ""};  // a negative radix gives upper-case digits
}

}  // namespace vxc
