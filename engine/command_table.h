// The command table: one row per engine command, with the modes it acts in
// and its handler. Dispatch checks the gates once, from this table.
#pragma once

#include <array>

#include "ops.h"

namespace vxc {

struct CommandRow {
  CommandId first;  // a row covers first..last (digits, letters)
  CommandId last;
  uint8_t actsIn;   // ModeMask
  bool evenInError; // CLX only
  CommandHandler handler;
  MemoryUse memory = MemoryUse::kKept;  // STO, ST+, ST- write a register
};

inline constexpr std::array kCommandTable = {
    CommandRow{cmd::kEnter, cmd::kEnter, kInAll, false, StackEnter},
    CommandRow{cmd::kDigit0, cmd::kDigit0 + 1, kInAll, false, EntryDigit},
    CommandRow{cmd::kDigit0 + 2, cmd::kDigit0 + 7, kInReal | kInDec | kInHex | kInOct, false, EntryDigit},
    CommandRow{cmd::kDigit0 + 8, cmd::kDigit9, kInReal | kInDec | kInHex, false, EntryDigit},
    CommandRow{cmd::kLetterA, cmd::kLetterF, kInHex | kInReal, false, EntryDigit},  // E is EEX in REAL
    CommandRow{cmd::kPoint, cmd::kPoint, kInReal, false, EntryPoint},
    CommandRow{cmd::kAdd, cmd::kMul, kInAll, false, Arithmetic},
    CommandRow{cmd::kRollUp, cmd::kRollDown, kInAll, false, StackRoll},
    CommandRow{cmd::kBackspace, cmd::kBackspace, kInAll, false, EntryBackspace},
    CommandRow{cmd::kClx, cmd::kClx, kInAll, true, StackClearX},
    CommandRow{cmd::kLastX, cmd::kLastX, kInAll, false, StackLastX},
    CommandRow{cmd::kEex, cmd::kEex, kInReal, false, EntryExponent},
    CommandRow{cmd::kSwapXY, cmd::kSwapXY, kInAll, false, StackSwapXY},
    CommandRow{cmd::kDigitsUp, cmd::kDigitsDown, kInReal, false, ChangeDigitCount},
    CommandRow{cmd::kLog, cmd::kSqrt, kInReal, false, RealFunction},
    CommandRow{cmd::kPi, cmd::kPi, kInReal, false, PushPi},
    CommandRow{cmd::kExp, cmd::kInverse, kInReal, false, RealFunction},
    CommandRow{cmd::kAnd, cmd::kNot, kInInteger, false, BitOperation},
    CommandRow{cmd::kSin, cmd::kAtan, kInReal, false, RealFunction},
    CommandRow{cmd::kFactorial, cmd::kFactorial, kInAll, false, Factorial},
    CommandRow{cmd::kRcl, cmd::kRcl, kInAll, false, MemoryKey},
    CommandRow{cmd::kSto, cmd::kStoAdd, kInAll, false, MemoryKey, MemoryUse::kWritten},
    CommandRow{cmd::kChangeSign, cmd::kChangeSign, kInReal | kInDec, false, EntryChangeSign},
    CommandRow{cmd::kTenX, cmd::kFrac, kInReal, false, MoreRealFunction},
    CommandRow{cmd::kMod, cmd::kMod, kInAll, false, Modulo},
    CommandRow{cmd::kPercent, cmd::kToDegrees, kInReal, false, MoreRealFunction},
    CommandRow{cmd::kRotateLeft, cmd::kByteSwap, kInInteger, false, MoreIntegerFunction},
    CommandRow{cmd::kLcm, cmd::kGcd, kInInteger, false, LcmGcd},
};

namespace table_detail {
inline constexpr CommandId kFirstId = kCommandTable.front().first;
inline constexpr CommandId kLastId = kCommandTable.back().last;  // the rows rise
// The row of every id from kFirstId to kLastId, so that a key finds its row
// without a search; -1: no row.
inline constexpr auto kRowOfId = [] {
  std::array<int8_t, kLastId - kFirstId + 1> rows{};
  rows.fill(-1);
  for (size_t i = 0; i < kCommandTable.size(); ++i) {
    for (CommandId id = kCommandTable[i].first; id <= kCommandTable[i].last; ++id) {
      rows[id - kFirstId] = static_cast<int8_t>(i);
    }
  }
  return rows;
}();
static_assert(kCommandTable.size() <= 127);
}  // namespace table_detail

// The row of `id`, or nullptr when `id` is no engine command.
constexpr const CommandRow* FindCommand(CommandId id) {
  if (id < table_detail::kFirstId || id > table_detail::kLastId) return nullptr;
  const int8_t row = table_detail::kRowOfId[id - table_detail::kFirstId];
  return row < 0 ? nullptr : &kCommandTable[static_cast<size_t>(row)];
}

}  // namespace vxc
