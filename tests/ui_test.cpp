// The calculator window, driven headless: key faces, the mouse on the
// keypad, the keyboard table, the radio groups, the menus in four
// languages, "Initialize" and the settings written on close.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "about_dialog.h"
#include "accelerators.h"
#include "display_box.h"
#include "group_frame.h"
#include "key_faces.h"
#include "key_rules.h"
#include "main_window.h"
#include "menus.h"

namespace vxc::ui {
namespace {

// The first row with this command, skipping the up/down keys unless asked.
int RowOf(CommandId id, bool arrow = false) {
  for (int row = 0; row < kKeyCount; ++row) {
    if (kKeypad[row].commandId == id && (kKeypad[row].keyClass == KeyClass::kDigitArrow) == arrow) return row;
  }
  return -1;
}

QPoint CentreOf(int row) {
  const KeyDef& k = kKeypad[row];
  return {k.x + k.width / 2, k.y + k.height / 2};
}

// ---------------------------------------------------------------- face rules

struct FaceCase {
  const char* what;
  uint32_t base;
  bool error;
  CommandId id;
  Face expected;
};

TEST(KeyFaceRules, FollowTheModeAndTheError) {
  const FaceCase cases[] = {
      {"SIN in REAL", kBaseReal, false, cmd::kSin, Face::kNormal},
      {"D in REAL", kBaseReal, false, cmd::kLetterA + 3, Face::kHidden},
      {"point in REAL", kBaseReal, false, cmd::kPoint, Face::kNormal},
      {"EEX in REAL", kBaseReal, false, cmd::kEex, Face::kNormal},
      {"SIN in HEX", kBaseHex, false, cmd::kSin, Face::kHidden},
      {"A in HEX", kBaseHex, false, cmd::kLetterA, Face::kNormal},
      {"F in HEX", kBaseHex, false, cmd::kLetterF, Face::kNormal},
      {"AND in HEX", kBaseHex, false, cmd::kAnd, Face::kNormal},
      {"NOT in HEX", kBaseHex, false, cmd::kNot, Face::kNormal},
      {"9 in HEX", kBaseHex, false, cmd::kDigit9, Face::kNormal},
      {"point in HEX", kBaseHex, false, cmd::kPoint, Face::kDisabled},
      {"EEX in HEX", kBaseHex, false, cmd::kEex, Face::kDisabled},
      {"+/- in HEX", kBaseHex, false, cmd::kChangeSign, Face::kDisabled},
      {"+/- in DEC", kBaseDec, false, cmd::kChangeSign, Face::kNormal},
      {"A in DEC", kBaseDec, false, cmd::kLetterA, Face::kDisabled},
      {"8 in DEC", kBaseDec, false, cmd::kDigit0 + 8, Face::kNormal},
      {"7 in OCT", kBaseOct, false, cmd::kDigit0 + 7, Face::kNormal},
      {"8 in OCT", kBaseOct, false, cmd::kDigit0 + 8, Face::kDisabled},
      {"9 in OCT", kBaseOct, false, cmd::kDigit9, Face::kDisabled},
      {"C in OCT", kBaseOct, false, cmd::kLetterA + 2, Face::kDisabled},
      {"1 in BIN", kBaseBin, false, cmd::kDigit0 + 1, Face::kNormal},
      {"2 in BIN", kBaseBin, false, cmd::kDigit0 + 2, Face::kDisabled},
      {"7 in BIN", kBaseBin, false, cmd::kDigit0 + 7, Face::kDisabled},
      {"SHL in BIN", kBaseBin, false, cmd::kShl, Face::kNormal},
      {"unknown base acts as REAL", 7, false, cmd::kSin, Face::kNormal},
      {"7 during an error", kBaseReal, true, cmd::kDigit0 + 7, Face::kDisabled},
      {"SIN during an error in REAL", kBaseReal, true, cmd::kSin, Face::kDisabled},
      {"D during an error in REAL", kBaseReal, true, cmd::kLetterA + 3, Face::kHidden},
      {"SIN during an error in HEX", kBaseHex, true, cmd::kSin, Face::kHidden},
      {"D during an error in HEX", kBaseHex, true, cmd::kLetterA + 3, Face::kDisabled},
      {"point during an error in HEX", kBaseHex, true, cmd::kPoint, Face::kDisabled},
      {"CLX during an error", kBaseReal, true, cmd::kClx, Face::kNormal},
      {"CLX during an error in BIN", kBaseBin, true, cmd::kClx, Face::kNormal},
      {"X label during an error", kBaseReal, true, cmd::kCopy, Face::kDisabled},
  };
  for (const FaceCase& c : cases) {
    EXPECT_EQ(RestingFace(RowOf(c.id), FaceModes{c.base, kDisplayFix, c.error}), c.expected) << c.what;
  }
}

TEST(KeyFaceRules, OnlyThePairOfTheDisplayFormatShows) {
  struct {
    uint32_t base, display;
    bool error;
    std::array<Face, 6> faces;  // rows 58..63
  } cases[] = {
      {kBaseReal, kDisplayFix, false, {Face::kNormal, Face::kNormal, Face::kHidden, Face::kHidden, Face::kHidden, Face::kHidden}},
      {kBaseReal, kDisplaySci, false, {Face::kHidden, Face::kHidden, Face::kNormal, Face::kNormal, Face::kHidden, Face::kHidden}},
      {kBaseReal, kDisplayEng, false, {Face::kHidden, Face::kHidden, Face::kHidden, Face::kHidden, Face::kNormal, Face::kNormal}},
      {kBaseReal, kDisplaySci, true, {Face::kHidden, Face::kHidden, Face::kNormal, Face::kNormal, Face::kHidden, Face::kHidden}},
      {kBaseHex, kDisplayFix, false, {Face::kHidden, Face::kHidden, Face::kHidden, Face::kHidden, Face::kHidden, Face::kHidden}},
      {kBaseReal, 9, false, {Face::kHidden, Face::kHidden, Face::kHidden, Face::kHidden, Face::kHidden, Face::kHidden}},
  };
  for (const auto& c : cases) {
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(RestingFace(58 + i, FaceModes{c.base, c.display, c.error}), c.faces[i]) << "row " << 58 + i;
  }
}

TEST(KeypadHitTest, WalksTheRowsInOrder) {
  struct {
    const char* what;
    int x, y;
    FaceModes modes;
    int row;
    bool refused;
  } cases[] = {
      {"SIN's place in REAL", 20, 150, {kBaseReal, 0, false}, RowOf(cmd::kSin), false},
      {"SIN's place in HEX is D", 20, 150, {kBaseHex, 0, false}, RowOf(cmd::kLetterA + 3), false},
      {"shared edge of the FIX pair goes up", 440, 223, {kBaseReal, kDisplayFix, false}, 58, false},
      {"SCI's up key past the hidden FIX down key", 440, 233, {kBaseReal, kDisplaySci, false}, 60, false},
      {"up key refused in an integer mode", 440, 215, {kBaseDec, kDisplayFix, false}, -1, true},
      {"disabled point takes nothing", 120, 275, {kBaseHex, 0, false}, -1, false},
      {"7 refused during an error", 20, 200, {kBaseReal, 0, true}, -1, true},
      {"CLX during an error", 270, 270, {kBaseReal, 0, true}, RowOf(cmd::kClx), false},
      {"both ends of a key count", 3 + 46, 142 + 20, {kBaseReal, 0, false}, RowOf(cmd::kSin), false},
      {"the gap between keys", 51, 150, {kBaseReal, 0, false}, -1, false},
      {"the display", 100, 50, {kBaseReal, 0, false}, -1, false},
  };
  for (const auto& c : cases) {
    const KeyHit hit = HitTestKeypad(c.x, c.y, c.modes);
    EXPECT_EQ(hit.row, c.row) << c.what;
    EXPECT_EQ(hit.refused, c.refused) << c.what;
  }
}

// ------------------------------------------------------------ accelerators

TEST(Accelerators, EveryRowMatchesItsInput) {
  for (const Accelerator& row : kAccelerators) {
    int mods = 0;
    if (row.modifiers & kModShift) mods |= Qt::ShiftModifier;
    if (row.modifiers & kModCtrl) mods |= Qt::ControlModifier;
    if (row.modifiers & kModAlt) mods |= Qt::AltModifier;
    const QString text = row.input == AccelInput::kChar ? QString(QChar(row.code)) : QString();
    const int key = row.input == AccelInput::kChar ? 0 : row.code;
    EXPECT_EQ(MatchAccelerator(key, mods, text), std::optional<CommandId>(row.id)) << "row code " << row.code;
  }
}

TEST(Accelerators, TellApartLookAlikeKeys) {
  struct {
    const char* what;
    int key, mods;
    const char* text;
    std::optional<CommandId> id;
  } cases[] = {
      {"c is the hex digit", Qt::Key_C, 0, "c", cmd::kLetterA + 2},
      {"Alt+C copies", Qt::Key_C, Qt::AltModifier, "c", cmd::kCopy},
      {"Ctrl+C copies", Qt::Key_C, Qt::ControlModifier, "\x03", cmd::kCopy},
      {"x copies", Qt::Key_X, 0, "x", cmd::kCopy},
      {"Alt+X exits", Qt::Key_X, Qt::AltModifier, "x", cmd::kExit},
      {"Alt+? with Shift is About", Qt::Key_Question, Qt::AltModifier | Qt::ShiftModifier, "?", cmd::kAbout},
      {"/ divides", Qt::Key_Slash, 0, "/", cmd::kDiv},
      {"* typed with Shift", Qt::Key_Asterisk, Qt::ShiftModifier, "*", cmd::kMul},
      {"Shift+Tab arrives as Backtab", Qt::Key_Backtab, Qt::ShiftModifier, "", cmd::kFocusPrev},
      {"Tab", Qt::Key_Tab, 0, "\t", cmd::kFocusNext},
      {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", cmd::kEnter},
      {"Space", Qt::Key_Space, 0, " ", cmd::kEnter},
      {"keypad 5", Qt::Key_5, Qt::KeypadModifier, "5", cmd::kDigit0 + 5},
      {"Shift+Home is nothing", Qt::Key_Home, Qt::ShiftModifier, "", std::nullopt},
      {"Ctrl+Up is nothing", Qt::Key_Up, Qt::ControlModifier, "", std::nullopt},
      {"g is nothing", Qt::Key_G, 0, "g", std::nullopt},
      {"Alt+E is left to the menu bar", Qt::Key_E, Qt::AltModifier, "e", std::nullopt},
      {"a non-ASCII character", 0, 0, "\xc3\xa9", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchAccelerator(c.key, c.mods, QString::fromUtf8(c.text)), c.id) << c.what;
}

// -------------------------------------------------------------- the window

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
  }
  MainWindow& Open() {
    window_ = std::make_unique<MainWindow>(SettingsPath());
    window_->SetCommandObserver([this](CommandId id) {
      seen_.push_back(id);
      return swallow_;
    });
    window_->show();
    window_->activateWindow();
    QApplication::processEvents();
    return *window_;
  }
  QString IniText() {
    QFile f(QString::fromStdString(SettingsPath()));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }
  void Mouse(QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
    QWidget* area = window_->calcArea();
    QMouseEvent e(type, QPointF(p), area->mapToGlobal(QPointF(p)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  buttons, Qt::NoModifier);
    QApplication::sendEvent(area, &e);
  }
  void Click(QPoint p) {
    Mouse(QEvent::MouseButtonPress, p, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, p, Qt::NoButton);
  }
  Face FaceOf(int row) const {
    const KeyFaceWidget* w = window_->keypad().keys[row];
    return w->isVisible() ? w->face() : Face::kHidden;
  }
  std::array<QString, 8> Texts() const {
    std::array<QString, 8> t;
    for (int line = 0; line < 4; ++line) {
      t[line * 2] = window_->valueBox(line)->text();
      t[line * 2 + 1] = window_->exponentBox(line)->text();
    }
    return t;
  }

  QTemporaryDir dir_;
  std::unique_ptr<MainWindow> window_;
  std::vector<CommandId> seen_;
  bool swallow_ = false;
};

// The texts a bare engine shows after the same commands.
std::array<QString, 8> EngineTexts(uint32_t base, const std::vector<CommandId>& ids) {
  Engine e;
  DisplayFrame frame;
  e.out.refresh = [&](bool formatEntry) { frame = Refresh(e.state, formatEntry); };
  if (base != kBaseReal) SelectBase(e, base);
  for (CommandId id : ids) Dispatch(e, id);
  frame = Refresh(e.state, false);
  std::array<QString, 8> t;
  for (int line = 0; line < 4; ++line) {
    t[line * 2] = QString::fromStdString(frame.lines[line].main);
    t[line * 2 + 1] = QString::fromStdString(frame.lines[line].exponent);
  }
  return t;
}

TEST_F(WindowTest, ControlsSitAtTheirPlaces) {
  MainWindow& w = Open();
  EXPECT_EQ(w.calcArea()->size(), QSize(kAreaWidth, kAreaHeight));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("=VXC32= (RPN Calculator VXC32 for Linux)"));
  struct {
    QWidget* widget;
    QRect place;
  } cases[] = {
      {w.valueBox(kLineT), {29, 11, 287, 28}},   {w.exponentBox(kLineT), {319, 11, 34, 28}},
      {w.valueBox(kLineY), {29, 67, 287, 28}},   {w.valueBox(kLineX), {29, 103, 287, 28}},
      {w.exponentBox(kLineX), {319, 103, 34, 28}}, {w.radio(kRadioBase + 4), {365, 99, 48, 14}},
      {w.radio(kRadioAngle + 2), {365, 177, 48, 14}}, {w.radio(kRadioMem + 9), {422, 174, 34, 14}},
      {w.radio(kRadioDisplay + 2), {365, 257, 40, 14}}, {w.radio(kRadioRange + 3), {413, 237, 40, 14}},
      {w.digitBox(1), {410, 235, 17, 17}},        {w.displayGroup(), {362, 199, 97, 81}},
      {w.rangeGroup(), {362, 199, 97, 60}},       {w.keypad().keys[RowOf(cmd::kEnter)], {105, 295, 149, 27}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.widget->geometry(), c.place);
}

TEST_F(WindowTest, FacesFollowEachBaseAndTheError) {
  MainWindow& w = Open();
  struct {
    uint32_t base;
    CommandId id;
    Face face;
  } cases[] = {
      {kBaseReal, cmd::kSin, Face::kNormal}, {kBaseReal, cmd::kLetterA, Face::kHidden},
      {kBaseDec, cmd::kChangeSign, Face::kNormal}, {kBaseDec, cmd::kLetterA, Face::kDisabled},
      {kBaseHex, cmd::kLetterA, Face::kNormal}, {kBaseHex, cmd::kPoint, Face::kDisabled},
      {kBaseHex, cmd::kSin, Face::kHidden}, {kBaseOct, cmd::kDigit0 + 8, Face::kDisabled},
      {kBaseBin, cmd::kDigit0 + 2, Face::kDisabled}, {kBaseBin, cmd::kDigit0 + 1, Face::kNormal},
  };
  for (const auto& c : cases) {
    w.SelectBaseMode(c.base);
    EXPECT_EQ(FaceOf(RowOf(c.id)), c.face) << "base " << c.base << " id " << c.id;
    const bool integer = c.base != kBaseReal;
    EXPECT_EQ(w.rangeGroup()->isVisible(), integer);
    EXPECT_EQ(w.displayGroup()->isVisible(), !integer);
    EXPECT_EQ(w.radio(kRadioAngle)->isEnabled(), !integer);
    EXPECT_EQ(w.digitBox(0)->isVisible(), !integer);
    EXPECT_EQ(FaceOf(58), integer ? Face::kHidden : Face::kNormal);
  }

  // An error in an integer mode, CLX, then REAL: every face and radio back.
  w.SelectBaseMode(kBaseDec);
  for (CommandId id : {cmd::kDigit0 + 1, cmd::kEnter, cmd::kDigit0, cmd::kDiv}) w.RunCommand(id);
  ASSERT_TRUE(w.engine().state.errorShown);
  EXPECT_EQ(w.valueBox(kLineX)->textColour(), QColor(255, 0, 0));
  EXPECT_EQ(w.exponentBox(kLineX)->textColour(), QColor(Qt::black));
  EXPECT_EQ(FaceOf(RowOf(cmd::kDigit0 + 7)), Face::kDisabled);
  EXPECT_EQ(FaceOf(RowOf(cmd::kAnd)), Face::kDisabled);
  EXPECT_EQ(FaceOf(RowOf(cmd::kClx)), Face::kNormal);
  EXPECT_FALSE(w.radio(kRadioBase)->isEnabled());
  EXPECT_FALSE(w.radio(kRadioMem + 3)->isEnabled());
  EXPECT_TRUE(w.radio(kRadioRange)->isEnabled());
  w.RunCommand(cmd::kClx);
  EXPECT_EQ(w.valueBox(kLineX)->textColour(), QColor(Qt::black));
  EXPECT_EQ(FaceOf(RowOf(cmd::kDigit0 + 7)), Face::kNormal);
  EXPECT_EQ(FaceOf(RowOf(cmd::kChangeSign)), Face::kNormal);
  EXPECT_FALSE(w.radio(kRadioAngle)->isEnabled());
  w.SelectBaseMode(kBaseReal);
  for (int i = kRadioBase; i < kRadioRange; ++i) EXPECT_TRUE(w.radio(i)->isEnabled()) << "radio " << i;
  EXPECT_TRUE(w.digitBox(2)->isEnabled());
  EXPECT_EQ(FaceOf(RowOf(cmd::kSin)), Face::kNormal);
}

TEST_F(WindowTest, KeyFiresOnlyWhenReleasedOverThePressedKey) {
  Open();
  swallow_ = true;
  const int sin = RowOf(cmd::kSin), seven = RowOf(cmd::kDigit0 + 7), eight = RowOf(cmd::kDigit0 + 8);

  Mouse(QEvent::MouseButtonPress, CentreOf(sin), Qt::LeftButton);
  EXPECT_EQ(FaceOf(sin), Face::kPressed);
  Mouse(QEvent::MouseMove, {200, 60}, Qt::LeftButton);
  EXPECT_EQ(FaceOf(sin), Face::kNormal);
  Mouse(QEvent::MouseMove, CentreOf(sin), Qt::LeftButton);
  EXPECT_EQ(FaceOf(sin), Face::kPressed);
  Mouse(QEvent::MouseMove, {200, 60}, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, {200, 60}, Qt::NoButton);
  EXPECT_EQ(FaceOf(sin), Face::kNormal);
  EXPECT_TRUE(seen_.empty());

  Mouse(QEvent::MouseButtonPress, CentreOf(seven), Qt::LeftButton);
  Mouse(QEvent::MouseMove, CentreOf(eight), Qt::LeftButton);
  EXPECT_EQ(FaceOf(eight), Face::kNormal);  // only the held key is ever pushed in
  Mouse(QEvent::MouseButtonRelease, CentreOf(eight), Qt::NoButton);
  EXPECT_TRUE(seen_.empty());

  Mouse(QEvent::MouseButtonPress, CentreOf(sin), Qt::LeftButton);
  Mouse(QEvent::MouseMove, {200, 60}, Qt::LeftButton);
  Mouse(QEvent::MouseMove, CentreOf(sin), Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, CentreOf(sin), Qt::NoButton);
  EXPECT_EQ(seen_, std::vector<CommandId>{cmd::kSin});
}

TEST_F(WindowTest, DuringAnErrorOnlyClxTakesTheMouse) {
  MainWindow& w = Open();
  for (CommandId id : {cmd::kDigit0 + 1, cmd::kEnter, cmd::kDigit0, cmd::kDiv}) w.RunCommand(id);
  ASSERT_TRUE(w.engine().state.errorShown);
  seen_.clear();
  const int seven = RowOf(cmd::kDigit0 + 7);
  Mouse(QEvent::MouseButtonPress, CentreOf(seven), Qt::LeftButton);
  EXPECT_EQ(FaceOf(seven), Face::kDisabled);
  Mouse(QEvent::MouseButtonRelease, CentreOf(seven), Qt::NoButton);
  EXPECT_TRUE(seen_.empty());
  Click(CentreOf(RowOf(cmd::kClx)));
  EXPECT_EQ(seen_, std::vector<CommandId>{cmd::kClx});
  EXPECT_FALSE(w.engine().state.errorShown);
  EXPECT_EQ(FaceOf(seven), Face::kNormal);
}

struct Sequence {
  const char* what;
  uint32_t base;
  std::vector<CommandId> ids;
  const char* typed;  // the same as typed characters ('\r' for Return)
};

TEST_F(WindowTest, MouseAndKeyboardShowWhatTheEngineShows) {
  const Sequence cases[] = {
      {"REAL arithmetic", kBaseReal,
       {cmd::kDigit0 + 7, cmd::kEnter, cmd::kDigit0 + 2, cmd::kSub, cmd::kDigit0 + 1, cmd::kPoint, cmd::kDigit0 + 5,
        cmd::kMul, cmd::kDigit0 + 4, cmd::kEnter, cmd::kDigit0 + 3, cmd::kDiv, cmd::kDigit0 + 9},
       "7\r2-1.5*4\r3/9"},
      {"REAL entry with backspace and a roll", kBaseReal,
       {cmd::kDigit0 + 1, cmd::kDigit0 + 2, cmd::kDigit0 + 3, cmd::kBackspace, cmd::kEnter, cmd::kDigit0 + 6,
        cmd::kAdd, cmd::kRollDown, cmd::kDigit0 + 8},
       "123\b\r6+\x01" "8"},
      {"HEX digits", kBaseHex,
       {cmd::kLetterA + 1, cmd::kLetterF, cmd::kEnter, cmd::kDigit0 + 3, cmd::kAdd, cmd::kLetterA + 2},
       "bF\r3+c"},
  };
  for (const Sequence& c : cases) {
    const std::array<QString, 8> expected = EngineTexts(c.base, c.ids);

    MainWindow& byMouse = Open();
    byMouse.SelectBaseMode(c.base);
    for (CommandId id : c.ids) {
      const int row = RowOf(id);
      ASSERT_GE(row, 0);
      Click(CentreOf(row));
    }
    EXPECT_EQ(Texts(), expected) << c.what << " by mouse";

    MainWindow& byKeys = Open();
    byKeys.SelectBaseMode(c.base);
    QWidget* target = byKeys.radio(kRadioBase);
    for (const char* ch = c.typed; *ch; ++ch) {
      switch (*ch) {
        case '\r': QTest::keyClick(target, Qt::Key_Return); break;
        case '\b': QTest::keyClick(target, Qt::Key_Backspace); break;
        case '\x01': QTest::keyClick(target, Qt::Key_PageDown); break;
        default: QTest::keyClick(target, *ch); break;
      }
    }
    EXPECT_EQ(Texts(), expected) << c.what << " by keyboard";
  }
}

TEST_F(WindowTest, EveryAcceleratorReachesTheWindowBeforeAnyWidget) {
  MainWindow& w = Open();
  swallow_ = true;
  QRadioButton* focused = w.radio(kRadioBase);
  focused->setFocus();
  for (const Accelerator& row : kAccelerators) {
    seen_.clear();
    Qt::KeyboardModifiers mods;
    if (row.modifiers & kModShift) mods |= Qt::ShiftModifier;
    if (row.modifiers & kModCtrl) mods |= Qt::ControlModifier;
    if (row.modifiers & kModAlt) mods |= Qt::AltModifier;
    if (row.input == AccelInput::kChar)
      QTest::keyClick(focused, char(row.code), mods);
    else
      QTest::keyClick(focused, Qt::Key(row.code), mods);
    EXPECT_EQ(seen_, std::vector<CommandId>{row.id}) << "row code " << row.code;
  }
  // Tab and the arrows never moved the focus or the checked radio.
  EXPECT_EQ(QApplication::focusWidget(), focused);
  EXPECT_TRUE(w.radio(kRadioBase)->isChecked());
}

TEST_F(WindowTest, RadioClicksChangeTheModes) {
  MainWindow& w = Open();
  CalcState& s = w.engine().state;
  QTest::mouseClick(w.radio(kRadioAngle + 1), Qt::LeftButton);
  EXPECT_EQ(s.angle, kAngleRad);
  QTest::mouseClick(w.radio(kRadioMem + 3), Qt::LeftButton);
  EXPECT_EQ(s.memoryIndex, 3u);
  EXPECT_EQ(w.focusGroup(), FocusGroup::kMem);
  QTest::mouseClick(w.radio(kRadioDisplay + 2), Qt::LeftButton);
  EXPECT_EQ(s.display, kDisplayEng);
  EXPECT_EQ(FaceOf(62), Face::kNormal);
  EXPECT_EQ(FaceOf(58), Face::kHidden);
  QTest::mouseClick(w.radio(kRadioBase + 3), Qt::LeftButton);
  EXPECT_EQ(s.base, kBaseOct);
  EXPECT_TRUE(w.radio(kRadioBase + 3)->isChecked());
  EXPECT_FALSE(w.radio(kRadioBase)->isChecked());
  QTest::mouseClick(w.radio(kRadioRange + 2), Qt::LeftButton);
  EXPECT_EQ(s.range, kRangeW);
  EXPECT_EQ(w.focusGroup(), FocusGroup::kRange);
  // Each group keeps its own checked radio.
  EXPECT_TRUE(w.radio(kRadioAngle + 1)->isChecked());
  EXPECT_TRUE(w.radio(kRadioMem + 3)->isChecked());
  EXPECT_TRUE(w.radio(kRadioDisplay + 2)->isChecked());
}

QAction* FindAction(QMenuBar* bar, CommandId id) {
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

TEST_F(WindowTest, MenusInFourLanguages) {
  MainWindow& w = Open();
  struct {
    CommandId item;
    uint32_t code;
    int column;
  } languages[] = {{cmd::kLangEsperanto, kLangEsperanto, 3}, {cmd::kLangJapanese, kLangJapanese, 1},
                   {cmd::kLangChinese, kLangChinese, 2}, {cmd::kLangEnglish, kLangEnglish, 0}};
  for (const auto& lang : languages) {
    w.RunCommand(lang.item);
    QApplication::processEvents();
    EXPECT_EQ(w.engine().state.language, lang.code);
    QMenuBar* bar = w.menuBar();
    ASSERT_EQ(bar->actions().size(), 4);
    EXPECT_EQ(bar->actions()[0]->text(), QString::fromUtf8(kMenuTable[0].text[lang.column]));
    EXPECT_EQ(FindAction(bar, cmd::kAbout)->text(), QString::fromUtf8(kMenuTable[kMenuRowCount - 1].text[lang.column]));
    for (CommandId item : {cmd::kLangEnglish, cmd::kLangJapanese, cmd::kLangChinese, cmd::kLangEsperanto})
      EXPECT_EQ(FindAction(bar, item)->isChecked(), item == lang.item);
    // The alarm's mark follows the state in every language.
    const bool alarm = w.engine().state.errorAlarm;
    EXPECT_EQ(FindAction(bar, cmd::kErrorAlarm)->isChecked(), alarm);
    w.RunCommand(cmd::kErrorAlarm);
    EXPECT_EQ(w.engine().state.errorAlarm, !alarm);
    EXPECT_EQ(FindAction(w.menuBar(), cmd::kErrorAlarm)->isChecked(), !alarm);
    // L.C.M. and G.C.D. only in the integer modes.
    w.SelectBaseMode(kBaseReal);
    EXPECT_FALSE(FindAction(w.menuBar(), cmd::kLcm)->isEnabled());
    EXPECT_FALSE(FindAction(w.menuBar(), cmd::kGcd)->isEnabled());
    w.SelectBaseMode(kBaseDec);
    EXPECT_TRUE(FindAction(w.menuBar(), cmd::kLcm)->isEnabled());
    EXPECT_TRUE(FindAction(w.menuBar(), cmd::kGcd)->isEnabled());
    w.SelectBaseMode(kBaseReal);
  }
}

TEST_F(WindowTest, MenuItemsRunTheirCommands) {
  MainWindow& w = Open();
  swallow_ = true;
  for (CommandId id : {cmd::kCopy, cmd::kPaste, cmd::kWebSite, cmd::kAbout, cmd::kExit}) {
    seen_.clear();
    FindAction(w.menuBar(), id)->trigger();
    EXPECT_EQ(seen_, std::vector<CommandId>{id});
  }
}

TEST_F(WindowTest, InitializeBringsTheWholeWindowToTheDefaults) {
  MainWindow& w = Open();
  CalcState& s = w.engine().state;
  w.RunCommand(cmd::kLangEsperanto);
  w.RunCommand(cmd::kErrorAlarm);
  w.SelectBaseMode(kBaseHex);
  w.SelectRangeMode(kRangeB);
  w.SelectAngleMode(kAngleGrad);
  w.SelectMemoryRegister(5);
  w.radio(kRadioMem + 5)->setChecked(true);
  for (CommandId id : {cmd::kDigit0 + 1, cmd::kEnter, cmd::kDigit0, cmd::kDiv}) w.RunCommand(id);
  ASSERT_TRUE(s.errorShown);
  w.move(40, 50);

  w.RunCommand(cmd::kInitialize);
  EXPECT_FALSE(s.errorShown);
  EXPECT_EQ(s.base, kBaseReal);
  EXPECT_EQ(s.language, kLangEsperanto);  // the language stays
  for (int i : {kRadioBase, kRadioAngle, kRadioMem, kRadioDisplay, kRadioRange})
    EXPECT_TRUE(w.radio(i)->isChecked()) << "radio " << i;
  EXPECT_EQ(FaceOf(RowOf(cmd::kSin)), Face::kNormal);
  EXPECT_EQ(FaceOf(RowOf(cmd::kDigit0 + 7)), Face::kNormal);
  EXPECT_EQ(FaceOf(58), Face::kNormal);
  EXPECT_TRUE(w.displayGroup()->isVisible());
  EXPECT_FALSE(w.rangeGroup()->isVisible());
  EXPECT_TRUE(FindAction(w.menuBar(), cmd::kErrorAlarm)->isChecked());
  EXPECT_TRUE(FindAction(w.menuBar(), cmd::kLangEsperanto)->isChecked());
  EXPECT_FALSE(FindAction(w.menuBar(), cmd::kLcm)->isEnabled());
  EXPECT_EQ(w.valueBox(kLineX)->text(), QStringLiteral("0.00"));
  EXPECT_EQ(w.valueBox(kLineX)->textColour(), QColor(Qt::black));
  EXPECT_EQ(w.digitBox(0)->text(), QStringLiteral("2"));
  EXPECT_EQ(w.pos(), QPoint(0, 0));
  const QString ini = IniText();  // written at once
  EXPECT_TRUE(ini.contains(QStringLiteral("BASE=0"))) << ini.toStdString();
  EXPECT_TRUE(ini.contains(QStringLiteral("Language=4"))) << ini.toStdString();
}

TEST_F(WindowTest, SettingsAreWrittenWhenTheWindowCloses) {
  struct {
    const char* how;
    std::function<void(MainWindow&)> close;
  } ways[] = {
      {"close box", [](MainWindow& w) { w.close(); }},
      {"Exit", [](MainWindow& w) { w.RunCommand(cmd::kExit); }},
      {"Alt+X", [](MainWindow& w) { QTest::keyClick(w.radio(kRadioBase), 'x', Qt::AltModifier); }},
  };
  for (const auto& way : ways) {
    QFile::remove(QString::fromStdString(SettingsPath()));
    MainWindow& w = Open();
    w.SelectBaseMode(kBaseOct);
    w.SelectMemoryRegister(7);
    way.close(w);
    EXPECT_FALSE(w.isVisible()) << way.how;
    const QString ini = IniText();
    EXPECT_TRUE(ini.contains(QStringLiteral("BASE=3"))) << way.how << ini.toStdString();
    EXPECT_TRUE(ini.contains(QStringLiteral("Uses=7"))) << way.how << ini.toStdString();
  }
  // The next start reads them back.
  MainWindow& again = Open();
  EXPECT_EQ(again.engine().state.base, kBaseOct);
  EXPECT_TRUE(again.radio(kRadioBase + 3)->isChecked());
  EXPECT_TRUE(again.radio(kRadioMem + 7)->isChecked());
  EXPECT_EQ(FaceOf(RowOf(cmd::kDigit0 + 8)), Face::kDisabled);
}

TEST_F(WindowTest, AHandEditedFileStartsSafely) {
  QDir().mkpath(dir_.path() + QStringLiteral("/Ostrano/VXC"));
  QFile f(QString::fromStdString(SettingsPath()));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[Option]\nBASE=9\nANGLE=-4\nDISPLAY=7\nRANGE=12\nLanguage=3\n[Pos]\nLeft=-90000\nTop=77777\n");
  f.close();
  MainWindow& w = Open();
  EXPECT_EQ(w.engine().state.base, kBaseReal);
  EXPECT_EQ(w.engine().state.angle, kAngleDeg);
  EXPECT_TRUE(w.radio(kRadioBase)->isChecked());
  EXPECT_EQ(w.menuBar()->actions().size(), 4);  // language 3: the first menu stays
  EXPECT_EQ(w.pos(), QPoint(0, 0));              // off every screen
}

TEST_F(WindowTest, LongTextsShrinkTheFontAndElideRatherThanCut) {
  MainWindow& w = Open();
  for (int i = 0; i < 32; ++i) w.RunCommand(i == 0 ? cmd::kDigit0 + 1 : cmd::kDigit0);
  w.RunCommand(cmd::kEnter);  // 10^31 in FIX 2: 45 characters
  EXPECT_EQ(w.valueBox(kLineX)->text().size(), 45);
  EXPECT_EQ(w.frame().fontPixels, kFontTiny);
  EXPECT_TRUE(w.valueBox(kLineX)->TextFits());
  DisplayBox box(BoxEdge::kClient, Qt::AlignRight, nullptr);
  box.resize(60, 28);
  box.SetText(QString(99, QChar('9')));
  EXPECT_FALSE(box.TextFits());
  EXPECT_EQ(box.text().size(), 99);  // kept whole; only the painting elides
}

TEST_F(WindowTest, InitializeSitsInTheBackgroundMenuOnly) {
  MainWindow& w = Open();
  QString offered;
  auto readAndClose = [&offered] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (QAction* a : menu->actions()) offered += a->text();
      menu->close();
    }
  };
  QTimer::singleShot(0, readAndClose);
  w.AreaContextMenu(QPoint(200, 60), w.calcArea()->mapToGlobal(QPoint(200, 60)));
  EXPECT_EQ(offered, InitializeItemText(UserInJapan()));

  offered.clear();
  QTimer::singleShot(0, readAndClose);
  const QPoint onSeven = CentreOf(RowOf(cmd::kDigit0 + 7));
  w.AreaContextMenu(onSeven, w.calcArea()->mapToGlobal(onSeven));
  QApplication::processEvents();
  EXPECT_TRUE(offered.isEmpty());  // no menu over a key
}

TEST(KeyFaces, ArePaintedAtTheDevicePixelRatio) {
  for (qreal dpr : {1.0, 1.5, 2.0}) {
    const KeyDef& enter = kKeypad[RowOf(cmd::kEnter)];
    const QPixmap face = PaintKeyFace(enter, FaceLook::kPressed, dpr);
    EXPECT_EQ(face.size(), QSize(qRound(149 * dpr), qRound(27 * dpr)));
    EXPECT_EQ(face.devicePixelRatio(), dpr);
  }
  // CLX and the up/down keys have no disabled face.
  EXPECT_TRUE(PaintKeyFace(kKeypad[RowOf(cmd::kClx)], FaceLook::kDisabled, 1).isNull());
  EXPECT_TRUE(PaintKeyFace(kKeypad[58], FaceLook::kDisabled, 1).isNull());
  EXPECT_FALSE(PaintKeyFace(kKeypad[RowOf(cmd::kSin)], FaceLook::kDisabled, 1).isNull());
}

TEST(AboutBox, NamesTheProductAndTheNumberLibraries) {
  QDialog* dialog = CreateAboutDialog(nullptr);
  QStringList texts;
  for (QLabel* label : dialog->findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains(QStringLiteral("VXC32 , Version 0.19 (beta)")));
  const QString credit = NumberLibraryCredit();
  EXPECT_TRUE(texts.contains(credit));
  EXPECT_TRUE(credit.contains(QString::fromLatin1(mpfr_get_version())));
  EXPECT_TRUE(credit.contains(QStringLiteral("GNU GMP")));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("About VXC32"));
  delete dialog;
}

TEST(InitializeItem, ReadsJapaneseOnlyForAUserInJapan) {
  EXPECT_EQ(InitializeItemText(true), QString::fromUtf8("初期化(&I)"));
  EXPECT_EQ(InitializeItemText(false), QStringLiteral("&Initialize"));
}

}  // namespace
}  // namespace vxc::ui

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
