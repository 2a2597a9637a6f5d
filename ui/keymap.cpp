#include "keymap.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QStringList>
#include <QWidget>
#include <ostream>

#include "calc_state.h"
#include "command_table.h"

namespace vxc::ui {
namespace {

constexpr KeyBinding Char(char c, uint8_t mods, CommandId id, uint8_t modes = kInAll) {
  return {AccelInput::kChar, c, mods, modes, CommandAction(id)};
}
constexpr KeyBinding Key(int key, uint8_t mods, CommandId id, uint8_t modes = kInAll) {
  return {AccelInput::kKey, key, mods, modes, CommandAction(id)};
}
constexpr KeyBinding Radio(int key, uint8_t mods, ActionKind kind, uint32_t code, uint8_t modes) {
  return {AccelInput::kKey, key, mods, modes, Action{kind, code}};
}

constexpr std::array<KeyBinding, kKeyMapCount> MakeTable() {
  using namespace cmd;
  std::array<KeyBinding, kKeyMapCount> t{};
  int n = 0;
  // The accelerator table.
  t[n++] = Char('?', kModAlt, kAbout);
  t[n++] = Char('/', kModAlt, kAbout);
  t[n++] = Char('v', kModNone, kPaste);
  t[n++] = Char('V', kModNone, kPaste);
  t[n++] = Char('m', kModAlt, kErrorAlarm);
  t[n++] = Char('x', kModAlt, kExit);
  t[n++] = Char('c', kModAlt, kCopy);
  t[n++] = Key(Qt::Key_C, kModCtrl, kCopy);
  t[n++] = Char('p', kModAlt, kPaste);
  t[n++] = Key(Qt::Key_V, kModCtrl, kPaste);
  t[n++] = Char('w', kModAlt, kWebSite);
  t[n++] = Char('a', kModAlt, kAbout);
  t[n++] = Key(Qt::Key_L, kModCtrl, kLcm);
  t[n++] = Key(Qt::Key_G, kModCtrl, kGcd);
  t[n++] = Key(Qt::Key_Up, kModNone, kFocusUp);
  t[n++] = Key(Qt::Key_Left, kModNone, kFocusLeft);
  t[n++] = Key(Qt::Key_Down, kModNone, kFocusDown);
  t[n++] = Key(Qt::Key_Right, kModNone, kFocusRight);
  t[n++] = Key(Qt::Key_Tab, kModShift, kFocusPrev);
  t[n++] = Key(Qt::Key_Tab, kModNone, kFocusNext);
  t[n++] = Key(Qt::Key_Return, kModNone, kEnter);
  t[n++] = Key(Qt::Key_Space, kModNone, kEnter);
  for (int d = 0; d <= 9; ++d) t[n++] = Char(char('0' + d), kModNone, kDigit0 + d);
  for (int l = 0; l < 6; ++l) {
    t[n++] = Char(char('a' + l), kModNone, kLetterA + l);
    t[n++] = Char(char('A' + l), kModNone, kLetterA + l);
  }
  t[n++] = Char('.', kModNone, kPoint);
  t[n++] = Char('+', kModNone, kAdd);
  t[n++] = Char('-', kModNone, kSub);
  t[n++] = Char('/', kModNone, kDiv);
  t[n++] = Char('*', kModNone, kMul);
  t[n++] = Char('x', kModNone, kCopy);
  t[n++] = Char('X', kModNone, kCopy);
  t[n++] = Key(Qt::Key_Home, kModNone, kClx);
  t[n++] = Key(Qt::Key_PageUp, kModNone, kRollUp);
  t[n++] = Key(Qt::Key_PageDown, kModNone, kRollDown);
  t[n++] = Key(Qt::Key_Backspace, kModNone, kBackspace);

  // The functions of REAL, with the letters desktop calculators use.
  t[n++] = Char('s', kModNone, kSin, kInReal);
  t[n++] = Char('o', kModNone, kCos, kInReal);
  t[n++] = Char('t', kModNone, kTan, kInReal);
  t[n++] = Char('S', kModNone, kAsin, kInReal);
  t[n++] = Char('O', kModNone, kAcos, kInReal);
  t[n++] = Char('T', kModNone, kAtan, kInReal);
  t[n++] = Char('l', kModNone, kLog, kInReal);
  t[n++] = Char('n', kModNone, kLn, kInReal);
  t[n++] = Char('N', kModNone, kExp, kInReal);
  t[n++] = Char('q', kModNone, kSquare, kInReal);
  t[n++] = Char('@', kModNone, kSqrt, kInReal);
  t[n++] = Char('^', kModNone, kPow, kInReal);
  t[n++] = Char('y', kModNone, kPow, kInReal);
  t[n++] = Char('r', kModNone, kInverse, kInReal);
  t[n++] = Char('p', kModNone, kPi, kInReal);
  // e and E already reach EEX in REAL through the hex-digit rows above;
  // these rows say so for the tooltips and the sheet.
  t[n++] = Char('e', kModNone, kEex, kInReal);
  t[n++] = Char('E', kModNone, kEex, kInReal);

  // Keys of every mode.
  t[n++] = Char('!', kModNone, kFactorial);
  t[n++] = Key(Qt::Key_F9, kModNone, kChangeSign);
  t[n++] = Char('L', kModNone, kLastX);
  t[n++] = Char('Y', kModNone, kSwapXY);
  t[n++] = Key(Qt::Key_M, kModCtrl, kSto);
  t[n++] = Key(Qt::Key_R, kModCtrl, kRcl);
  t[n++] = Key(Qt::Key_Plus, kModCtrl, kStoAdd);
  t[n++] = Key(Qt::Key_Minus, kModCtrl, kStoSub);
  t[n++] = Key(Qt::Key_Up, kModCtrl, kDigitsUp, kInReal);
  t[n++] = Key(Qt::Key_Down, kModCtrl, kDigitsDown, kInReal);

  // The bit operations of the integer modes.
  t[n++] = Char('&', kModNone, kAnd, kInInteger);
  t[n++] = Char('|', kModNone, kOr, kInInteger);
  t[n++] = Char('^', kModNone, kXor, kInInteger);
  t[n++] = Char('=', kModNone, kXnor, kInInteger);
  t[n++] = Char('<', kModNone, kShl, kInInteger);
  t[n++] = Char('>', kModNone, kShr, kInInteger);
  t[n++] = Char('~', kModNone, kNot, kInInteger);
  t[n++] = Char('n', kModNone, kNeg, kInInteger);

  // The functions of the Function menu. Hyperbolic: Ctrl+Shift with the
  // letter of the circular function, Alt+Shift for the inverse.
  t[n++] = Key(Qt::Key_L, kModCtrl | kModShift, kTenX, kInReal);  // beside LOG as e^X is beside LN
  t[n++] = Char('R', kModNone, kXRoot, kInReal);
  t[n++] = Char('|', kModNone, kAbs, kInReal);
  t[n++] = Char('i', kModNone, kInt, kInReal);
  t[n++] = Char('I', kModNone, kFrac, kInReal);
  t[n++] = Char('m', kModNone, kMod);
  t[n++] = Char('%', kModNone, kPercent, kInReal);
  t[n++] = Char('%', kModNone, kMod, kInInteger);  // as C writes the remainder
  t[n++] = Char('P', kModNone, kPercentChange, kInReal);
  t[n++] = Key(Qt::Key_S, kModCtrl | kModShift, kSinh, kInReal);
  t[n++] = Key(Qt::Key_O, kModCtrl | kModShift, kCosh, kInReal);
  t[n++] = Key(Qt::Key_T, kModCtrl | kModShift, kTanh, kInReal);
  t[n++] = Char('S', kModAlt, kAsinh, kInReal);
  t[n++] = Char('O', kModAlt, kAcosh, kInReal);
  t[n++] = Char('T', kModAlt, kAtanh, kInReal);
  t[n++] = Key(Qt::Key_N, kModCtrl | kModShift, kCombinations, kInReal);
  t[n++] = Key(Qt::Key_P, kModCtrl | kModShift, kPermutations, kInReal);
  t[n++] = Key(Qt::Key_R, kModCtrl | kModShift, kToRadians, kInReal);
  t[n++] = Key(Qt::Key_D, kModCtrl | kModShift, kToDegrees, kInReal);
  t[n++] = Key(Qt::Key_Left, kModCtrl, kRotateLeft, kInInteger);
  t[n++] = Key(Qt::Key_Right, kModCtrl, kRotateRight, kInInteger);
  t[n++] = Key(Qt::Key_Left, kModCtrl | kModShift, kRotateLeftN, kInInteger);
  t[n++] = Key(Qt::Key_Right, kModCtrl | kModShift, kRotateRightN, kInInteger);
  t[n++] = Char('#', kModNone, kBitCount, kInInteger);
  t[n++] = Char('[', kModNone, kMaskLeft, kInInteger);
  t[n++] = Char(']', kModNone, kMaskRight, kInInteger);
  t[n++] = Char('w', kModNone, kByteSwap, kInInteger);

  // Edit, Help and the tape.
  t[n++] = Key(Qt::Key_Z, kModCtrl, kUndo);
  t[n++] = Key(Qt::Key_Y, kModCtrl, kRedo);
  t[n++] = Key(Qt::Key_Z, kModCtrl | kModShift, kRedo);
  t[n++] = Key(Qt::Key_C, kModCtrl | kModShift, kCopyFull);
  t[n++] = Key(Qt::Key_F1, kModNone, kKeyboardHelp);
  t[n++] = Key(Qt::Key_T, kModCtrl, kTape);

  // Option > Zoom. Ctrl with plus and minus are ST+ and ST-: these take Alt too.
  t[n++] = Key(Qt::Key_Plus, kModCtrl | kModAlt, kZoomIn);
  t[n++] = Key(Qt::Key_Equal, kModCtrl | kModAlt, kZoomIn);  // the plus key without Shift
  t[n++] = Key(Qt::Key_Minus, kModCtrl | kModAlt, kZoomOut);
  t[n++] = Key(Qt::Key_0, kModCtrl | kModAlt, kZoomReset);
  // Option > Theme.

  // The radio choices. F2 to F8 and F12 as in the usual desktop calculator:
  // F2-F4 are the angle unit in REAL and the word size in the integer modes.
  using AK = ActionKind;
  t[n++] = Radio(Qt::Key_F11, kModNone, AK::kBase, kBaseReal, kInAll);
  t[n++] = Radio(Qt::Key_F5, kModNone, AK::kBase, kBaseHex, kInAll);
  t[n++] = Radio(Qt::Key_F6, kModNone, AK::kBase, kBaseDec, kInAll);
  t[n++] = Radio(Qt::Key_F7, kModNone, AK::kBase, kBaseOct, kInAll);
  t[n++] = Radio(Qt::Key_F8, kModNone, AK::kBase, kBaseBin, kInAll);
  t[n++] = Radio(Qt::Key_F2, kModNone, AK::kAngle, kAngleDeg, kInReal);
  t[n++] = Radio(Qt::Key_F3, kModNone, AK::kAngle, kAngleRad, kInReal);
  t[n++] = Radio(Qt::Key_F4, kModNone, AK::kAngle, kAngleGrad, kInReal);
  t[n++] = Radio(Qt::Key_F12, kModNone, AK::kRange, kRangeQW, kInInteger);
  t[n++] = Radio(Qt::Key_F2, kModNone, AK::kRange, kRangeDW, kInInteger);
  t[n++] = Radio(Qt::Key_F3, kModNone, AK::kRange, kRangeW, kInInteger);
  t[n++] = Radio(Qt::Key_F4, kModNone, AK::kRange, kRangeB, kInInteger);
  t[n++] = Radio(Qt::Key_F, kModCtrl, AK::kDisplay, kDisplayFix, kInReal);
  t[n++] = Radio(Qt::Key_S, kModCtrl, AK::kDisplay, kDisplaySci, kInReal);
  t[n++] = Radio(Qt::Key_E, kModCtrl, AK::kDisplay, kDisplayEng, kInReal);
  for (uint32_t m = 0; m < 10; ++m) t[n++] = {AccelInput::kChar, char('0' + m), kModAlt, kInAll, Action{AK::kMemory, m}};
  return t;
}

uint8_t ModifiersOf(int qt) {
  uint8_t m = kModNone;
  if (qt & Qt::ShiftModifier) m |= kModShift;
  if (qt & Qt::ControlModifier) m |= kModCtrl;
  if (qt & Qt::AltModifier) m |= kModAlt;
  return m;
}

// Keys that share a row: the keypad Enter is Return, Shift+Tab arrives as Backtab.
int NormalisedKey(int qtKey) {
  if (qtKey == Qt::Key_Enter) return Qt::Key_Return;
  if (qtKey == Qt::Key_Backtab) return Qt::Key_Tab;
  return qtKey;
}

bool IsNavigationKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return true;
    default: return false;
  }
}

