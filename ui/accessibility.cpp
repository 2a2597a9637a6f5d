#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <array>

#include "display_box.h"
#include "group_frame.h"
#include "keypad.h"

namespace vxc::ui {

namespace {

// By table row; the faces show symbols, a screen reader needs words.
// clang-format off
constexpr std::array<const char*, kKeyCount> kKeyNames = {
  "copy X", "SIN", "COS", "TAN", "LOG", "LN", "X squared", "square root",
  "ASIN", "ACOS", "ATAN", "pi", "e to the X", "Y to the X", "1 over X",
  "D", "E", "F", "AND", "OR", "XOR", "XNOR", "A", "B", "C", "SHL", "SHR", "NEG", "NOT",
  "7", "8", "9", "4", "5", "6", "1", "2", "3", "0", "point",
  "last X", "EEX", "change sign", "backspace", "roll down", "multiply", "divide", "roll up",
  "plus", "minus", "CLX", "X factorial", "RCL", "STO", "ST minus", "ENTER", "X exchange Y", "ST plus",
  "FIX digits up", "FIX digits down", "SCI digits up", "SCI digits down", "ENG digits up", "ENG digits down",
};
// clang-format on

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
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

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
  return QString::fromLatin1(kKeyNames[size_t(row)]);
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
