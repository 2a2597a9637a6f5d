// Integer helpers of the integer modes: 128-bit reading and printing, and
// the word size (mask, sign bit, sign extension) kept in one place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <gmpxx.h>

namespace vxc {

using Int128 = __int128;
using UInt128 = unsigned __int128;

struct WordSize {
  int bits;          // 64, 32, 16, 8
  uint64_t mask;     // 2^bits - 1
  uint64_t signBit;  // 2^(bits-1)

  // Largest signed value, 2^(bits-1) - 1.
  uint64_t MaxSigned() const { return signBit - 1; }
  // The low word of v (v mod 2^bits).
  uint64_t Low(UInt128 v) const { return static_cast<uint64_t>(v) & mask; }
  // A word (already within the mask) with the bits above it set when its
  // sign bit is set: the same signed value in 64 bits.
  uint64_t SignExtend(uint64_t w) const { return (w & signBit) ? (w | ~mask) : w; }
  // The low word of v read as a signed number of `bits` bits.
  int64_t Signed(UInt128 v) const { return static_cast<int64_t>(SignExtend(Low(v))); }
};

// QW, DW, W, B; an unknown code counts as QW.
WordSize WordSizeOf(uint32_t range);

// Decimal reading: blanks skipped, optional sign, digits up to the first
// other character ("2.5" reads 2, "-3.7" reads -3, "" reads 0). Values
// beyond 128 bits are reduced modulo 2^128.
Int128 ParseInt128(std::string_view text);
// Reading in `radix` (2, 8, 10, 16) with an optional leading sign.
Int128 ParseInt128InRadix(std::string_view text, int radix);
// The low 64 bits of the same reading, two's complement for a '-' (all
// the word sizes need), without 128-bit arithmetic.
uint64_t ParseLow64InRadix(std::string_view text, int radix);
// Unsigned reading in `radix`: blanks skipped, digits up to the first other
// character; a leading '-' therefore reads as 0.
UInt128 ParseUInt128(std::string_view text, int radix);

std::string Int128ToString(Int128 value);
std::string UInt128ToString(UInt128 value, int radix = 10);

// Exact reading of a decimal text (sign, digits up to the first other
// character), for the operations that need more than 128 bits.
mpz_class ParseBigInt(std::string_view text);
// The lowest 64 bits of v in two's complement (v mod 2^64).
uint64_t Low64(const mpz_class& v);

// The word of a register text: its value rounded half away from zero, as
// the display rounds it, then reduced to the word. A text in exponent form
// (a tiny value left by SHR) reads 0, the integer it rounds to.
uint64_t WordOfText(std::string_view text, const WordSize& word);

// v mod 2^N in decimal: 0 .. 2^N - 1.
std::string UnsignedWordText(UInt128 value, const WordSize& word);
// v mod 2^N read as an N-bit two's complement number, in decimal.
std::string SignedWordText(UInt128 value, const WordSize& word);

}  // namespace vxc
