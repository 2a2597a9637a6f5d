// Integer modes: integer + - x /, the bit keys, and the BASE and RANGE
// switches that convert the stack between REAL and integer texts.
//
// Every value stays decimal text. Word-size reductions go through WordSize
// (integer.h); the base only matters for typed digits and for the display.
#include <string>
#include <string_view>

#include "decimal_text.h"
#include "integer.h"
#include "ops.h"
#include "real.h"

namespace vxc {
namespace {

// 128-bit reading of a register text. A text in exponent form can only be
// a tiny value left by SHR; it reads as 0, the integer it rounds to (the
// display reads it the same way).
UInt128 ReadWord128(std::string_view text) {
  return HasExponent(text) ? 0 : static_cast<UInt128>(ParseInt128(text));
}

// Exact reading, for ÷ and the bit keys.
mpz_class ReadBig(std::string_view text) { return HasExponent(text) ? mpz_class(0) : ParseBigInt(text); }

// A REAL text as a 128-bit integer: its value truncated toward zero and
// reduced modulo 2^128. Plain decimal text is read digit by digit; a text in
// exponent form (a pasted 1e200, a typed 1.5e3 left in LastX) by its value,
// so that it does not read as its leading digit.
Int128 RealTextToInt128(std::string_view text) {
  if (!HasExponent(text)) return ParseInt128(text);
  const Real value = Real::FromString(text);
  mpfr_srcptr r = value.raw();
  if (!mpfr_number_p(r) || mpfr_zero_p(r)) return 0;
  // value = m x 2^(exp - 256) with an integer m: from 2^384 on, every value
  // is a multiple of 2^128. Checked before converting, so that a huge
  // exponent costs nothing.
  if (mpfr_get_exp(r) > static_cast<mpfr_exp_t>(kRealBits + 128)) return 0;
  mpz_class whole;
  mpfr_get_z(whole.get_mpz_t(), r, MPFR_RNDZ);
  mpz_class high;
  mpz_fdiv_q_2exp(high.get_mpz_t(), whole.get_mpz_t(), 64);
  const UInt128 bits = (static_cast<UInt128>(Low64(high)) << 64) | Low64(whole);
  return static_cast<Int128>(bits);
}

// The signed word text of an integer-mode text: what it becomes in REAL.
std::string SignedWordTextOf(std::string_view text, const WordSize& word) {
  return SignedWordText(Low64(ReadBig(text)), word);
}

void DivideInWord(Engine& e, const std::string& first, const WordSize& word) {
  CalcState& s = e.state;
  const mpz_class x = ReadBig(s.entryText);
  if (x == 0) {
    ReportError(e, CalcError::kDivideByZero);  // nothing is stored, the stack still drops
    DropStack(s);
    MarkDisplayStale(e);
    return;
  }
  // Signed division within the word: the dividend is its signed word value,
  // the divisor is taken whole; the quotient truncates toward zero.
  const mpz_class y(static_cast<long>(word.Signed(Low64(ReadBig(first)))));
  mpz_class q;
  mpz_tdiv_q(q.get_mpz_t(), y.get_mpz_t(), x.get_mpz_t());
  StoreResult(e, UnsignedWordText(Low64(q), word));
  DropStack(s);
  MarkDisplayStale(e);
}

// Doubling is exact, so y x 2^n and y / 2^n are formed at once. From 2^333
// on (above 10^100) the result fails the range test whatever its sign, so
// it is reported without printing a number of billions of digits.
void Shift(Engine& e, const std::string& first, bool left) {
  CalcState& s = e.state;
  constexpr mpfr_exp_t kBeyondRangeTest = 333;
  Real y = Real::FromString(first);
  const uint64_t n = Real::FromString(s.entryText).ToUInt();
  int code = left ? y.MulPow2(n) : y.DivPow2(n);
  if (code == kRealOk && !y.IsZero() && mpfr_get_exp(y.raw()) > kBeyondRangeTest) code = kRealCarry;
  if (code != kRealOk) {
    ReportError(e, CalcError::kOverflow);
    StoreResult(e, "", false);  // stores nothing while the error shows
  } else {
    // A result below 1 in magnitude always passes the range test; skipping
    // it spares reading back a text like 3.6e-694127911065419638.
    StoreResult(e, y.ToCanonicalText(), y.IsZero() || mpfr_get_exp(y.raw()) > 0);
  }
  DropStack(s);
  MarkDisplayStale(e);
}

}  // namespace

void IntegerArithmetic(Engine& e, CommandId id) {
  CalcState& s = e.state;
  const WordSize word = WordSizeOf(s.range);
  const std::string first = FetchOperandPair(s);
  if (id == cmd::kDiv) {
    DivideInWord(e, first, word);
    return;
  }
  // 128-bit two's complement, wrapping; only the low word is kept.
  const UInt128 y = ReadWord128(first);
  const UInt128 x = ReadWord128(s.entryText);
  std::string result;
  bool checkRange = true;
  switch (id) {
    case cmd::kAdd: result = UnsignedWordText(y + x, word); break;
    case cmd::kSub:
      // DEC shows a difference signed; the other bases show the word.
      checkRange = s.base == kBaseDec;
      result = checkRange ? SignedWordText(y - x, word) : UnsignedWordText(y - x, word);
      break;
    default: result = UnsignedWordText(y * x, word); break;
  }
  StoreResult(e, result, checkRange);
  DropStack(s);
  MarkDisplayStale(e);
}

void BitOperation(Engine& e, CommandId id) {
  CalcState& s = e.state;
  const WordSize word = WordSizeOf(s.range);
  // The X operand ends in entryText, so StoreResult makes it LastX; NEG and
  // NOT ignore the first operand but drop the stack all the same.
  const std::string first = FetchOperandPair(s);
  if (id == cmd::kShl || id == cmd::kShr) {
    Shift(e, first, id == cmd::kShl);
    return;
  }
  std::string result;
  if (id == cmd::kNeg || id == cmd::kNot) {
    // Within 128 bits, not the word: the display shows the word.
    const UInt128 x = ReadWord128(s.entryText);
    result = Int128ToString(static_cast<Int128>(id == cmd::kNeg ? UInt128(0) - x : ~x));
  } else {
    // Bitwise results in the word depend only on the operands' low bits.
    const uint64_t y = Low64(ReadBig(first));
    const uint64_t x = Low64(ReadBig(s.entryText));
    uint64_t r = 0;
    switch (id) {
      case cmd::kAnd: r = y & x; break;
      case cmd::kOr: r = y | x; break;
      case cmd::kXor: r = y ^ x; break;
      default: r = ~(y ^ x); break;  // XNOR
    }
    result = SignedWordText(r, word);
  }
  StoreResult(e, result);
  DropStack(s);
  MarkDisplayStale(e);
}

namespace {

// The switch of `base` to b (b != base): the entry becomes X, and the stack
// and LastX are converted between REAL and integer texts.
void SetBase(CalcState& s, uint32_t b) {
  if (!s.entryText.empty()) {
    CommitEntry(s);  // read in the old base
  } else {
    s.entryText = s.stackX;
  }
  const WordSize word = WordSizeOf(s.range);
  const bool fromReal = !IsIntegerBase(s.base);
  const bool toReal = !IsIntegerBase(b);
  if (!toReal && (s.entryText.empty() || s.entryText[0] != '-')) {
    const UInt128 value = fromReal ? static_cast<UInt128>(RealTextToInt128(s.entryText)) : ReadWord128(s.entryText);
    s.entryText = UnsignedWordText(value, word);
  }
  std::string* const texts[] = {&s.stackT, &s.stackZ, &s.stackY, &s.lastX, &s.entryText};
  if (fromReal && !toReal) {
    for (std::string* text : texts) *text = Int128ToString(RealTextToInt128(*text));
  } else if (!fromReal && toReal) {
    for (std::string* text : texts) *text = SignedWordTextOf(*text, word);
  }
  s.stackX = s.entryText;
  ClearEntry(s);
  s.xComplete = true;
  s.base = b;
}

// A register text moved to another word size. Narrowing keeps the low bits;
// widening sign-extends the old word, and QW then shows a set bit 63 as a
// negative value.
std::string ConvertToRange(const std::string& text, const WordSize& from, const WordSize& to) {
  const UInt128 value = ReadWord128(text);
  if (to.bits > from.bits) {
    const uint64_t extended = from.SignExtend(from.Low(value));
    if (to.bits == 64) return Int128ToString(static_cast<int64_t>(extended));
    return UnsignedWordText(extended, to);
  }
  return UnsignedWordText(value, to);
}

}  // namespace

void SelectBase(Engine& e, uint32_t base) {
  if (!e.state.errorShown) FocusSelectBase(e, base);  // the BASE group is disabled during an error
}

void FocusSelectBase(Engine& e, uint32_t base) {
  CalcState& s = e.state;
  UndoStep step(e, MemoryUse::kKept);
  const uint32_t b = base <= kBaseBin ? base : kBaseReal;
  TapeEntry tape(e, Action{ActionKind::kBase, b}, b != s.base ? TapeKind::kName : TapeKind::kNone);
  if (b != s.base) {
    if (s.errorShown) {
      // CLX empties the entry line anyway; only the registers are converted.
      s.entryText.clear();
      s.exponentText.clear();
    }
    SetBase(s, b);
  }
  MarkDisplayStale(e);
}

void SetRange(Engine& e, uint32_t range) {
  CalcState& s = e.state;
  UndoStep step(e, MemoryUse::kKept);
  if (range > kRangeB) return;
  TapeEntry tape(e, Action{ActionKind::kRange, range}, range != s.range ? TapeKind::kName : TapeKind::kNone);
  if (!IsIntegerBase(s.base)) {
    // The RANGE group is hidden in REAL: REAL texts are never cut to a word.
    s.range = range;
    MarkDisplayStale(e);
    return;
  }
  // Works during an error too (the RANGE group stays enabled): the texts are
  // then converted in place and StoreResult stores nothing.
  s.entryText = s.entryText.empty() ? s.stackX : IntegerEntryToDecimal(s);
  const WordSize from = WordSizeOf(s.range);
  const WordSize to = WordSizeOf(range);
  for (std::string* text : {&s.entryText, &s.stackX, &s.stackY, &s.stackZ, &s.stackT}) {
    *text = ConvertToRange(*text, from, to);
  }
  const std::string x = s.entryText;
  StoreResult(e, x);
  s.range = range;  // before the refresh, so the new word size shows at once
  MarkDisplayStale(e);
}

void FlipBit(Engine& e, uint32_t bit) {
  CalcState& s = e.state;
  UndoStep step(e, MemoryUse::kKept);
  if (s.errorShown || !IsIntegerBase(s.base)) return;
  const WordSize word = WordSizeOf(s.range);
  if (bit >= static_cast<uint32_t>(word.bits)) return;
  TapeEntry tape(e, {}, TapeKind::kBit, int32_t(bit));
  // The word the panel shows: a typed entry by its value, else X rounded.
  const uint64_t w = s.Typing() ? ParseLow64InRadix(s.entryText, RadixOf(s.base)) & word.mask
                                : WordOfText(s.stackX, word);
  s.stackX = SignedWordText(w ^ (uint64_t{1} << bit), word);
  // A finished number, like a result: the next digit lifts it. LastX keeps
  // its value, since no operation ran.
  ClearEntry(s);
  s.xComplete = true;
  MarkDisplayStale(e);
}

}  // namespace vxc
