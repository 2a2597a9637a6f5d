// The keypad: one row per key, read in row order both to build the keys and
// to hit-test the mouse. Places are client pixels of the calculator area.
#pragma once

#include <array>
#include <cstdint>

#include "command_ids.h"

namespace vxc::ui {

enum class KeyClass : uint8_t {
  kCommon,       // shown in every mode
  kRealOnly,     // shown in REAL only
  kIntegerOnly,  // shown in DEC, HEX, OCT and BIN only
  kDigitArrow,   // the small up/down keys beside the digit-count boxes
};

// The integer bases a key works in; a clear bit shows the disabled face.
enum BaseBit : uint8_t { kBitDec = 1, kBitHex = 2, kBitOct = 4, kBitBin = 8, kBitAllIntegers = 15 };

// How a face is coloured: keys of one family share a tone.
enum class KeyTone : uint8_t {
  kLineLabel,  // the X key: the label of the X line
  kFunction,   // scientific functions
  kBitwise,    // integer-mode operations
  kHexDigit,
  kDigit,
  kOperator,   // + - x /
  kStack,      // stack and entry editing keys
  kMemory,
  kEnter,
  kClear,
  kArrow,
};

// What is drawn on a face. `label` and `small` are UTF-8.
enum class FaceGlyph : uint8_t {
  kText,        // label, with `small` as a superscript when given
  kTextNote,    // label, then `small` in a smaller size on the same baseline
  kSquareRoot,  // a radical sign over `label`
  kBackspace,   // a left-pointing erase symbol
  kTriangleUp,
  kTriangleDown,
};

struct KeyFaceLook {
  const char* label;
  const char* small;
  FaceGlyph glyph;
  KeyTone tone;
};

struct KeyDef {
  int32_t slot;
  KeyClass keyClass;
  uint8_t baseMask;
  CommandId commandId;
  int32_t x, y, width, height;
  bool hasDisabledFace;  // CLX and the up/down keys stay as they are during an error
  KeyFaceLook look;