bool KeptByWidget(const QWidget& widget, const QKeyEvent& key) {
  if (!widget.property(kOwnKeysProperty).toBool()) return false;
  if (key.matches(QKeySequence::Copy) || key.matches(QKeySequence::SelectAll)) return true;
  switch (key.key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
    case Qt::Key_Space: return true;
    default: return IsNavigationKey(key.key());
  }
}

// A key that types a symbol needs Shift on some layouts and not on others.
bool TypesSymbol(int qtKey) {
  return qtKey > 0x20 && qtKey < 0x7F && !(qtKey >= 'A' && qtKey <= 'Z') && !(qtKey >= '0' && qtKey <= '9');
}

}  // namespace

const std::array<KeyBinding, kKeyMapCount> kKeyMap = MakeTable();

std::optional<Action> MatchKey(int qtKey, int qtModifiers, const QString& text, uint8_t modeBit) {
  uint8_t mods = ModifiersOf(qtModifiers);
  const int key = NormalisedKey(qtKey);
  if (qtKey == Qt::Key_Backtab) mods |= kModShift;
  // A typed character counts when it is one plain ASCII character. Shift is
  // part of the character itself; Ctrl turns it into no character at all.
  const bool oneChar = text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x7F;
  for (const KeyBinding& row : kKeyMap) {
    if ((row.modes & modeBit) == 0) continue;
    if (row.input == AccelInput::kChar) {
      if (!oneChar || text[0].unicode() != row.code || (mods & kModCtrl)) continue;
      if (((mods & kModAlt) != 0) != ((row.modifiers & kModAlt) != 0)) continue;
      return row.action;
    }
    const uint8_t ignored = TypesSymbol(row.code) ? kModShift : 0;
    if (key == row.code && (mods & ~ignored) == (row.modifiers & ~ignored)) return row.action;
  }
  return std::nullopt;
}

