// What the window tests share: a window in a configuration folder of its
// own, commands typed by character, the menu item of a command, the keypad
// row under a command, and the main function that starts Qt offscreen.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <memory>

#include "keypad_table.h"
#include "main_window.h"
#include "tape_file.h"

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace vxc::ui::testing_window {

// The first keypad row with this command, skipping the up/down keys.
inline int RowOf(CommandId id) {
  for (int row = 0; row < kKeyCount; ++row)
    if (kKeypad[row].commandId == id && kKeypad[row].keyClass != KeyClass::kDigitArrow) return row;
  return -1;
}
inline QPoint CentreOf(int row) { return {kKeypad[row].x + kKeypad[row].width / 2, kKeypad[row].y + kKeypad[row].height / 2}; }

inline QAction* FindAction(QMenuBar* bar, CommandId id) {
  std::function<QAction*(const QList<QAction*>&)> find = [&](const QList<QAction*>& actions) -> QAction* {
    for (QAction* a : actions)
      if (QAction* hit = a->menu() ? find(a->menu()->actions()) : a->data().toUInt() == id ? a : nullptr) return hit;
    return nullptr;
  };
  return find(bar->actions());
}

// Commands by character: digits, A-F, and ". ENTER EEX +/- + - * / CLX backspace roll-down".
inline CommandId CommandOf(char c) {
  static const std::map<char, CommandId> others{
      {'.', cmd::kPoint}, {'\r', cmd::kEnter}, {'e', cmd::kEex}, {'~', cmd::kChangeSign}, {'+', cmd::kAdd},
      {'-', cmd::kSub},   {'*', cmd::kMul},    {'/', cmd::kDiv}, {'#', cmd::kClx},        {'\b', cmd::kBackspace},
      {'\x01', cmd::kRollDown}};
  if (c >= '0' && c <= '9') return cmd::kDigit0 + CommandId(c - '0');
  if (c >= 'A' && c <= 'F') return cmd::kLetterA + CommandId(c - 'A');
  return others.at(c);
}
inline void Type(MainWindow& w, const char* typed) {
  for (const char* c = typed; *c; ++c) w.RunCommand(CommandOf(*c));
}

inline QString Clipboard() { return QGuiApplication::clipboard()->text(); }
inline QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A window whose settings file lives in a temporary folder.
class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
    qputenv("XDG_DATA_HOME", dir_.path().toUtf8());
  }
  QString Ini() const { return QString::fromStdString(SettingsPath()); }
  QString IniText() const { return QString::fromUtf8(ReadFile(Ini())); }
  // A window started from the settings file as it is.
  MainWindow& Reopen() {
    window_.reset();
    window_ = std::make_unique<MainWindow>(SettingsPath(), TapePath());
    Prepare(*window_);
    window_->show();
    window_->activateWindow();
    QApplication::processEvents();
    return *window_;
  }
  // A window at the defaults.
  MainWindow& OpenFresh() {
    window_.reset();
    QFile::remove(Ini());
    QFile::remove(QString::fromStdString(TapePath()));
    return Reopen();
  }
  virtual void Prepare(MainWindow&) {}

  QTemporaryDir dir_;
  std::unique_ptr<MainWindow> window_;
};

inline int RunWindowTests(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InitNumbers();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

}  // namespace vxc::ui::testing_window
