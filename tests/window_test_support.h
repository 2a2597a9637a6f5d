// What the window tests share: a window in a configuration folder of its
// own, commands typed by character, the menu item of a command, the keypad
// row under a command, the ink in a part of an image, the fixture of the
// window tests, and the main function that starts Qt offscreen.
#pragma once

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "display_box.h"
#include "group_frame.h"
#include "key_faces.h"
#include "key_rules.h"
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

// The bounding box of the pixels of `image` inside `region` that `ink` picks.
inline QRect InkIn(const QImage& image, const QRect& region, const std::function<bool(QRgb)>& ink) {
  QRect box;
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x)
      if (ink(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
  return box;
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
  // Closes the window (its save comes first) and writes `text` as the settings file.
  void WriteIni(const QByteArray& text) {
    window_.reset();
    QDir().mkpath(QFileInfo(Ini()).path());
    QFile f(Ini());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
  }
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

// The window tests' fixture (ui_test, ui_state_test): a window at the
// defaults in a base, keys and mouse events sent where a user sends them,
// the commands the window ran, and the check that what shows follows the
// engine's modes.
class WindowTest : public WindowFixture {
 protected:
  static constexpr FocusGroup B = FocusGroup::kBase, A = FocusGroup::kAngle, M = FocusGroup::kMem,
                              D = FocusGroup::kDisplay, R = FocusGroup::kRange;
  static inline const QString kDivError = QStringLiteral("Devide by zero !");
  static void SetClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }
  static QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
  // The modes and the focus group, compared as one.
  struct Modes {
    uint32_t base, angle, mem, display, range;
    FocusGroup group;
    bool operator==(const Modes&) const = default;
  };
  static Modes ModesOf(MainWindow& w) {
    const CalcState& s = w.engine().state;
    return {s.base, s.angle, s.memoryIndex, s.display, s.range, w.focusGroup()};
  }
  void Prepare(MainWindow& w) override {
    w.SetCommandObserver([this](CommandId id) { return seen_.push_back(id), swallow_; });
  }
  // A window at the defaults in `base`, with an error shown if asked.
  MainWindow& Open(uint32_t base = kBaseReal, bool error = false) {
    OpenFresh().SelectBaseMode(base);
    if (error) Type(*window_, "6\r3\r0/");  // the dead entry holds the divisor 0
    return *window_;
  }
  // Keys pressed where the keyboard focus is. U D L R: arrows; T: Tab; S: Shift+Tab. A letter a, b, c ...
  // is a click on radio 0, 1, 2 ... (kRadioBase: a, kRadioAngle: f, kRadioMem: i, kRadioDisplay: s, kRadioRange: v).
  void Keys(const char* keys) {
    static const std::map<char, Qt::Key> named{{'U', Qt::Key_Up},    {'D', Qt::Key_Down}, {'L', Qt::Key_Left},
                                               {'R', Qt::Key_Right}, {'T', Qt::Key_Tab},  {'S', Qt::Key_Backtab}};
    for (const char* k = keys; *k; ++k) {
      if (*k >= 'a') QTest::mouseClick(window_->radio(*k - 'a'), Qt::LeftButton);
      else QTest::keyClick(window_->focusWidget() ? window_->focusWidget() : window_.get(), named.at(*k),
                           *k == 'S' ? Qt::ShiftModifier : Qt::NoModifier);
    }
  }
  void Mouse(QEvent::Type type, QPoint p) {
    QWidget* area = window_->calcArea();
    QMouseEvent e(type, QPointF(p), area->mapToGlobal(QPointF(p)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &e);
  }
  Face FaceOf(int row) const {
    const KeyFaceWidget* w = window_->keypad().keys[row];
    return w->isVisible() ? w->face() : Face::kHidden;
  }
  QString X() const { return window_->valueBox(kLineX)->text(); }
  // The radios, the groups, every key face and X's colour show the engine's modes and error.
  void ExpectShowsTheModes(const std::string& where) {
    MainWindow& w = *window_;
    const CalcState& s = w.engine().state;
    const bool real = s.base == kBaseReal, error = s.errorShown;
    for (int i : {kRadioBase + int(s.base), kRadioAngle + int(s.angle), kRadioMem + int(s.memoryIndex),
                  kRadioDisplay + int(s.display), kRadioRange + int(s.range)})
      EXPECT_TRUE(w.radio(i)->isChecked()) << where << ": radio " << i;
    // REAL shows DISPLAY and the digit boxes, the integer modes RANGE; RANGE is taken during an error.
    EXPECT_EQ((std::vector{w.displayGroup()->isVisible(), w.digitBox(0)->isVisible(), w.rangeGroup()->isVisible()}),
              (std::vector{real, real, !real})) << where;
    EXPECT_EQ((std::vector{w.radio(kRadioBase + 1)->isEnabled(), w.radio(kRadioAngle)->isEnabled(),
                           w.radio(kRadioMem + 3)->isEnabled(), w.radio(kRadioRange)->isEnabled()}),
              (std::vector{!error, real && !error, !error, true})) << where;
    EXPECT_EQ(w.valueBox(kLineX)->textColour(), error ? QColor(255, 0, 0) : QColor(Qt::black)) << where;
    for (int row = 0; row < kKeyCount; ++row)
      EXPECT_EQ(FaceOf(row), RestingFace(row, {s.base, s.display, error})) << where << ": row " << row;
  }
  std::vector<CommandId> seen_;
  bool swallow_ = false;
};

inline int RunWindowTests(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InitNumbers();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

}  // namespace vxc::ui::testing_window
