// The keyboard table: typed characters and keys to command ids, matched in
// table order (the first match wins) by an application-wide event filter,
// before any widget sees the key.
#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <optional>

#include "command_ids.h"

class QKeyEvent;
class QWidget;

namespace vxc::ui {

enum class AccelInput : uint8_t {
  kChar,  // the typed character, exactly (case counts)
  kKey,   // a key with exactly these modifiers
};

enum AccelModifier : uint8_t { kModNone = 0, kModShift = 1, kModCtrl = 2, kModAlt = 4 };

struct Accelerator {
  AccelInput input;
  int code;  // a character for kChar, a Qt::Key for kKey
  uint8_t modifiers;
  CommandId id;
};

// Rows of the table; digit and letter ranges are written out one per row.
inline constexpr int kAcceleratorCount = 20 + 2 + 10 + 12 + 11;
extern const std::array<Accelerator, kAcceleratorCount> kAccelerators;

// The command of a key press, or nothing. `text` is the typed text (empty
// when the key types nothing); `qtKey` and `qtModifiers` are Qt's.
std::optional<CommandId> MatchAccelerator(int qtKey, int qtModifiers, const QString& text);

// Installed on the application: key presses in `window` (and not in a modal
// dialog or an open menu) that match the table go to `run` and stop there.
class AcceleratorFilter : public QObject {
 public:
  AcceleratorFilter(QWidget* window, std::function<void(CommandId)> run);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::function<void(CommandId)> run_;
};

}  // namespace vxc::ui
