// Paste: the clipboard text cleaned into the entry line.
//
// Cleaning keeps the characters that make a number in the current base and
// stops at the first byte that cannot belong to one. A "0x" prefix reads
// the rest as hexadecimal in every mode.
#include <string>

#include "integer.h"
#include "ops.h"

namespace vxc {
namespace {

bool IsBlankByte(unsigned char c) { return c == 0x20 || (c >= 0x09 && c <= 0x0D); }

bool StartsWith(const std::string& s, std::string_view prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// The minus signs a REAL paste may begin with: ASCII '-', the three-byte
// minus of the old 8-bit clipboard, and U+2212 MINUS SIGN in UTF-8.
size_t LeadingMinusLength(const std::string& s) {
  if (StartsWith(s, "-")) return 1;
  if (StartsWith(s, "\x80\x6E\x8A")) return 3;
  if (StartsWith(s, "\xE2\x88\x92")) return 3;
  return 0;
}

// The value of the hexadecimal digits `hex` (wrapped to 128 bits, bit 127
// read as the sign) written in the radix of `base`.
std::string HexInBase(const std::string& hex, uint32_t base) {
  const UInt128 value = ParseUInt128(hex, 16);
  const int radix = base == kBaseOct ? 8 : base == kBaseBin ? 2 : 10;
  if (value >> 127) return "-" + UInt128ToString(UInt128(0) - value, radix);
  return UInt128ToString(value, radix);
}

}  // namespace

std::string CleanPastedText(std::string_view text, uint32_t base) {
  std::string s;
  s.reserve(text.size());
  for (char c : text) {
    if (!IsBlankByte(static_cast<unsigned char>(c))) s += c;
  }

  const bool hexPrefix = StartsWith(s, "0x") || StartsWith(s, "0X");
  const bool real = !IsIntegerBase(base);
  const int radix = hexPrefix ? 16 : RadixOf(base);
  const bool readReal = real && !hexPrefix;

  std::string r;
  r.reserve(s.size());
  size_t i = hexPrefix ? 2 : 0;
  if (readReal) {
    const size_t minus = LeadingMinusLength(s);
    if (minus > 0) r = "-";
    i = minus;
  }
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9' && c - '0' < radix) {
      r += c;
    } else if (radix == 16 && c >= 'a' && c <= 'f') {
      r += static_cast<char>(c - 'a' + 'A');
    } else if (radix == 16 && c >= 'A' && c <= 'F') {
      r += c;
    } else if (readReal && c == '.') {
      r += c;
    } else if (c != ',') {
      break;  // also every byte from 0x80 up
    }
  }

  if (hexPrefix && base != kBaseHex) return HexInBase(r, base);
  return r;
}

// Pasting types the number: a finished X is pushed first, as a typed digit
// would, and the pasted text becomes an entry that further digits extend.
void PasteEntry(Engine& e, std::string_view text) {
  CalcState& s = e.state;
  if (s.errorShown) return;
  std::string cleaned = CleanPastedText(text, s.base);
  if (!cleaned.empty()) {
    if (s.xComplete && !s.liftDisabled) LiftStack(s, true);
    s.entryText = std::move(cleaned);
    s.exponentText.clear();
    s.entryTyped = true;
    s.liftDisabled = false;
    s.exponentEntry = false;
    s.xComplete = false;
  }
  RequestRefresh(e);
}

}  // namespace vxc
