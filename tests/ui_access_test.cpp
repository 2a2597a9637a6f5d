// The window as a screen reader finds it: every visible key and display box
// named, keys that can be pressed exactly when a click would work, and an
// error announced in the X line.
#include <QAccessible>

#include "accessibility.h"
#include "ui_window_fixture.h"

namespace vxc::ui {
namespace {

// Every interface below `root`, depth first.
void Walk(QAccessibleInterface* root, std::vector<QAccessibleInterface*>& out) {
  if (root == nullptr) return;
  out.push_back(root);
  for (int i = 0; i < root->childCount(); ++i) Walk(root->child(i), out);
}

QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

class AccessTest : public WindowFixture {
 protected:
  // The interfaces of the visible keys and display boxes found by walking
  // the tree from the window.
  struct Found {
    int keys = 0, boxes = 0;
  };
  Found WalkWindow(const char* what) {
    std::vector<QAccessibleInterface*> all;
    Walk(Of(window_.get()), all);
    Found found;
    for (QAccessibleInterface* iface : all) {
      auto* widget = qobject_cast<QWidget*>(iface->object());
      if (widget == nullptr || !widget->isVisible()) continue;
      const bool key = dynamic_cast<KeyFaceWidget*>(widget) != nullptr;
      const bool box = dynamic_cast<DisplayBox*>(widget) != nullptr;
      if (!key && !box) continue;
      EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty()) << what << ": " << widget->geometry().x() << ","
                                                             << widget->geometry().y();
      EXPECT_EQ(iface->role(), key ? QAccessible::Button : QAccessible::StaticText) << what;
      EXPECT_FALSE(iface->state().invisible) << what;
      found.keys += key;
      found.boxes += box;
    }
    return found;
  }
  int VisibleKeys() const {
    int n = 0;
    for (const KeyFaceWidget* k : window_->keypad().keys) n += k->isVisible();
    return n;
  }
};

TEST_F(AccessTest, EveryVisibleKeyAndDisplayBoxHasAName) {
  struct {
    const char* what;
    uint32_t base;
    const char* typed;
    int boxes;  // 3 labels, 4 values, 4 exponents, and the digit boxes in REAL
  } cases[] = {
      {"REAL", kBaseReal, "5\r", 14},
      {"HEX", kBaseHex, "FF\r", 11},
      {"REAL error", kBaseReal, "1\r0/", 14},
      {"BIN error", kBaseBin, "1\r0/", 11},
  };
  for (const auto& c : cases) {
    MainWindow& w = Open();
    w.SelectBaseMode(c.base);
    Type(w, c.typed);
    const Found found = WalkWindow(c.what);
    EXPECT_EQ(found.keys, VisibleKeys()) << c.what;
    EXPECT_GT(found.keys, 40) << c.what;
    EXPECT_EQ(found.boxes, c.boxes) << c.what;
  }
}

TEST_F(AccessTest, DisplayLinesReadLineAndValue) {
  struct {
    const char* what;
    uint32_t display;
    const char* typed;
    int line;
    const char* name;
    const char* value;
  } cases[] = {
      {"X after ENTER", kDisplayFix, "5\r", kLineX, "X, 5.00", "5.00"},
      {"Y after ENTER", kDisplayFix, "5\r", kLineY, "Y, 5.00", "5.00"},
      {"X with an exponent", kDisplaySci, "1.5e12\r", kLineX, "X, 1.50e12", "1.50"},
      {"X during entry", kDisplayFix, "12.", kLineX, "X, 12.", "12."},
      {"the error", kDisplayFix, "1\r0/", kLineX, "X, error: Devide by zero !", "Devide by zero !"},
  };
  for (const auto& c : cases) {
    MainWindow& w = Open();
    w.SelectDisplayMode(c.display);
    Type(w, c.typed);
    QAccessibleInterface* iface = Of(w.valueBox(c.line));
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Name), QString::fromLatin1(c.name)) << c.what;
    EXPECT_EQ(iface->text(QAccessible::Value), QString::fromLatin1(c.value)) << c.what;
  }
  EXPECT_EQ(SpokenLine(QStringLiteral("T"), {}, {}, false), QStringLiteral("T"));
  EXPECT_EQ(Of(window_->exponentBox(kLineX))->text(QAccessible::Name), QStringLiteral("X exponent"));
  EXPECT_EQ(Of(window_->digitBox(0))->text(QAccessible::Name), QStringLiteral("FIX digits, 2"));
}

TEST_F(AccessTest, AnErrorIsAnnouncedOnceAndItsEndToo) {
  MainWindow& w = Open();
  Type(w, "1\r0");
  std::vector<QAccessible::Event> notices;  // of the X value box
  WatchScreenReaderNotices([&](QObject* object, QAccessible::Event change) {
    if (object == w.valueBox(kLineX)) notices.push_back(change);
  });
  Type(w, "/");
  EXPECT_EQ(notices, (std::vector<QAccessible::Event>{QAccessible::NameChanged, QAccessible::Alert}));
  Type(w, "5");  // refused: nothing new to say
  Type(w, "#");
  EXPECT_EQ(notices, (std::vector<QAccessible::Event>{QAccessible::NameChanged, QAccessible::Alert,
                                                      QAccessible::NameChanged}));
  EXPECT_EQ(Of(w.valueBox(kLineX))->text(QAccessible::Name), QStringLiteral("X, 1.00"));
  WatchScreenReaderNotices({});
}

TEST_F(AccessTest, KeysArePressedOnlyWhenAClickWouldWork) {
  struct {
    const char* what;
    uint32_t base;
    bool error;
    CommandId id;
    bool pressable;
  } cases[] = {
      {"7 in REAL", kBaseReal, false, cmd::kDigit0 + 7, true},
      {"SIN in REAL", kBaseReal, false, cmd::kSin, true},
      {"8 in OCT", kBaseOct, false, cmd::kDigit0 + 8, false},
      {"A in HEX", kBaseHex, false, cmd::kLetterA, true},
      {"7 during an error", kBaseReal, true, cmd::kDigit0 + 7, false},
      {"copy X during an error", kBaseReal, true, cmd::kCopy, false},
      {"CLX during an error", kBaseReal, true, cmd::kClx, true},
  };
  for (const auto& c : cases) {
    MainWindow& w = Open();
    w.SelectBaseMode(c.base);
    if (c.error) Type(w, "1\r0/");
    std::vector<CommandId> seen;
    w.SetCommandObserver([&seen](CommandId id) {
      seen.push_back(id);
      return true;
    });
    QAccessibleInterface* key = Of(w.keypad().keys[RowOf(c.id)]);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->state().disabled, !c.pressable) << c.what;
    QAccessibleActionInterface* actions = key->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(seen, c.pressable ? std::vector<CommandId>{c.id} : std::vector<CommandId>{}) << c.what;
  }
}

TEST(KeyNames, AreUniqueWordsForEveryRow) {
  QStringList names;
  for (int row = 0; row < kKeyCount; ++row) {
    const QString name = KeySpokenName(row);
    EXPECT_FALSE(name.isEmpty()) << row;
    names << name;
  }
  EXPECT_EQ(names.removeDuplicates(), 0);  // the three up keys differ by their format
  EXPECT_EQ(KeySpokenName(RowOf(cmd::kBackspace)), QStringLiteral("backspace"));  // the face shows a symbol
  EXPECT_TRUE(KeySpokenName(kKeyCount).isEmpty());
  EXPECT_TRUE(KeySpokenName(-1).isEmpty());
}

}  // namespace
}  // namespace vxc::ui
