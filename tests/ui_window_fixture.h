// A calculator window for the keyboard and accessibility tests: its settings
// in a temporary folder, keys typed the way the user types them.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "display_box.h"
#include "group_frame.h"
#include "key_rules.h"
#include "main_window.h"

namespace vxc::ui {

// The first keypad row with this command, skipping the up/down keys.
inline int RowOf(CommandId id) {
  for (int row = 0; row < kKeyCount; ++row) {
    if (kKeypad[row].commandId == id && kKeypad[row].keyClass != KeyClass::kDigitArrow) return row;
  }
  return -1;
}

inline QPoint CentreOf(int row) {
  const KeyDef& k = kKeypad[row];
  return {k.x + k.width / 2, k.y + k.height / 2};
}

inline QAction* FindAction(QMenuBar* bar, CommandId id) {
  std::vector<QMenu*> menus;
  for (QAction* a : bar->actions())
    if (a->menu()) menus.push_back(a->menu());
  while (!menus.empty()) {
    QMenu* m = menus.back();
    menus.pop_back();
    for (QAction* a : m->actions()) {
      if (a->menu()) menus.push_back(a->menu());
      else if (a->data().toUInt() == id) return a;
    }
  }
  return nullptr;
}

// Commands by character: digits, '.', A-F, '\r' ENTER, 'e' EEX, '~' +/-,
// '+' '-' '*' '/', '#' CLX.
inline void Type(MainWindow& w, const char* typed) {
  for (const char* c = typed; *c; ++c) {
    CommandId id = 0;
    if (*c >= '0' && *c <= '9') id = cmd::kDigit0 + CommandId(*c - '0');
    else if (*c >= 'A' && *c <= 'F') id = cmd::kLetterA + CommandId(*c - 'A');
    else if (*c == '.') id = cmd::kPoint;
    else if (*c == '\r') id = cmd::kEnter;
    else if (*c == 'e') id = cmd::kEex;
    else if (*c == '~') id = cmd::kChangeSign;
    else if (*c == '+') id = cmd::kAdd;
    else if (*c == '-') id = cmd::kSub;
    else if (*c == '*') id = cmd::kMul;
    else if (*c == '/') id = cmd::kDiv;
    else if (*c == '#') id = cmd::kClx;
    ASSERT_NE(id, 0u) << "no command for " << *c;
    w.RunCommand(id);
  }
}

class WindowFixture : public ::testing::Test {
 public:
  // A key press where the keyboard focus is; `text` for a typed character.
  void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier, const char* text = nullptr) {
    QWidget* target = window_->focusWidget() ? window_->focusWidget() : window_.get();
    if (text != nullptr) QTest::keyClick(target, text[0], mods);
    else QTest::keyClick(target, key, mods);
  }
  // A left click on the calculator area at `p`.
  void Click(QPoint p) {
    QWidget* area = window_->calcArea();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent e(type, QPointF(p), area->mapToGlobal(QPointF(p)), Qt::LeftButton,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(area, &e);
    }
  }
  Face FaceOf(int row) const {
    const KeyFaceWidget* w = window_->keypad().keys[row];
    return w->isVisible() ? w->face() : Face::kHidden;
  }

 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
  }
  // A fresh window at the defaults (the previous one closes unsaved).
  MainWindow& Open() {
    window_.reset();
    QFile::remove(QString::fromStdString(SettingsPath()));
    window_ = std::make_unique<MainWindow>(SettingsPath());
    window_->show();
    window_->activateWindow();
    QApplication::processEvents();
    return *window_;
  }

  QTemporaryDir dir_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace vxc::ui