QString BindingText(const KeyBinding& row, bool native) {
  Qt::KeyboardModifiers mods;
  int key = row.code;
  if (row.input == AccelInput::kChar) {
    if (row.code >= 'a' && row.code <= 'z') {
      key = Qt::Key_A + (row.code - 'a');
    } else if (row.code >= 'A' && row.code <= 'Z') {
      mods |= Qt::ShiftModifier;  // an upper-case letter is typed with Shift
    }
  } else {
    if (row.modifiers & kModShift) mods |= Qt::ShiftModifier;
    if (row.modifiers & kModCtrl) mods |= Qt::ControlModifier;
  }
  if (row.modifiers & kModAlt) mods |= Qt::AltModifier;
  return QKeySequence(QKeyCombination(mods, Qt::Key(key)))
      .toString(native ? QKeySequence::NativeText : QKeySequence::PortableText);
}

QString ShortcutsOf(Action action) {
  QStringList texts;
  for (const KeyBinding& row : kKeyMap) {
    if (row.action == action) texts << BindingText(row, true);
  }
  texts.removeDuplicates();
  return texts.join(QStringLiteral(", "));
}

void PrintKeyMap(std::ostream& out) {
  for (const KeyBinding& row : kKeyMap) {
    const ActionName* names = FindActionName(row.action);
    if (names == nullptr) continue;  // every row has a name; the tests see to it
    out << BindingText(row, false).toStdString() << '\t' << names->token << '\n';
  }
}

KeyMapFilter::KeyMapFilter(QWidget* window, std::function<uint8_t()> modeBit, std::function<void(Action)> run)
    : QObject(window), window_(window), modeBit_(std::move(modeBit)), run_(std::move(run)) {}

bool KeyMapFilter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != window_ || QApplication::activeModalWidget() != nullptr ||
      QApplication::activePopupWidget() != nullptr) {
    return false;
  }
  // A menu bar opened from the keyboard (Alt) steps through its menus with
  // the arrows and opens one with Return: those keys are the menu bar's.
  if (qobject_cast<QMenuBar*>(widget) != nullptr) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (KeptByWidget(*widget, *key)) return false;
  const std::optional<Action> action = MatchKey(key->key(), key->modifiers(), key->text(), modeBit_());
  if (!action) {
    // The arrows and Tab with other modifiers would run Qt's own focus chain
    // or the radio buttons' arrow handling; only the focus commands move the focus.
    return type == QEvent::KeyPress && IsNavigationKey(key->key());
  }
  if (type == QEvent::ShortcutOverride) {
    key->accept();  // keep Qt's own shortcuts (menu mnemonics) off our keys
    return true;
  }
  run_(*action);
  return true;
}

}  // namespace vxc::ui
