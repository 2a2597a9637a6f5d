// Memory registers (RCL, STO, ST-, ST+), L.C.M. and G.C.D.
//
// REAL and the integer modes have a bank of ten registers each; `base`
// picks the bank at the moment of the key press. None of these keys
// changes lastX, and in REAL only a value past the range test raises an
// error; L.C.M./G.C.D. act like any two-operand key.
#include <string>

#include <gmpxx.h>

#include "decimal_text.h"
#include "integer.h"
#include "ops.h"
#include "real.h"

namespace vxc {
namespace {

Int128 ReadSignedInteger(const std::string& text) {
  return HasExponent(text) ? 0 : ParseInt128(text);
}

UInt128 ReadUnsignedInteger(const std::string& text) {
  return HasExponent(text) ? 0 : ParseUInt128(text, 10);
}

// The X operand of the integer modes: typed digits in the radix of the
// base, otherwise stackX in decimal.
Int128 IntegerXOperand(const CalcState& s) {
  if (!s.entryText.empty()) return ParseInt128InRadix(s.entryText, RadixOf(s.base));
  return ReadSignedInteger(s.stackX);
}

// 128-bit addition and subtraction that wrap instead of overflowing.
Int128 WrappingAdd(Int128 a, Int128 b) {
  return static_cast<Int128>(static_cast<UInt128>(a) + static_cast<UInt128>(b));
}
Int128 WrappingSub(Int128 a, Int128 b) {
  return static_cast<Int128>(static_cast<UInt128>(a) - static_cast<UInt128>(b));
}

void Recall(Engine& e, const std::string& registerText) {
  CalcState& s = e.state;
  if (s.xComplete && !s.liftDisabled) LiftStack(s, false);
  TerminateEntry(s);
  ClearEntry(s);
  // A hand-edited settings file can leave a register empty: it reads as 0.
  s.stackX = registerText.empty() ? "0" : registerText;
  s.xComplete = true;
  MarkDisplayStale(e);
}

// A REAL register holds only values the range test passes, the values the
// settings file loads back unchanged; a larger one (a pasted 1e299, a sum
// past 10^32) is "Overflow !" and the register keeps what it held.
bool StorableOrOverflow(Engine& e, const std::string& value) {
  if (!ResultOutOfRange(value)) return true;
  ReportError(e, CalcError::kOverflow);
  return false;
}

void RealMemoryKey(Engine& e, CommandId id, std::string& reg) {
  CalcState& s = e.state;
  switch (id) {
    case cmd::kSto: {
      // A typed number is stored exactly as typed and stays in the entry.
      std::string value = s.entryText.empty() ? s.stackX : ComposeEntryText(s.entryText, s.exponentText);
      if (!StorableOrOverflow(e, value)) return;
      reg = std::move(value);
      return;
    }
    case cmd::kStoAdd: {
      Real r = Real::FromString(FetchOperand(s));
      r.Add(Real::FromString(reg));
      std::string sum = r.ToCanonicalText();
      if (StorableOrOverflow(e, sum)) reg = std::move(sum);
      return;
    }
    default: {  // ST-: the register's new value is shown in X as well
      Real m = Real::FromString(reg);
      m.Sub(Real::FromString(FetchOperand(s)));
      std::string difference = m.ToCanonicalText();
      if (!StorableOrOverflow(e, difference)) return;
      reg = std::move(difference);
      s.stackX = ThirtyTwoDigitText(reg);
      s.xComplete = true;
      s.entryText.clear();
      s.exponentText.clear();
      // The typed entry is used up: left marked as typing or in its
      // exponent, the X line would show an empty entry instead of the new
      // value and the next digit would extend a lost exponent.
      s.entryTyped = false;
      s.exponentEntry = false;
      MarkDisplayStale(e);
      return;
    }
  }
}

void IntegerMemoryKey(CalcState& s, CommandId id, std::string& reg) {
  const Int128 x = IntegerXOperand(s);
  switch (id) {
    case cmd::kSto: reg = Int128ToString(x); return;
    case cmd::kStoAdd: reg = Int128ToString(WrappingAdd(ReadSignedInteger(reg), x)); return;
    default: reg = Int128ToString(WrappingSub(ReadSignedInteger(reg), x)); return;
  }
}

mpz_class ToMpz(UInt128 v) {
  mpz_class high = static_cast<unsigned long>(static_cast<uint64_t>(v >> 64));
  mpz_class low = static_cast<unsigned long>(static_cast<uint64_t>(v));
  return (high << 64) + low;
}

}  // namespace

void MemoryKey(Engine& e, CommandId id) {
  CalcState& s = e.state;
  if (s.errorShown || s.memoryIndex >= kMemoryCount) return;
  const bool integer = IsIntegerBase(s.base);
  std::string& reg = integer ? s.intMemory[s.memoryIndex] : s.realMemory[s.memoryIndex];
  if (id == cmd::kRcl) {
    Recall(e, reg);
  } else if (integer) {
    IntegerMemoryKey(s, id, reg);
  } else {
    RealMemoryKey(e, id, reg);
  }
}

namespace {

// A whole number text: an optional '-', digits with at most one point
// (one digit at least), then optionally "e", a sign and digits.
bool IsNumberText(std::string_view text) {
  size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
  const size_t intStart = i;
  i = SkipDecimalDigits(text, i);
  size_t digits = i - intStart;
  if (i < text.size() && text[i] == '.') {
    const size_t fracStart = ++i;
    i = SkipDecimalDigits(text, i);
    digits += i - fracStart;
  }
  if (digits == 0) return false;
  if (i == text.size()) return true;
  if (text[i] != 'e' && text[i] != 'E') return false;
  if (++i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  return i < text.size() && SkipDecimalDigits(text, i) == text.size();
}

}  // namespace

bool RepairRegisterText(std::string& text, bool realBank) {
  if (IsNumberText(text) && !(realBank && ResultOutOfRange(text))) return true;
  if (!realBank) {
    text = Int128ToString(HasExponent(text) ? 0 : ParseInt128(text));
    return false;
  }
  const Real value = Real::FromString(text);
  text = value.ToCanonicalText();
  if (ResultOutOfRange(text)) text = "0";
  return false;
}

std::string RegisterTextToSave(const std::string& text, size_t longest) {
  if (text.size() <= longest) return text;
  return Real::FromString(text).ToCanonicalText();
}

// Operands are read unsigned (a '-' reads as 0, a fraction is dropped).
// GMP works on the exact values, so operands of 2^64 or more neither divide
// by zero nor wrap the product; a result above 10^32 is "Overflow !".
void LcmGcd(Engine& e, CommandId id) {
  CalcState& s = e.state;
  if (s.errorShown || !IsIntegerBase(s.base)) return;
  const mpz_class y = ToMpz(ReadUnsignedInteger(FetchOperandPair(s)));
  const mpz_class x = ToMpz(ReadUnsignedInteger(s.entryText));
  mpz_class result = 0;
  if (y != 0 && x != 0) {
    if (id == cmd::kLcm) {
      mpz_lcm(result.get_mpz_t(), y.get_mpz_t(), x.get_mpz_t());
    } else {
      mpz_gcd(result.get_mpz_t(), y.get_mpz_t(), x.get_mpz_t());
    }
  }
  StoreResult(e, result.get_str(10));
  DropStack(s);
  MarkDisplayStale(e);
}

}  // namespace vxc
