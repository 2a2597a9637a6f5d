// The keyboard map: every shortcut of the window, one row each, matched in
// table order (the first match wins) by an application-wide event filter
// before any widget sees the key. Its first rows are the accelerator table
// the calculator has always had, unchanged; the rows after them give every
// other keypad key and every radio choice a shortcut. The tooltips, the
// Keyboard Shortcuts sheet and `vxc32 --keymap` are all made from it.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <iosfwd>
#include <optional>

#include "command_ids.h"
#include "command_names.h"

class QKeyEvent;
class QWidget;

namespace vxc::ui {

enum class AccelInput : uint8_t {
  kChar,  // the typed character, exactly (case counts); Alt must match, Ctrl never
  kKey,   // a key with exactly these modifiers (Shift aside for keys that type a symbol)
};

enum AccelModifier : uint8_t { kModNone = 0, kModShift = 1, kModCtrl = 2, kModAlt = 4 };

struct KeyBinding {
  AccelInput input;
  int code;  // a character for kChar, a Qt::Key for kKey
  uint8_t modifiers;
  uint8_t modes;  // ModeMask: the BASE modes in which the row is looked at
  Action action;
};

// Rows of the accelerator table; digit and letter ranges are written out one per row.
inline constexpr int kAcceleratorCount = 20 + 2 + 10 + 12 + 11;
inline constexpr int kKeyMapCount = kAcceleratorCount + 65 + 4 + 27 + 1;
// The first kAcceleratorCount rows are the accelerator table.
extern const std::array<KeyBinding, kKeyMapCount> kKeyMap;

// What a key press does in the mode `modeBit` (ModeBitOf(base)), or nothing.
// `text` is the typed text (empty when the key types nothing); `qtKey` and
// `qtModifiers` are Qt's.
std::optional<Action> MatchKey(int qtKey, int qtModifiers, const QString& text, uint8_t modeBit);

// A row's input as Qt writes it: "Ctrl+Shift+C", "Shift+S", "@", "F9".
QString BindingText(const KeyBinding& row, bool native);

// The shortcuts of `action` in the order of the map, as the user's desktop
// writes them, joined by ", "; empty when it has none.
QString ShortcutsOf(Action action);

// Every row, one a line: the shortcut in Qt's portable text, a tab, the
// vxc32-keys token. Needs no display.
void PrintKeyMap(std::ostream& out);

// A widget with this property set to true (the tape's list and buttons)
// keeps the keys that move, select, copy and press in it; every other key
// still goes by the map, so typing goes on calculating.
inline constexpr char kOwnKeysProperty[] = "vxcOwnKeys";

// Installed on the application: key presses in `window` (and not in a modal
// dialog or an open menu) that match the map go to `run` and stop there.
class KeyMapFilter : public QObject {
 public:
  KeyMapFilter(QWidget* window, std::function<uint8_t()> modeBit, std::function<void(Action)> run);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::function<uint8_t()> modeBit_;
  std::function<void(Action)> run_;
};

}  // namespace vxc::ui
