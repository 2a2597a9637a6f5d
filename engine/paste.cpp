// Paste: the clipboard text cleaned into the entry line.
//
// Cleaning keeps the characters that make a number in the current base and
// stops at the first byte that cannot belong to one. A "0x" prefix reads
// the rest as hexadecimal in every mode. In REAL an exponent after the
// number ("1.5e12", "6.626E-34") enters as if typed with EEX.
#include <algorithm>
#include <array>
#include <string>

#include "integer.h"
#include "ops.h"

namespace vxc {
namespace {

bool IsBlankByte(unsigned char c) { return c == 0x20 || (c >= 0x09 && c <= 0x0D); }

bool StartsWith(const std::string& s, std::string_view prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// The minus signs a REAL or DEC paste may begin with: ASCII '-', the
// three-byte minus of the old 8-bit clipboard, and U+2212 MINUS SIGN in
// UTF-8.
size_t LeadingMinusLength(const std::string& s) {
  if (StartsWith(s, "-")) return 1;
  if (StartsWith(s, "\x80\x6E\x8A")) return 3;
  if (StartsWith(s, "\xE2\x88\x92")) return 3;
  return 0;
}

// The value of the hexadecimal digits `hex` (wrapped to 128 bits, bit 127
// read as the sign) written in the radix of `base`.
std::string HexInBase(const std::string& hex, uint32_t base) {
  // 32 hexadecimal digits make 128 bits: the digits before them drop out.
  const size_t keep = 32;
  const UInt128 value = ParseUInt128(std::string_view(hex).substr(hex.size() > keep ? hex.size() - keep : 0), 16);
  const int radix = base == kBaseOct ? 8 : base == kBaseBin ? 2 : 10;
  if (value >> 127) return "-" + UInt128ToString(UInt128(0) - value, radix);
  return UInt128ToString(value, radix);
}

// The mantissa scan: the cleaned text, and where in `text` the scan ended
// (`text.size()` when it ran to the end).
struct Scan {
  std::string text;
  size_t end = 0;
  bool readReal = false;
  bool tooLong = false;  // more than kPasteLimit characters kept
};

// What each byte does to the scan; every byte from 0x80 up ends it.
enum ByteRole : unsigned char { kEnds, kKept, kUpperCased, kSkipped };
using ByteRoles = std::array<ByteRole, 256>;

ByteRoles MakeRoles(int radix, bool readReal) {
  ByteRoles role;
  role.fill(kEnds);
  for (int d = 0; d < std::min(radix, 10); ++d) role['0' + d] = kKept;
  if (radix == 16) {
    for (int l = 0; l < 6; ++l) {
      role['A' + l] = kKept;
      role['a' + l] = kUpperCased;
    }
  }
  if (readReal) role['.'] = kKept;
  role[','] = kSkipped;
  for (int b = 0; b < 256; ++b) {
    if (IsBlankByte(static_cast<unsigned char>(b))) role[b] = kSkipped;
  }
  return role;
}

// The roles of each radix's bytes, made once: REAL, then 2, 8, 10 and 16.
const ByteRoles& RolesFor(int radix, bool readReal) {
  static const std::array<ByteRoles, 5> kRoles = {MakeRoles(10, true), MakeRoles(2, false), MakeRoles(8, false),
                                                  MakeRoles(10, false), MakeRoles(16, false)};
  if (readReal) return kRoles[0];
  return kRoles[radix == 2 ? 1 : radix == 8 ? 2 : radix == 10 ? 3 : 4];
}

Scan ScanNumber(std::string_view text, uint32_t base) {
  // The prefixes are looked for in the text without its blanks: the first
  // three bytes that are no blank, and where each of them ends.
  std::string head;
  size_t headEnd[3] = {0, 0, 0};
  for (size_t p = 0; p < text.size() && head.size() < 3; ++p) {
    if (IsBlankByte(static_cast<unsigned char>(text[p]))) continue;
    headEnd[head.size()] = p + 1;
    head += text[p];
  }

  const bool hexPrefix = StartsWith(head, "0x") || StartsWith(head, "0X");
  const bool readReal = !IsIntegerBase(base) && !hexPrefix;
  const int radix = hexPrefix ? 16 : RadixOf(base);

  const ByteRoles& role = RolesFor(radix, readReal);

  Scan scan;
  scan.readReal = readReal;
  std::string& r = scan.text;
  size_t skip = hexPrefix ? 2 : 0;
  // DEC takes a sign too, so that a copied negative value pastes back.
  if (readReal || (base == kBaseDec && !hexPrefix)) {
    skip = LeadingMinusLength(head);
    if (skip > 0) r = "-";
  }
  const size_t n = text.size();
  size_t i = skip > 0 ? headEnd[skip - 1] : 0;
  r.reserve(n - i + 1);
  // Beyond the paste bound the scan stops: such a paste is refused anyway.
  while (i < n && r.size() <= kPasteLimit) {
    size_t j = i;  // a run of bytes kept as they are goes in at once
    while (j < n && role[static_cast<unsigned char>(text[j])] == kKept) ++j;
    r.append(text.data() + i, j - i);
    i = j;
    if (j == n) break;
    const ByteRole at = role[static_cast<unsigned char>(text[j])];
    if (at == kEnds) break;
    if (at == kUpperCased) r += static_cast<char>(text[j] - 'a' + 'A');
    i = j + 1;
  }

  scan.end = i;
  scan.tooLong = r.size() > kPasteLimit;
  if (scan.tooLong) return scan;
  if (hexPrefix && base != kBaseHex) {
    r = HexInBase(r, base);
  } else if (r.capacity() > 2 * r.size() + 64) {
    r.shrink_to_fit();  // the scan ended early
  }
  return scan;
}

// An exponent after a REAL mantissa: "e" or "E", an optional sign, digits
// (blanks anywhere). Sets `sign` and the digits without leading zeros;
// false when no exponent digit follows.
bool ReadExponent(std::string_view text, size_t i, bool& negative, std::string& digits) {
  const size_t n = text.size();
  auto skipBlanks = [&] {
    while (i < n && IsBlankByte(static_cast<unsigned char>(text[i]))) ++i;
  };
  if (i >= n || (text[i] != 'e' && text[i] != 'E')) return false;
  ++i;
  skipBlanks();
  negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  bool any = false;
  digits.clear();
  for (skipBlanks(); i < n && text[i] >= '0' && text[i] <= '9'; ++i, skipBlanks()) {
    any = true;
    if (digits.empty() && text[i] == '0') continue;
    digits += text[i];
  }
  return any;
}

}  // namespace

PastedNumber ReadPastedNumber(std::string_view text, uint32_t base) {
  Scan scan = ScanNumber(text, base);
  PastedNumber out;
  if (scan.tooLong) {
    out.tooLong = true;
    return out;
  }
  out.mantissa = std::move(scan.text);
  const std::string& m = out.mantissa;
  // The exponent belongs to a mantissa with a digit and at most one point.
  if (!scan.readReal || m.find_first_of("0123456789") == std::string::npos ||
      std::count(m.begin(), m.end(), '.') > 1) {
    return out;
  }
  bool negative = false;
  std::string digits;
  if (!ReadExponent(text, scan.end, negative, digits)) return out;
  if (digits.size() <= 2) {
    // As typed with EEX: a lone zero stays "0", the minus is kept.
    out.exponentEntry = true;
    out.exponent = (negative ? "-" : "") + (digits.empty() ? std::string("0") : digits);
  } else {
    // Beyond two digits no typed exponent reaches: the mantissa keeps it,
    // as +/- leaves X's own "e" form in the entry line.
    out.mantissa += (negative ? "e-" : "e+") + digits;
  }
  if (out.mantissa.size() + out.exponent.size() > kPasteLimit) {
    out = PastedNumber();
    out.tooLong = true;
  }
  return out;
}

std::string CleanPastedText(std::string_view text, uint32_t base) { return ReadPastedNumber(text, base).mantissa; }

// Pasting types the number: a finished X is pushed first, as a typed digit
// would, and the pasted text becomes an entry that further digits extend.
void PasteEntry(Engine& e, std::string_view text) {
  CalcState& s = e.state;
  if (s.errorShown) return;
  UndoStep step(e, MemoryUse::kKept);
  PastedNumber pasted = ReadPastedNumber(text, s.base);
  if (pasted.tooLong) {
    // Nothing changes, so the display needs no refresh; only the alarm says so.
    if (s.errorAlarm && e.out.beep) e.out.beep();
    return;
  }
  TapeEntry tape(e, CommandAction(cmd::kPaste), pasted.mantissa.empty() ? TapeKind::kNone : TapeKind::kName);
  if (!pasted.mantissa.empty()) {
    if (s.xComplete && !s.liftDisabled) LiftStack(s, true);
    s.entryText = std::move(pasted.mantissa);
    s.exponentText = std::move(pasted.exponent);
    s.entryTyped = true;
    s.liftDisabled = false;
    s.exponentEntry = pasted.exponentEntry;
    s.xComplete = false;
  }
  MarkDisplayStale(e);
}

}  // namespace vxc