  constexpr bool Contains(int px, int py) const {
    return px >= x && px <= x + width && py >= y && py <= y + height;
  }
};

inline constexpr int kKeyCount = 64;
inline constexpr int32_t kClxSlot = 36;

namespace detail {
using KC = KeyClass;
using KT = KeyTone;
using FG = FaceGlyph;
namespace c = cmd;
}  // namespace detail

// clang-format off
inline constexpr std::array<KeyDef, kKeyCount> kKeypad = {{
  // row 0: the label of the X line, a key that copies X
  {0, detail::KC::kCommon, 15, detail::c::kCopy, 6, 104, 20, 28, true, {"X", nullptr, detail::FG::kText, detail::KT::kLineLabel}},
  {1, detail::KC::kRealOnly, 15, detail::c::kSin, 3, 142, 46, 20, true, {"SIN", nullptr, detail::FG::kText, detail::KT::kFunction}},
  {2, detail::KC::kRealOnly, 15, detail::c::kCos, 54, 142, 46, 20, true, {"COS", nullptr, detail::FG::kText, detail::KT::kFunction}},
  {3, detail::KC::kRealOnly, 15, detail::c::kTan, 105, 142, 46, 20, true, {"TAN", nullptr, detail::FG::kText, detail::KT::kFunction}},
  {4, detail::KC::kRealOnly, 15, detail::c::kLog, 157, 142, 46, 20, true, {"LOG", nullptr, detail::FG::kText, detail::KT::kFunction}},
  {5, detail::KC::kRealOnly, 15, detail::c::kLn, 208, 142, 46, 20, true, {"LN", nullptr, detail::FG::kText, detail::KT::kFunction}},
  {6, detail::KC::kRealOnly, 15, detail::c::kSquare, 259, 142, 46, 20, true, {"x", "2", detail::FG::kText, detail::KT::kFunction}},
  {7, detail::KC::kRealOnly, 15, detail::c::kSqrt, 310, 142, 46, 20, true, {"x", nullptr, detail::FG::kSquareRoot, detail::KT::kFunction}},
  {8, detail::KC::kRealOnly, 15, detail::c::kAsin, 3, 167, 46, 20, true, {"ASIN", nullptr, detail::FG::kText, detail::KT::kFunction}},
  {9, detail::KC::kRealOnly, 15, detail::c::kAcos, 54, 167, 46, 20, true, {"ACOS", nullptr, detail::FG::kText, detail::KT::kFunction}},
  {10, detail::KC::kRealOnly, 15, detail::c::kAtan, 105, 167, 46, 20, true, {"ATAN", nullptr, detail::FG::kText, detail::KT::kFunction}},
  {11, detail::KC::kRealOnly, 15, detail::c::kPi, 157, 167, 46, 20, true, {"\u03C0", nullptr, detail::FG::kText, detail::KT::kFunction}},
  {12, detail::KC::kRealOnly, 15, detail::c::kExp, 208, 167, 46, 20, true, {"e", "x", detail::FG::kText, detail::KT::kFunction}},
  {13, detail::KC::kRealOnly, 15, detail::c::kPow, 259, 167, 46, 20, true, {"y", "x", detail::FG::kText, detail::KT::kFunction}},
  {14, detail::KC::kRealOnly, 15, detail::c::kInverse, 310, 167, 46, 20, true, {"1/x", nullptr, detail::FG::kText, detail::KT::kFunction}},
  {53, detail::KC::kIntegerOnly, 2, detail::c::kLetterA + 3, 3, 142, 46, 20, true, {"D", nullptr, detail::FG::kText, detail::KT::kHexDigit}},
  {54, detail::KC::kIntegerOnly, 2, detail::c::kLetterE, 54, 142, 46, 20, true, {"E", nullptr, detail::FG::kText, detail::KT::kHexDigit}},
  {55, detail::KC::kIntegerOnly, 2, detail::c::kLetterF, 105, 142, 46, 20, true, {"F", nullptr, detail::FG::kText, detail::KT::kHexDigit}},
  {56, detail::KC::kIntegerOnly, 15, detail::c::kAnd, 157, 142, 46, 20, true, {"AND", nullptr, detail::FG::kText, detail::KT::kBitwise}},
  {57, detail::KC::kIntegerOnly, 15, detail::c::kOr, 208, 142, 46, 20, true, {"OR", nullptr, detail::FG::kText, detail::KT::kBitwise}},
  {58, detail::KC::kIntegerOnly, 15, detail::c::kXor, 259, 142, 46, 20, true, {"XOR", nullptr, detail::FG::kText, detail::KT::kBitwise}},
  {59, detail::KC::kIntegerOnly, 15, detail::c::kXnor, 310, 142, 46, 20, true, {"XNOR", nullptr, detail::FG::kText, detail::KT::kBitwise}},
  {50, detail::KC::kIntegerOnly, 2, detail::c::kLetterA, 3, 167, 46, 20, true, {"A", nullptr, detail::FG::kText, detail::KT::kHexDigit}},
  {51, detail::KC::kIntegerOnly, 2, detail::c::kLetterA + 1, 54, 167, 46, 20, true, {"B", nullptr, detail::FG::kText, detail::KT::kHexDigit}},
  {52, detail::KC::kIntegerOnly, 2, detail::c::kLetterA + 2, 105, 167, 46, 20, true, {"C", nullptr, detail::FG::kText, detail::KT::kHexDigit}},
  {60, detail::KC::kIntegerOnly, 15, detail::c::kShl, 157, 167, 46, 20, true, {"SHL", nullptr, detail::FG::kText, detail::KT::kBitwise}},
  {61, detail::KC::kIntegerOnly, 15, detail::c::kShr, 208, 167, 46, 20, true, {"SHR", nullptr, detail::FG::kText, detail::KT::kBitwise}},
  {62, detail::KC::kIntegerOnly, 15, detail::c::kNeg, 259, 167, 46, 20, true, {"NEG", nullptr, detail::FG::kText, detail::KT::kBitwise}},
  {63, detail::KC::kIntegerOnly, 15, detail::c::kNot, 310, 167, 46, 20, true, {"NOT", nullptr, detail::FG::kText, detail::KT::kBitwise}},
  {22, detail::KC::kCommon, 7, detail::c::kDigit0 + 7, 3, 193, 46, 20, true, {"7", nullptr, detail::FG::kText, detail::KT::kDigit}},
  {23, detail::KC::kCommon, 3, detail::c::kDigit0 + 8, 54, 193, 46, 20, true, {"8", nullptr, detail::FG::kText, detail::KT::kDigit}},
  {24, detail::KC::kCommon, 3, detail::c::kDigit9, 105, 193, 46, 20, true, {"9", nullptr, detail::FG::kText, detail::KT::kDigit}},
  {19, detail::KC::kCommon, 7, detail::c::kDigit0 + 4, 3, 219, 46, 20, true, {"4", nullptr, detail::FG::kText, detail::KT::kDigit}},
  {20, detail::KC::kCommon, 7, detail::c::kDigit0 + 5, 54, 219, 46, 20, true, {"5", nullptr, detail::FG::kText, detail::KT::kDigit}},
  {21, detail::KC::kCommon, 7, detail::c::kDigit0 + 6, 105, 219, 46, 20, true, {"6", nullptr, detail::FG::kText, detail::KT::kDigit}},
  {16, detail::KC::kCommon, 15, detail::c::kDigit0 + 1, 3, 244, 46, 20, true, {"1", nullptr, detail::FG::kText, detail::KT::kDigit}},
  {17, detail::KC::kCommon, 7, detail::c::kDigit0 + 2, 54, 244, 46, 20, true, {"2", nullptr, detail::FG::kText, detail::KT::kDigit}},
  {18, detail::KC::kCommon, 7, detail::c::kDigit0 + 3, 105, 244, 46, 20, true, {"3", nullptr, detail::FG::kText, detail::KT::kDigit}},
  {15, detail::KC::kCommon, 15, detail::c::kDigit0, 3, 270, 97, 20, true, {"0", nullptr, detail::FG::kText, detail::KT::kDigit}},
  {25, detail::KC::kCommon, 0, detail::c::kPoint, 105, 270, 46, 20, true, {".", nullptr, detail::FG::kText, detail::KT::kDigit}},
  {26, detail::KC::kCommon, 15, detail::c::kLastX, 3, 295, 59, 27, true, {"LAST", "x", detail::FG::kTextNote, detail::KT::kStack}},
  {27, detail::KC::kCommon, 0, detail::c::kEex, 67, 295, 33, 27, true, {"EEX", nullptr, detail::FG::kText, detail::KT::kStack}},
  {28, detail::KC::kCommon, 1, detail::c::kChangeSign, 157, 193, 46, 26, true, {"+/\u2212", nullptr, detail::FG::kText, detail::KT::kStack}},
  {29, detail::KC::kCommon, 15, detail::c::kBackspace, 208, 193, 46, 26, true, {"", nullptr, detail::FG::kBackspace, detail::KT::kStack}},
  {30, detail::KC::kCommon, 15, detail::c::kRollDown, 259, 193, 46, 26, true, {"R\u2193", nullptr, detail::FG::kText, detail::KT::kStack}},
  {31, detail::KC::kCommon, 15, detail::c::kMul, 157, 225, 46, 26, true, {"\u00D7", nullptr, detail::FG::kText, detail::KT::kOperator}},
  {32, detail::KC::kCommon, 15, detail::c::kDiv, 208, 225, 46, 26, true, {"\u00F7", nullptr, detail::FG::kText, detail::KT::kOperator}},
  {33, detail::KC::kCommon, 15, detail::c::kRollUp, 259, 225, 46, 26, true, {"R\u2191", nullptr, detail::FG::kText, detail::KT::kStack}},
  {34, detail::KC::kCommon, 15, detail::c::kAdd, 157, 257, 46, 33, true, {"+", nullptr, detail::FG::kText, detail::KT::kOperator}},
  {35, detail::KC::kCommon, 15, detail::c::kSub, 208, 257, 46, 33, true, {"\u2212", nullptr, detail::FG::kText, detail::KT::kOperator}},
  {36, detail::KC::kCommon, 15, detail::c::kClx, 259, 257, 46, 33, false, {"CLX", nullptr, detail::FG::kText, detail::KT::kClear}},
  {37, detail::KC::kCommon, 15, detail::c::kFactorial, 310, 193, 46, 20, true, {"x!", nullptr, detail::FG::kText, detail::KT::kMemory}},
  {38, detail::KC::kCommon, 15, detail::c::kRcl, 310, 219, 46, 20, true, {"RCL", nullptr, detail::FG::kText, detail::KT::kMemory}},
  {39, detail::KC::kCommon, 15, detail::c::kSto, 310, 244, 46, 20, true, {"STO", nullptr, detail::FG::kText, detail::KT::kMemory}},
  {40, detail::KC::kCommon, 15, detail::c::kStoSub, 310, 270, 46, 20, true, {"ST\u2212", nullptr, detail::FG::kText, detail::KT::kMemory}},
  {41, detail::KC::kCommon, 15, detail::c::kEnter, 105, 295, 149, 27, true, {"ENTER", "(SPACE)", detail::FG::kTextNote, detail::KT::kEnter}},
  {42, detail::KC::kCommon, 15, detail::c::kSwapXY, 259, 295, 46, 20, true, {"x\u2194y", nullptr, detail::FG::kText, detail::KT::kStack}},
  {43, detail::KC::kCommon, 15, detail::c::kStoAdd, 310, 295, 46, 27, true, {"ST+", nullptr, detail::FG::kText, detail::KT::kMemory}},
  {44, detail::KC::kDigitArrow, 15, detail::c::kDigitsUp, 435, 213, 16, 10, false, {"", nullptr, detail::FG::kTriangleUp, detail::KT::kArrow}},
  {45, detail::KC::kDigitArrow, 15, detail::c::kDigitsDown, 435, 223, 16, 11, false, {"", nullptr, detail::FG::kTriangleDown, detail::KT::kArrow}},
  {46, detail::KC::kDigitArrow, 15, detail::c::kDigitsUp, 435, 233, 16, 10, false, {"", nullptr, detail::FG::kTriangleUp, detail::KT::kArrow}},
  {47, detail::KC::kDigitArrow, 15, detail::c::kDigitsDown, 435, 243, 16, 11, false, {"", nullptr, detail::FG::kTriangleDown, detail::KT::kArrow}},
  {48, detail::KC::kDigitArrow, 15, detail::c::kDigitsUp, 435, 253, 16, 10, false, {"", nullptr, detail::FG::kTriangleUp, detail::KT::kArrow}},
  {49, detail::KC::kDigitArrow, 15, detail::c::kDigitsDown, 435, 263, 16, 11, false, {"", nullptr, detail::FG::kTriangleDown, detail::KT::kArrow}},
}};
// clang-format on

// Rows of the up/down pair beside each DISPLAY format (FIX, SCI, ENG).
inline constexpr std::array<int, 3> kArrowPairFirstRow = {58, 60, 62};

}  // namespace vxc::ui
