// The window from the keyboard: the focus keys among the mode groups (also
// during an error), keys that must not reach Qt's own focus handling, and
// Copy and Paste through every way in.
#include "ui_window_fixture.h"

#include <QClipboard>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>

#include "focus.h"

namespace vxc::ui {
namespace {

// ------------------------------------------------------------ pure rules

TEST(FocusRules, TabCyclesTheGroupsOfTheMode) {
  const FocusGroup B = FocusGroup::kBase, A = FocusGroup::kAngle, M = FocusGroup::kMem, D = FocusGroup::kDisplay,
                   R = FocusGroup::kRange;
  struct {
    bool integer, forward;
    std::vector<FocusGroup> cycle;  // from BASE back to BASE
  } cases[] = {
      {false, true, {A, D, M, B}},
      {false, false, {M, D, A, B}},
      {true, true, {R, M, B}},
      {true, false, {M, R, B}},
  };
  for (const auto& c : cases) {
    FocusGroup at = B;
    for (FocusGroup next : c.cycle) {
      at = NextFocusGroup(at, c.integer, c.forward);
      EXPECT_EQ(at, next) << "integer " << c.integer << " forward " << c.forward;
    }
  }
}

// ---------------------------------------------------- focus in the window

// The modes and the focus group after a few keys.
struct Modes {
  uint32_t base, angle, mem, display, range;
  FocusGroup group;
  bool operator==(const Modes&) const = default;
};

Modes ModesOf(MainWindow& w) {
  const CalcState& s = w.engine().state;
  return {s.base, s.angle, s.memoryIndex, s.display, s.range, w.focusGroup()};
}

std::ostream& operator<<(std::ostream& os, const Modes& m) {
  return os << "base " << m.base << " angle " << m.angle << " mem " << m.mem << " display " << m.display << " range "
            << m.range << " group " << int(m.group);
}

class FocusTest : public WindowFixture {
 protected:
  // U D L R: arrows; T: Tab; S: Shift+Tab.
  void Keys(const char* keys) {
    for (const char* k = keys; *k; ++k) {
      switch (*k) {
        case 'U': Press(Qt::Key_Up); break;
        case 'D': Press(Qt::Key_Down); break;
        case 'L': Press(Qt::Key_Left); break;
        case 'R': Press(Qt::Key_Right); break;
        case 'T': Press(Qt::Key_Tab); break;
        case 'S': Press(Qt::Key_Backtab, Qt::ShiftModifier); break;
        default: FAIL() << "no key " << *k;
      }
    }
  }
  // Each group's checked radio is its mode's, and outside an error the
  // focused group's radio has the keyboard focus.
  void ExpectRadiosShow(const char* what) {
    const Modes m = ModesOf(*window_);
    const int checked[5] = {kRadioBase + int(m.base), kRadioAngle + int(m.angle), kRadioMem + int(m.mem),
                            kRadioDisplay + int(m.display), kRadioRange + int(m.range)};
    for (int index : checked) EXPECT_TRUE(window_->radio(index)->isChecked()) << what << ": radio " << index;
    if (window_->engine().state.errorShown) return;
    EXPECT_EQ(window_->focusWidget(), window_->radio(checked[int(m.group)])) << what;
  }
};

constexpr FocusGroup kB = FocusGroup::kBase, kA = FocusGroup::kAngle, kM = FocusGroup::kMem,
                     kD = FocusGroup::kDisplay, kR = FocusGroup::kRange;

struct FocusCase {
  const char* what;
  uint32_t base;
  bool error;  // 6 ENTER 3 ENTER 0 / first
  const char* keys;
  Modes expected;
};

TEST_F(FocusTest, KeysStepAndMoveInEveryGroup) {
  const FocusCase cases[] = {
      {"Up from REAL selects BIN", kBaseReal, false, "U", {kBaseBin, 0, 0, 0, 0, kB}},
      {"Down from BIN wraps to REAL", kBaseReal, false, "UD", {kBaseReal, 0, 0, 0, 0, kB}},
      {"Right steps like Down", kBaseReal, false, "RR", {kBaseHex, 0, 0, 0, 0, kB}},
      {"Left steps like Up", kBaseReal, false, "LL", {kBaseOct, 0, 0, 0, 0, kB}},
      {"ANGLE: Up wraps DEG to GRAD", kBaseReal, false, "TU", {kBaseReal, kAngleGrad, 0, 0, 0, kA}},
      {"ANGLE: three steps come round", kBaseReal, false, "TDDD", {kBaseReal, kAngleDeg, 0, 0, 0, kA}},
      {"DISPLAY: Left wraps FIX to ENG", kBaseReal, false, "TTL", {kBaseReal, 0, 0, kDisplayEng, 0, kD}},
      {"DISPLAY: Down gives SCI", kBaseReal, false, "TTD", {kBaseReal, 0, 0, kDisplaySci, 0, kD}},
      {"MEM: Up from 0 gives 9", kBaseReal, false, "SU", {kBaseReal, 0, 9, 0, 0, kM}},
      {"MEM: Down from 9 gives 0", kBaseReal, false, "SUD", {kBaseReal, 0, 0, 0, 0, kM}},
      {"MEM reached by Tab from DISPLAY", kBaseReal, false, "TTTR", {kBaseReal, 0, 1, 0, 0, kM}},
      {"Tab from MEM is BASE again", kBaseReal, false, "TTTTD", {kBaseDec, 0, 0, 0, 0, kB}},
      {"Shift+Tab from ANGLE is BASE", kBaseReal, false, "TDSD", {kBaseDec, kAngleRad, 0, 0, 0, kB}},
      {"HEX: Tab reaches RANGE, Right gives W", kBaseHex, false, "TR", {kBaseHex, 0, 0, 0, kRangeW, kR}},
      {"RANGE: then Down gives B", kBaseHex, false, "TRD", {kBaseHex, 0, 0, 0, kRangeB, kR}},
      {"RANGE: Up from QW gives DW", kBaseDec, false, "TU", {kBaseDec, 0, 0, 0, kRangeDW, kR}},
      {"RANGE: Left from DW gives B", kBaseDec, false, "TUL", {kBaseDec, 0, 0, 0, kRangeB, kR}},
      {"RANGE: round the square", kBaseDec, false, "TULUR", {kBaseDec, 0, 0, 0, kRangeQW, kR}},
      {"integer Shift+Tab: MEM, then RANGE", kBaseOct, false, "SS", {kBaseOct, 0, 0, 0, 0, kR}},
      {"integer: Tab from RANGE is MEM", kBaseBin, false, "TTU", {kBaseBin, 0, 9, 0, 0, kM}},
      {"BASE stepped to REAL shows ANGLE next", kBaseBin, false, "DTU", {kBaseReal, kAngleGrad, 0, 0, 0, kA}},
      // While an error shows, the keys still step the groups and change the modes.
      {"error: BASE Up selects BIN", kBaseReal, true, "U", {kBaseBin, 0, 0, 0, 0, kB}},
      {"error: ANGLE", kBaseReal, true, "TD", {kBaseReal, kAngleRad, 0, 0, 0, kA}},
      {"error: DISPLAY", kBaseReal, true, "TTU", {kBaseReal, 0, 0, kDisplayEng, 0, kD}},
      {"error: MEM", kBaseReal, true, "SU", {kBaseReal, 0, 9, 0, 0, kM}},
      {"error: RANGE", kBaseHex, true, "TL", {kBaseHex, 0, 0, 0, kRangeW, kR}},
      {"error: HEX back to REAL", kBaseHex, true, "LL", {kBaseReal, 0, 0, 0, 0, kB}},
  };
  for (const FocusCase& c : cases) {
    MainWindow& w = Open();
    w.SelectBaseMode(c.base);
    if (c.error) Type(w, "6\r3\r0/");
    ASSERT_EQ(w.engine().state.errorShown, c.error) << c.what;
    Keys(c.keys);
    EXPECT_EQ(ModesOf(w), c.expected) << c.what;
    EXPECT_EQ(w.engine().state.errorShown, c.error) << c.what;
    ExpectRadiosShow(c.what);
    // The window shows the modes: keypad, groups, and the error look kept.
    EXPECT_EQ(FaceOf(RowOf(cmd::kSin)), c.error ? (c.expected.base == kBaseReal ? Face::kDisabled : Face::kHidden)
                                       : (c.expected.base == kBaseReal ? Face::kNormal : Face::kHidden))
        << c.what;
    EXPECT_EQ(w.rangeGroup()->isVisible(), c.expected.base != kBaseReal) << c.what;
    if (c.error) EXPECT_EQ(w.valueBox(kLineX)->text(), QStringLiteral("Devide by zero !")) << c.what;
  }
}

TEST_F(FocusTest, StepsChangeWhatTheDisplayShowsAtOnce) {
  struct {
    const char* what;
    uint32_t base;
    const char* typed;
    const char* keys;
    const char* x;
  } cases[] = {
      {"RANGE QW to W cuts X to 16 bits", kBaseDec, "70000\r", "TR", "4464"},
      {"then W to B cuts it to 8 bits", kBaseDec, "70000\r", "TRD", "112"},
      {"REAL to BIN converts X", kBaseReal, "5\r", "U", "101"},
      {"DISPLAY FIX to SCI", kBaseReal, "1234.5\r", "TTD", "1.23"},
      {"MEM steps leave the display alone", kBaseReal, "1234.5\r", "SUUU", "1,234.50"},
  };
  for (const auto& c : cases) {
    MainWindow& w = Open();
    w.SelectBaseMode(c.base);
    Type(w, c.typed);
    Keys(c.keys);
    EXPECT_EQ(w.valueBox(kLineX)->text(), QString::fromLatin1(c.x)) << c.what;
  }
}

TEST_F(FocusTest, BaseSwitchedDuringAnErrorKeepsTheRegistersClxBringsBack) {
  MainWindow& w = Open();
  Type(w, "6\r3\r0/");  // the dead entry holds the divisor 0; CLX would show 3
  Keys("U");           // BIN
  Type(w, "#");         // CLX
  EXPECT_FALSE(w.engine().state.errorShown);
  EXPECT_EQ(w.valueBox(kLineX)->text(), QStringLiteral("11"));
  EXPECT_EQ(w.valueBox(kLineY)->text(), QStringLiteral("110"));
  // And the keypad is BIN's: 2 greyed, 1 usable.
  EXPECT_EQ(FaceOf(RowOf(cmd::kDigit0 + 2)), Face::kDisabled);
  EXPECT_EQ(FaceOf(RowOf(cmd::kDigit0 + 1)), Face::kNormal);
}

// Menu bars that open from the Alt key (as on some desktops).
class AltMenuStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

TEST_F(FocusTest, QtsOwnFocusHandlingNeverRuns) {
  MainWindow& w = Open();
  const Modes start = ModesOf(w);
  QWidget* focused = w.focusWidget();
  ASSERT_EQ(focused, w.radio(kRadioBase));
  struct {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
  } stray[] = {
      {Qt::Key_Up, Qt::ShiftModifier},   {Qt::Key_Down, Qt::ControlModifier},
      {Qt::Key_Left, Qt::AltModifier},   {Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier},
      {Qt::Key_Tab, Qt::ControlModifier}, {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
  };
  for (const auto& k : stray) {
    QTest::keyClick(focused, k.key, k.mods);
    EXPECT_EQ(ModesOf(w), start) << "key " << k.key << " mods " << k.mods;
    EXPECT_EQ(w.focusWidget(), focused) << "key " << k.key << " mods " << k.mods;
    EXPECT_TRUE(w.radio(kRadioBase)->isChecked());
  }
  // The keypad's arrows (NumLock off) are the focus keys.
  QTest::keyClick(focused, Qt::Key_Down, Qt::KeypadModifier);
  EXPECT_EQ(w.engine().state.base, kBaseDec);
  EXPECT_EQ(w.focusWidget(), w.radio(kRadioBase + 1));

  // A menu bar opened with Alt keeps its arrows.
  auto* style = new AltMenuStyle;
  style->setParent(&w);
  w.menuBar()->setStyle(style);
  QTest::keyPress(w.focusWidget(), Qt::Key_Alt);
  QTest::keyRelease(w.focusWidget(), Qt::Key_Alt);
  ASSERT_TRUE(w.menuBar()->hasFocus());
  const Modes before = ModesOf(w);
  QTest::keyClick(w.menuBar(), Qt::Key_Right);
  EXPECT_EQ(ModesOf(w), before);
  EXPECT_EQ(w.menuBar()->activeAction(), w.menuBar()->actions().value(1));
  QTest::keyClick(w.menuBar(), Qt::Key_Escape);
}

// -------------------------------------------------------------- clipboard

QString Clipboard() { return QGuiApplication::clipboard()->text(); }
void SetClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }

TEST_F(FocusTest, CopyPlacesTheXLineAsShown) {
  struct {
    const char* what;
    uint32_t base, display;
    const char* typed;  // 'e' EEX, '~' +/-
    const char* copied;
  } cases[] = {
      {"FIX, grouped", kBaseReal, kDisplayFix, "1234.5\r", "1,234.50"},
      {"SCI", kBaseReal, kDisplaySci, "1234.5\r", "1.23e3"},
      {"SCI of zero", kBaseReal, kDisplaySci, "0\r", "0.00e0"},
      {"ENG", kBaseReal, kDisplayEng, "12345.5\r", "12.35e3"},
      {"ENG, negative exponent", kBaseReal, kDisplayEng, "1e7~\r", "100.00e-9"},
      {"entry with an exponent", kBaseReal, kDisplayFix, "1.5e12", "1.5e12"},
      {"entry", kBaseReal, kDisplaySci, "1.5", "1.5"},
      {"DEC", kBaseDec, kDisplayFix, "255\r", "255"},
      {"DEC negative", kBaseDec, kDisplayFix, "5~\r", "-5"},
      {"HEX, no prefix", kBaseHex, kDisplayFix, "FF\r", "FF"},
      {"HEX entry", kBaseHex, kDisplayFix, "1F", "1F"},
      {"OCT", kBaseOct, kDisplayFix, "77\r", "77"},
      {"BIN", kBaseBin, kDisplayFix, "101\r", "101"},
      {"BIN, the whole 64 digits", kBaseBin, kDisplayFix,
       "1111111111111111111111111111111111111111111111111111111111111111\r",
       "1111111111111111111111111111111111111111111111111111111111111111"},
  };
  for (const auto& c : cases) {
    MainWindow& w = Open();
    w.SelectDisplayMode(c.display);
    w.SelectBaseMode(c.base);
    Type(w, c.typed);
    SetClipboard(QStringLiteral("before"));
    w.RunCommand(cmd::kCopy);
    EXPECT_EQ(Clipboard(), QString::fromLatin1(c.copied)) << c.what;
  }
}

// Every way to Copy or Paste, as the user reaches it.
struct Way {
  const char* what;
  std::function<void(FocusTest&, MainWindow&)> run;
};

std::vector<Way> CopyWays() {
  return {
      {"x", [](FocusTest& t, MainWindow&) { t.Press(Qt::Key_X, Qt::NoModifier, "x"); }},
      {"X", [](FocusTest& t, MainWindow&) { t.Press(Qt::Key_X, Qt::ShiftModifier, "X"); }},
      {"Ctrl+C", [](FocusTest& t, MainWindow&) { t.Press(Qt::Key_C, Qt::ControlModifier); }},
      {"Alt+C", [](FocusTest& t, MainWindow&) { t.Press(Qt::Key_C, Qt::AltModifier, "c"); }},
      {"menu", [](FocusTest&, MainWindow& w) { FindAction(w.menuBar(), cmd::kCopy)->trigger(); }},
      {"X key", [](FocusTest& t, MainWindow&) { t.Click(CentreOf(RowOf(cmd::kCopy))); }},
  };
}

std::vector<Way> PasteWays() {
  return {
      {"v", [](FocusTest& t, MainWindow&) { t.Press(Qt::Key_V, Qt::NoModifier, "v"); }},
      {"V", [](FocusTest& t, MainWindow&) { t.Press(Qt::Key_V, Qt::ShiftModifier, "V"); }},
      {"Ctrl+V", [](FocusTest& t, MainWindow&) { t.Press(Qt::Key_V, Qt::ControlModifier); }},
      {"Alt+P", [](FocusTest& t, MainWindow&) { t.Press(Qt::Key_P, Qt::AltModifier, "p"); }},
      {"menu", [](FocusTest&, MainWindow& w) { FindAction(w.menuBar(), cmd::kPaste)->trigger(); }},
  };
}

TEST_F(FocusTest, EveryWayCopiesAndPastes) {
  MainWindow& w = Open();
  Type(w, "42.5\r");
  for (const Way& way : CopyWays()) {
    SetClipboard(QStringLiteral("before"));
    way.run(*this, w);
    EXPECT_EQ(Clipboard(), QStringLiteral("42.50")) << way.what;
  }
  for (const Way& way : PasteWays()) {
    Type(w, "#");
    SetClipboard(QStringLiteral(" 1,234.5\n"));
    way.run(*this, w);
    EXPECT_EQ(w.valueBox(kLineX)->text(), QStringLiteral("1234.5")) << way.what;
    EXPECT_TRUE(w.engine().state.entryTyped) << way.what;
  }
}

TEST_F(FocusTest, DuringAnErrorCopyAndPasteDoNothing) {
  MainWindow& w = Open();
  Type(w, "1\r0/");
  ASSERT_TRUE(w.engine().state.errorShown);
  const CalcState before = w.engine().state;
  for (const Way& way : CopyWays()) {
    SetClipboard(QStringLiteral("kept"));
    way.run(*this, w);
    EXPECT_EQ(Clipboard(), QStringLiteral("kept")) << way.what;  // the message is never copied
  }
  SetClipboard(QStringLiteral("77"));
  for (const Way& way : PasteWays()) {
    way.run(*this, w);
    const CalcState& s = w.engine().state;
    EXPECT_TRUE(s.errorShown) << way.what;
    EXPECT_EQ(s.entryText, before.entryText) << way.what;
    EXPECT_EQ(s.stackX, before.stackX) << way.what;
    EXPECT_EQ(s.stackY, before.stackY) << way.what;
    EXPECT_EQ(w.valueBox(kLineX)->text(), QStringLiteral("Devide by zero !")) << way.what;
  }
}

TEST_F(FocusTest, PasteThenCopyRoundTripsTheValueShown) {
  struct {
    const char* what;
    uint32_t base, display;
    QString pasted;
    const char* entry;  // the X line after the paste
    const char* shown;  // after ENTER, and again after copying it and pasting it back
  } cases[] = {
      {"REAL grouped with blanks", kBaseReal, kDisplayFix, QStringLiteral(" 1,234.5 "), "1234.5", "1,234.50"},
      {"REAL Unicode minus", kBaseReal, kDisplayFix, QString::fromUtf8("\u221212.5"), "-12.5", "-12.50"},
      {"REAL 0x", kBaseReal, kDisplayFix, QStringLiteral("0xff"), "255", "255.00"},
      {"REAL SCI stops at the e", kBaseReal, kDisplaySci, QStringLiteral("1.5e3"), "1.5", "1.50e0"},
      {"REAL ENG", kBaseReal, kDisplayEng, QStringLiteral("-250"), "-250", "-250.00e0"},
      {"DEC stops at a minus", kBaseDec, kDisplayFix, QStringLiteral("12-3"), "12", "12"},
      {"HEX upper-cases", kBaseHex, kDisplayFix, QStringLiteral("0x1f"), "1F", "1F"},
      {"OCT from hex", kBaseOct, kDisplayFix, QStringLiteral("0x1F"), "37", "37"},
      {"BIN", kBaseBin, kDisplayFix, QStringLiteral("1012"), "101", "101"},
  };
  for (const auto& c : cases) {
    MainWindow& w = Open();
    w.SelectDisplayMode(c.display);
    w.SelectBaseMode(c.base);
    SetClipboard(c.pasted);
    w.RunCommand(cmd::kPaste);
    EXPECT_EQ(w.valueBox(kLineX)->text(), QString::fromLatin1(c.entry)) << c.what;
    w.RunCommand(cmd::kCopy);
    EXPECT_EQ(Clipboard(), QString::fromLatin1(c.entry)) << c.what;  // the entry, as shown
    Type(w, "\r");
    w.RunCommand(cmd::kCopy);
    const QString copied = Clipboard();
    EXPECT_EQ(copied, QString::fromLatin1(c.shown)) << c.what;
    w.RunCommand(cmd::kPaste);
    Type(w, "\r");
    w.RunCommand(cmd::kCopy);
    EXPECT_EQ(Clipboard(), copied) << c.what;
  }
}

TEST_F(FocusTest, PasteOfNothingUsableChangesNothing) {
  struct {
    const char* what;
    std::function<void()> fill;
  } cases[] = {
      {"letters", [] { SetClipboard(QStringLiteral("abc")); }},
      {"empty text", [] { SetClipboard(QString()); }},
      {"no text at all", [] { QGuiApplication::clipboard()->clear(); }},
      {"an image only",
       [] {
         auto* data = new QMimeData;
         data->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
         QGuiApplication::clipboard()->setMimeData(data);
       }},
      {"bytes that are no UTF-8",
       [] {
         auto* data = new QMimeData;
         data->setData(QStringLiteral("text/plain"), QByteArray("\xff\xfe\x80" "12", 5));
         QGuiApplication::clipboard()->setMimeData(data);
       }},
  };
  for (const auto& c : cases) {
    MainWindow& w = Open();
    Type(w, "7\r8");
    c.fill();
    w.RunCommand(cmd::kPaste);
    EXPECT_EQ(w.engine().state.entryText, "8") << c.what;
    EXPECT_EQ(w.valueBox(kLineX)->text(), QStringLiteral("8")) << c.what;
    EXPECT_EQ(w.valueBox(kLineY)->text(), QStringLiteral("7.00")) << c.what;
  }
}

TEST_F(FocusTest, AMegabyteOfPastedDigitsStaysUsable) {
  MainWindow& w = Open();
  w.SelectBaseMode(kBaseDec);
  SetClipboard(QString(1 << 20, QChar('9')));
  w.RunCommand(cmd::kPaste);
  EXPECT_EQ(w.engine().state.entryText.size(), size_t(1) << 20);
  Type(w, "\r");
  EXPECT_FALSE(w.valueBox(kLineX)->text().isEmpty());
  Type(w, "#");
  EXPECT_FALSE(w.engine().state.errorShown);
}

}  // namespace
}  // namespace vxc::ui

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
