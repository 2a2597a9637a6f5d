#include "key_rules.h"

#include "calc_state.h"

namespace vxc::ui {
namespace {

uint8_t BaseBitOf(uint32_t base) {
  switch (base) {
    case kBaseDec: return kBitDec;
    case kBaseHex: return kBitHex;
    case kBaseOct: return kBitOct;
    case kBaseBin: return kBitBin;
    default: return 0;
  }
}

Face ArrowFace(int row, const FaceModes& modes) {
  if (IsIntegerBase(modes.base) || modes.display > 2) return Face::kHidden;
  const int first = kArrowPairFirstRow[modes.display];
  return row == first || row == first + 1 ? Face::kNormal : Face::kHidden;
}

}  // namespace

Face RestingFace(int row, const FaceModes& modes) {
  if (row < 0 || row >= kKeyCount) return Face::kHidden;
  const KeyDef& key = kKeypad[row];
  if (key.keyClass == KeyClass::kDigitArrow) return ArrowFace(row, modes);
  const bool integer = IsIntegerBase(modes.base);

  if (modes.errorShown && key.slot != kClxSlot) {
    switch (key.keyClass) {
      case KeyClass::kCommon: return Face::kDisabled;
      case KeyClass::kRealOnly: return integer ? Face::kHidden : Face::kDisabled;
      case KeyClass::kIntegerOnly: return integer ? Face::kDisabled : Face::kHidden;
      case KeyClass::kDigitArrow: break;
    }
    return Face::kHidden;
  }
  if (!integer) return key.keyClass == KeyClass::kIntegerOnly ? Face::kHidden : Face::kNormal;
  if (key.keyClass == KeyClass::kRealOnly) return Face::kHidden;
  return (key.baseMask & BaseBitOf(modes.base)) != 0 ? Face::kNormal : Face::kDisabled;
}

KeyHit HitTestKeypad(int x, int y, const FaceModes& modes) {
  for (int row = 0; row < kKeyCount; ++row) {
    const KeyDef& key = kKeypad[row];
    if (!key.Contains(x, y)) continue;
    if (modes.errorShown && key.slot != kClxSlot) return {-1, true};
    if (key.keyClass == KeyClass::kDigitArrow && modes.base != kBaseReal) return {-1, true};
    if (RestingFace(row, modes) != Face::kNormal) continue;
    return {row, false};
  }
  return {};
}

Face ShownFace(int row, const FaceModes& modes, const KeyPressState& press) {
  if (row == press.pressedRow && press.pressedShown) return Face::kPressed;
  return RestingFace(row, modes);
}

bool KeypadButtonDown(KeyPressState& press, int x, int y, const FaceModes& modes) {
  const KeyHit hit = HitTestKeypad(x, y, modes);
  if (hit.row < 0) return false;
  press.pressedRow = hit.row;
  press.pressedShown = true;
  return true;
}

bool KeypadMouseMove(KeyPressState& press, int x, int y) {
  if (press.pressedRow < 0) return false;
  const bool inside = kKeypad[press.pressedRow].Contains(x, y);
  if (inside == press.pressedShown) return false;
  press.pressedShown = inside;
  return true;
}

int KeypadButtonUp(KeyPressState& press, int x, int y, const FaceModes& modes) {
  const int held = press.pressedRow;
  press = KeyPressState{};
  if (held < 0) return -1;
  const KeyHit hit = HitTestKeypad(x, y, modes);
  return hit.row == held ? held : -1;
}

}  // namespace vxc::ui
