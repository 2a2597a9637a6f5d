#include "accelerators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

namespace vxc::ui {
namespace {

constexpr Accelerator Char(char c, uint8_t mods, CommandId id) { return {AccelInput::kChar, c, mods, id}; }
constexpr Accelerator Key(int key, uint8_t mods, CommandId id) { return {AccelInput::kKey, key, mods, id}; }

constexpr std::array<Accelerator, kAcceleratorCount> MakeTable() {
  using namespace cmd;
  std::array<Accelerator, kAcceleratorCount> t{};
  int n = 0;
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

}  // namespace

const std::array<Accelerator, kAcceleratorCount> kAccelerators = MakeTable();

std::optional<CommandId> MatchAccelerator(int qtKey, int qtModifiers, const QString& text) {
  uint8_t mods = ModifiersOf(qtModifiers);
  const int key = NormalisedKey(qtKey);
  if (qtKey == Qt::Key_Backtab) mods |= kModShift;
  // A typed character counts when it is one plain ASCII character. Shift is
  // part of the character itself; Ctrl turns it into no character at all.
  const bool oneChar = text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x7F;
  for (const Accelerator& row : kAccelerators) {
    if (row.input == AccelInput::kChar) {
      if (!oneChar || text[0].unicode() != row.code || (mods & kModCtrl)) continue;
      if (((mods & kModAlt) != 0) != ((row.modifiers & kModAlt) != 0)) continue;
      return row.id;
    }
    if (key == row.code && mods == row.modifiers) return row.id;
  }
  return std::nullopt;
}

AcceleratorFilter::AcceleratorFilter(QWidget* window, std::function<void(CommandId)> run)
    : QObject(window), window_(window), run_(std::move(run)) {}

bool AcceleratorFilter::eventFilter(QObject* watched, QEvent* event) {
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
  const std::optional<CommandId> id = MatchAccelerator(key->key(), key->modifiers(), key->text());
  if (!id) {
    // The arrows and Tab with other modifiers would run Qt's own focus chain
    // or the radio buttons' arrow handling; only the focus commands move the focus.
    return type == QEvent::KeyPress && IsNavigationKey(key->key());
  }
  if (type == QEvent::ShortcutOverride) {
    key->accept();  // keep Qt's own shortcuts (menu mnemonics) off our keys
    return true;
  }
  run_(*id);
  return true;
}

}  // namespace vxc::ui
