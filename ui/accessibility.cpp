#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "command_names.h"
#include "display_box.h"
#include "group_frame.h"
#include "keymap.h"
#include "keypad.h"

namespace vxc::ui {

namespace {

// A key: a button that can be pressed while its normal face shows, exactly
// when a click would take it.
class KeyAccessible : public QAccessibleWidget {
 public:
  explicit KeyAccessible(KeyFaceWidget* key) : QAccessibleWidget(key, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return KeySpokenName(Key()->row());
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.disabled = !Usable();
    s.pressed = Key()->face() == Face::kPressed;
    s.focusable = false;  // the keys never take the keyboard focus
    return s;
  }
  QStringList actionNames() const override {
    return Usable() ? QStringList{pressAction()} : QStringList{};
  }
  void doAction(const QString& name) override {
    if (name == pressAction() && Usable()) Key()->Activate();
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    if (name != pressAction()) return {};
    const QString keys = ShortcutsOf(CommandAction(kKeypad[size_t(Key()->row())].commandId));
    return keys.isEmpty() ? QStringList{} : keys.split(QStringLiteral(", "));
  }

 private:
  KeyFaceWidget* Key() const { return static_cast<KeyFaceWidget*>(widget()); }
  bool Usable() const {
    const Face face = Key()->face();
    return Key()->isVisible() && (face == Face::kNormal || face == Face::kPressed);
  }
};

// A display box: static text named with its line and value (set by the
// window), its value the text shown.
class DisplayBoxAccessible : public QAccessibleWidget {
 public:
  explicit DisplayBoxAccessible(DisplayBox* box) : QAccessibleWidget(box, QAccessible::StaticText) {}
  QString text(QAccessible::Text t) const override {
    const auto* box = static_cast<DisplayBox*>(widget());
    if (t == QAccessible::Name) return box->spokenText();
    if (t == QAccessible::Value) return box->text();
    return QAccessibleWidget::text(t);
  }
};

std::function<void(QObject*, QAccessible::Event)>& Watcher() {
  static std::function<void(QObject*, QAccessible::Event)> watcher;
  return watcher;
}

QAccessibleInterface* WindowPartFactory(const QString&, QObject* object) {
  if (auto* key = dynamic_cast<KeyFaceWidget*>(object)) return new KeyAccessible(key);
  if (auto* box = dynamic_cast<DisplayBox*>(object)) return new DisplayBoxAccessible(box);
  if (auto* frame = dynamic_cast<GroupFrame*>(object)) return new QAccessibleWidget(frame, QAccessible::Grouping);
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(WindowPartFactory);
}

QString KeySpokenName(int row) {
  if (row < 0 || row >= kKeyCount) return {};
  const ActionName* names = FindActionName(CommandAction(kKeypad[size_t(row)].commandId));
  if (names == nullptr) return {};
  QString spoken = QString::fromUtf8(names->spoken.data(), qsizetype(names->spoken.size()));
  // The up and down keys beside each digit-count box say which format they change.
  static const char* const kFormats[3] = {"FIX ", "SCI ", "ENG "};
  for (size_t f = 0; f < kArrowPairFirstRow.size(); ++f) {
    if (row == kArrowPairFirstRow[f] || row == kArrowPairFirstRow[f] + 1) spoken.prepend(QLatin1String(kFormats[f]));
  }
  return spoken;
}

QString SpokenLine(const QString& line, const QString& main, const QString& exponent, bool error) {
  if (error) return line + QStringLiteral(", error: ") + main;
  if (main.isEmpty() && exponent.isEmpty()) return line;
  if (exponent.isEmpty()) return line + QStringLiteral(", ") + main;
  return line + QStringLiteral(", ") + main + QStringLiteral("e") + exponent;
}

void NotifyScreenReader(QObject* object, QAccessible::Event change) {
  QAccessibleEvent event(object, change);
  QAccessible::updateAccessibility(&event);
  if (Watcher()) Watcher()(object, change);
}

void WatchScreenReaderNotices(std::function<void(QObject*, QAccessible::Event)> watcher) {
  Watcher() = std::move(watcher);
}

}  // namespace vxc::ui
