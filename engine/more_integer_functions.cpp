// The integer-mode functions of the Function menu: MOD, the rotates, the
// bit count, the masks and the byte swap.
//
// Each works on X's word of the word size, read as the X panel reads it,
// and stores its result as the bitwise keys store theirs: the word read as
// a signed number. The X operand goes through FetchOperandPair, so LastX
// receives it; RLN, RRN and MOD combine Y and X and drop the stack.
#include <string>
#include <string_view>

#include "decimal_text.h"
#include "integer.h"
#include "ops.h"

namespace vxc {
namespace {

// Exact value of a register text; a text in exponent form can only be a
// tiny value left by SHR and reads 0.
mpz_class ReadExact(std::string_view text) { return HasExponent(text) ? mpz_class(0) : ParseBigInt(text); }

uint64_t RotateLeft(uint64_t w, unsigned n, const WordSize& word) {
  n %= static_cast<unsigned>(word.bits);
  if (n == 0) return w;
  return ((w << n) | (w >> (word.bits - n))) & word.mask;
}

// A bit count for RLN, RRN, MASKL and MASKR: X's whole value, which must lie
// in 0..N (a count of 2^64 is not a count of 0). -1 when it does not.
int CountOperand(std::string_view text, const WordSize& word) {
  const mpz_class n = ReadExact(text);
  return n >= 0 && n <= word.bits ? static_cast<int>(n.get_si()) : -1;
}

void Store(Engine& e, uint64_t w, const WordSize& word, bool drop) {
  StoreResult(e, SignedWordText(w, word));
  if (drop) DropStack(e.state);
  MarkDisplayStale(e);
}

void Refuse(Engine& e, CalcError error, bool drop) {
  ReportError(e, error);
  StoreResult(e, "", false);  // stores nothing while the error shows
  if (drop) DropStack(e.state);
  MarkDisplayStale(e);
}

}  // namespace

void IntegerModulo(Engine& e) {
  CalcState& s = e.state;
  const WordSize word = WordSizeOf(s.range);
  const std::string first = FetchOperandPair(s);
  const mpz_class x = ReadExact(s.entryText);
  if (x == 0) {
    Refuse(e, CalcError::kDivideByZero, true);
    return;
  }
  // The remainder of the division / makes: the dividend is Y's signed word,
  // the divisor X whole, the quotient truncated toward zero.
  const mpz_class y(static_cast<long>(word.Signed(Low64(ReadExact(first)))));
  mpz_class r;
  mpz_tdiv_r(r.get_mpz_t(), y.get_mpz_t(), x.get_mpz_t());
  Store(e, Low64(r), word, true);
}

void MoreIntegerFunction(Engine& e, CommandId id) {
  CalcState& s = e.state;
  const WordSize word = WordSizeOf(s.range);
  const std::string first = FetchOperandPair(s);
  if (id == cmd::kRotateLeftN || id == cmd::kRotateRightN) {
    const int n = CountOperand(s.entryText, word);
    if (n < 0) {
      Refuse(e, CalcError::kOverflow, true);
      return;
    }
    const uint64_t y = WordOfText(first, word);
    Store(e, RotateLeft(y, id == cmd::kRotateLeftN ? n : word.bits - n, word), word, true);
    return;
  }
  const uint64_t x = WordOfText(s.entryText, word);
  uint64_t r = 0;
  switch (id) {
    case cmd::kRotateLeft: r = RotateLeft(x, 1, word); break;
    case cmd::kRotateRight: r = RotateLeft(x, word.bits - 1, word); break;
    case cmd::kBitCount: r = static_cast<uint64_t>(__builtin_popcountll(x)); break;
    case cmd::kByteSwap: r = __builtin_bswap64(x) >> (64 - word.bits); break;
    default: {  // MASKL, MASKR
      const int n = CountOperand(s.entryText, word);
      if (n < 0) {
        Refuse(e, CalcError::kOverflow, false);
        return;
      }
      if (n == 0) break;
      const uint64_t ones = n == 64 ? ~uint64_t{0} : (uint64_t{1} << n) - 1;
      r = id == cmd::kMaskRight ? ones : (ones << (word.bits - n)) & word.mask;
      break;
    }
  }
  Store(e, r, word, false);
}

}  // namespace vxc
