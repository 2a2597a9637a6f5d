// The calculator window, driven headless: key faces and the hit test, the
// mouse and the keyboard, the radio groups and focus keys, the menus in four
// languages, and what a screen reader finds of the keys (Undo, "Initialize",
// the settings file and the clipboard: ui_state_test).
#include <QActionGroup>
#include <QProxyStyle>
#include <set>

#include "accessibility.h"
#include "keymap.h"
#include "function_menu.h"
#include "menus.h"
#include "window_test_support.h"

namespace vxc::ui {
namespace {

using namespace testing_window;

// ---------------------------------------------------------------- pure rules

TEST(KeyRules, PairsOfTheDisplayFormatAndTheHitTest) {
  // Rows 58..63 are the FIX, SCI and ENG up/down pairs: only the mode's pair shows.
  const struct { uint32_t base, display; bool error; int pair; } pairs[] = {
      {kBaseReal, kDisplayFix, false, 0}, {kBaseReal, kDisplaySci, true, 1}, {kBaseReal, kDisplayEng, false, 2},
      {kBaseHex, kDisplayFix, false, -1}, {kBaseReal, 9, false, -1}};
  for (const auto& c : pairs)
    for (int row = 58; row < 64; ++row)
      EXPECT_EQ(RestingFace(row, {c.base, c.display, c.error}), (row - 58) / 2 == c.pair ? Face::kNormal : Face::kHidden)
          << "display " << c.display << " row " << row;
  EXPECT_EQ(RestingFace(RowOf(cmd::kSin), {7, 0, false}), Face::kNormal);  // an unknown base acts as REAL

  const struct { int x, y; FaceModes modes; int row; bool refused; } hits[] = {
      {20, 150, {kBaseReal, 0, false}, RowOf(cmd::kSin), false},  // SIN's place
      {20, 150, {kBaseHex, 0, false}, RowOf(cmd::kLetterA + 3), false},  // is D's in HEX
      {440, 223, {kBaseReal, kDisplayFix, false}, 58, false},  // the FIX pair's shared edge goes up
      {440, 233, {kBaseReal, kDisplaySci, false}, 60, false},  // past the hidden FIX down key
      {440, 215, {kBaseDec, kDisplayFix, false}, -1, true},    // up key refused in an integer mode
      {120, 275, {kBaseHex, 0, false}, -1, false},             // the disabled point takes nothing
      {20, 200, {kBaseReal, 0, true}, -1, true},               // 7 refused during an error
      {270, 270, {kBaseReal, 0, true}, RowOf(cmd::kClx), false},
      {3 + 46, 142 + 20, {kBaseReal, 0, false}, RowOf(cmd::kSin), false},  // both ends of a key count
      {51, 150, {kBaseReal, 0, false}, -1, false},  // the gap between keys
  };
  for (const auto& c : hits)
    EXPECT_EQ(std::pair(HitTestKeypad(c.x, c.y, c.modes).row, HitTestKeypad(c.x, c.y, c.modes).refused),
              std::pair(c.row, c.refused)) << c.x << "," << c.y;
  // A click at the middle of a shown key is that key's (clicks in the window: KeyFiresOnlyWhenReleased...).
  for (FaceModes modes : {FaceModes{kBaseReal, kDisplaySci, false}, FaceModes{kBaseHex, 0, false}})
    for (int row = 0; row < kKeyCount; ++row) {
      const QPoint middle = CentreOf(row);
      if (RestingFace(row, modes) == Face::kNormal) { EXPECT_EQ(HitTestKeypad(middle.x(), middle.y(), modes).row, row); }
    }
}

TEST(Tables, KeysAreCompleteAndPaintAtTheScreensRatio) {
  QStringList names;
  for (int row = 0; row < kKeyCount; ++row) {
    names << KeySpokenName(row);  // (each key inside the area: PanelTest.ShowingAndHiding...)
    EXPECT_FALSE(names.back().isEmpty()) << row;
  }
  EXPECT_EQ(names.removeDuplicates(), 0);  // the three up keys differ by their format
  // Key faces at the screen's pixel ratio; CLX and the up/down keys have no disabled face.
  const QPixmap enter = PaintKeyFace(kKeypad[RowOf(cmd::kEnter)], FaceLook::kPressed, 1.5);
  EXPECT_EQ(enter.size(), QSize(qRound(149 * 1.5), qRound(27 * 1.5)));
  EXPECT_EQ(enter.devicePixelRatio(), 1.5);
  for (int row : {RowOf(cmd::kClx), 58, RowOf(cmd::kSin)})
    EXPECT_EQ(PaintKeyFace(kKeypad[row], FaceLook::kDisabled, 1).isNull(), row != RowOf(cmd::kSin)) << row;
}

// -------------------------------------------------------------- the window

void Walk(QAccessibleInterface* root, std::vector<QAccessibleInterface*>& out) {
  if (root == nullptr) return;
  out.push_back(root);
  for (int i = 0; i < root->childCount(); ++i) Walk(root->child(i), out);
}

TEST_F(WindowTest, FacesGroupsAndScreenReaderFollowEachBaseAndTheError) {
  const struct { uint32_t base; bool error; CommandId id; Face face; } cases[] = {
      {kBaseReal, false, cmd::kSin, Face::kNormal},           {kBaseReal, false, cmd::kLetterA + 3, Face::kHidden},
      {kBaseReal, false, cmd::kEex, Face::kNormal},           {kBaseHex, false, cmd::kSin, Face::kHidden},
      {kBaseHex, false, cmd::kLetterF, Face::kNormal},        {kBaseHex, false, cmd::kAnd, Face::kNormal},
      {kBaseHex, false, cmd::kPoint, Face::kDisabled},        {kBaseHex, false, cmd::kChangeSign, Face::kDisabled},
      {kBaseDec, false, cmd::kChangeSign, Face::kNormal},     {kBaseDec, false, cmd::kLetterA, Face::kDisabled},
      {kBaseOct, false, cmd::kDigit0 + 7, Face::kNormal},     {kBaseOct, false, cmd::kDigit0 + 8, Face::kDisabled},
      {kBaseBin, false, cmd::kDigit0 + 2, Face::kDisabled},   {kBaseBin, false, cmd::kShl, Face::kNormal},
      {kBaseReal, true, cmd::kSin, Face::kDisabled},          {kBaseReal, true, cmd::kLetterA + 3, Face::kHidden},
      {kBaseReal, true, cmd::kCopy, Face::kDisabled},         {kBaseHex, true, cmd::kSin, Face::kHidden},
      {kBaseHex, true, cmd::kLetterA + 3, Face::kDisabled},   {kBaseBin, true, cmd::kClx, Face::kNormal},
  };
  for (const auto& c : cases) {
    MainWindow& w = Open(c.base, c.error);  // every face against the modes: FocusKeysAndRadioClicksChangeTheModesInEveryGroup
    EXPECT_EQ(FaceOf(RowOf(c.id)), c.face) << "base " << c.base << " error " << c.error << " id " << c.id;
    EXPECT_EQ(w.exponentBox(kLineX)->textColour(), QColor(Qt::black));
    // A screen reader may press exactly the keys a click would take.
    QAccessibleInterface* key = Of(w.keypad().keys[RowOf(c.id)]);
    swallow_ = true, seen_.clear();
    EXPECT_EQ(key->state().disabled, c.face != Face::kNormal);
    key->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(seen_, c.face == Face::kNormal ? std::vector{c.id} : std::vector<CommandId>{});
    swallow_ = false;
    // Every visible key and display box (3 labels, 4 values, 4 exponents, the digit boxes in REAL) has a name.
    std::vector<QAccessibleInterface*> all;
    Walk(Of(&w), all);
    int keys = 0, boxes = 0, visibleKeys = 0;
    for (QAccessibleInterface* iface : all) {
      auto* widget = qobject_cast<QWidget*>(iface->object());
      const bool isKey = dynamic_cast<KeyFaceWidget*>(widget), isBox = dynamic_cast<DisplayBox*>(widget);
      if (!(isKey || isBox) || !widget->isVisible()) continue;
      EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty()) << widget->x() << "," << widget->y();
      EXPECT_EQ(iface->role(), isKey ? QAccessible::Button : QAccessible::StaticText);
      EXPECT_FALSE(iface->state().invisible);
      keys += isKey, boxes += isBox;
    }
    for (const KeyFaceWidget* k : w.keypad().keys) visibleKeys += k->isVisible();
    EXPECT_TRUE(keys == visibleKeys && keys > 40) << keys << " of " << visibleKeys;
    EXPECT_EQ(boxes, c.base == kBaseReal ? 14 : 11);
  }
  // The focus keys still switch BASE during an error, the registers kept; CLX brings the keys back.
  MainWindow& w = Open(kBaseReal, true);
  Keys("U");
  Type(w, "#");
  EXPECT_EQ((std::vector{X(), w.valueBox(kLineY)->text()}), (std::vector<QString>{"11", "110"}));
  ASSERT_EQ(w.engine().state.base, kBaseBin);
  ExpectShowsTheModes("BIN after CLX");
  w.SelectBaseMode(kBaseReal);
  for (int i = kRadioBase; i < kRadioRange; ++i) EXPECT_TRUE(w.radio(i)->isEnabled()) << "radio " << i;
}

TEST_F(WindowTest, KeyFiresOnlyWhenReleasedOverThePressedKey) {
  Open();
  swallow_ = true;  // the keys only report
  const QPoint sin = CentreOf(RowOf(cmd::kSin)), off(200, 60);
  const int sinRow = RowOf(cmd::kSin), seven = RowOf(cmd::kDigit0 + 7), eight = RowOf(cmd::kDigit0 + 8);
  Mouse(QEvent::MouseButtonPress, CentreOf(seven));
  Mouse(QEvent::MouseMove, CentreOf(eight));
  EXPECT_EQ(FaceOf(eight), Face::kNormal);  // only the held key is ever pushed in
  Mouse(QEvent::MouseButtonRelease, CentreOf(eight));
  EXPECT_TRUE(seen_.empty());
  const struct { QEvent::Type type; QPoint at; Face sinFace; } slideOffAndBack[] = {
      {QEvent::MouseButtonPress, sin, Face::kPressed}, {QEvent::MouseMove, off, Face::kNormal},
      {QEvent::MouseMove, sin, Face::kPressed},        {QEvent::MouseMove, off, Face::kNormal},
      {QEvent::MouseMove, sin, Face::kPressed},        {QEvent::MouseButtonRelease, sin, Face::kNormal}};
  for (const auto& step : slideOffAndBack) {
    EXPECT_TRUE(seen_.empty());
    Mouse(step.type, step.at);
    EXPECT_EQ(FaceOf(sinRow), step.sinFace) << step.type;
  }
  EXPECT_EQ(seen_, std::vector<CommandId>{cmd::kSin});
  // During an error only CLX takes the mouse: the hit test's rows above, and
  // the engine refuses every other key (errors.cases).
}

// Menu bars that open from the Alt key (as on some desktops).
class AltMenuStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* ret) const override {
    return hint == SH_MenuBar_AltKeyNavigation ? 1 : QProxyStyle::styleHint(hint, option, widget, ret);
  }
};

TEST_F(WindowTest, EveryAcceleratorAndMenuItemReachesItsCommandBeforeQt) {
  MainWindow& w = Open();
  swallow_ = true;
  QRadioButton* focused = w.radio(kRadioBase);
  ASSERT_EQ(w.focusWidget(), focused);
  for (int r = 0; r < kAcceleratorCount; ++r) {
    const KeyBinding& row = kKeyMap[size_t(r)];
    seen_.clear();
    Qt::KeyboardModifiers mods;
    for (auto [bit, qt] :
         {std::pair{kModShift, Qt::ShiftModifier}, {kModCtrl, Qt::ControlModifier}, {kModAlt, Qt::AltModifier}})
      if (row.modifiers & bit) mods |= qt;
    if (row.input == AccelInput::kChar) QTest::keyClick(focused, char(row.code), mods);
    else QTest::keyClick(focused, Qt::Key(row.code), mods);
    EXPECT_EQ(seen_, std::vector<CommandId>{row.action.value}) << "row code " << row.code;
  }
  // Arrows and Tab with other modifiers reach no command, and Qt's own focus moves never run.
  seen_.clear();
  for (auto [key, mods] : {std::pair{Qt::Key_Up, Qt::ShiftModifier}, {Qt::Key_Down, Qt::AltModifier},
                           {Qt::Key_Left, Qt::AltModifier}, {Qt::Key_Tab, Qt::ControlModifier}})
    QTest::keyClick(focused, key, mods);
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Backtab}) QTest::keyClick(focused, key, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(seen_.empty());
  EXPECT_EQ(QApplication::focusWidget(), focused);
  w.SelectBaseMode(kBaseDec);  // L.C.M. and G.C.D. enabled
  swallow_ = false;
  Type(w, "12");
  w.RunCommand(cmd::kUndo);  // Undo and Redo enabled
  swallow_ = true;
  std::vector<MenuRow> rows(kMenuTable.begin(), kMenuTable.end());
  rows.insert(rows.end(), kFunctionMenuTable.begin(), kFunctionMenuTable.end());
  std::set<CommandId> run;
  for (uint32_t base : {kBaseDec, kBaseReal}) {  // each item where it is enabled
    if (base == kBaseReal) w.SelectBaseMode(base);
    for (const MenuRow& row : rows) {
      QAction* action = row.id == 0 ? nullptr : FindAction(w.menuBar(), row.id);
      if (action == nullptr || !action->isEnabled() || run.count(row.id)) continue;
      seen_.clear();
      action->trigger();
      EXPECT_EQ(seen_, std::vector<CommandId>{row.id}) << row.text[0];
      run.insert(row.id);
    }
  }
  // Every item has a command of its own, and only separators have no texts.
  std::set<CommandId> ids;
  for (const MenuRow& r : rows) {
    const bool item = r.level == MenuLevel::kItem || r.level == MenuLevel::kSubItem;
    EXPECT_TRUE(item ? r.id != 0 && run.count(r.id) && ids.insert(r.id).second : r.id == 0) << r.text[0];
    for (const char* text : r.text) EXPECT_EQ(*text == 0, r.level == MenuLevel::kSeparator) << r.text[0];
  }
  w.SelectBaseMode(kBaseDec);
  // A menu bar opened with Alt keeps its arrows.
  swallow_ = false;
  auto* style = new AltMenuStyle;
  style->setParent(&w);
  w.menuBar()->setStyle(style);
  QTest::keyPress(w.focusWidget(), Qt::Key_Alt);
  QTest::keyRelease(w.focusWidget(), Qt::Key_Alt);
  ASSERT_TRUE(w.menuBar()->hasFocus());
  QTest::keyClick(w.menuBar(), Qt::Key_Right);
  EXPECT_TRUE(ModesOf(w) == (Modes{kBaseDec, 0, 0, 0, 0, B}));
  EXPECT_EQ(w.menuBar()->activeAction(), w.menuBar()->actions().value(1));
  QTest::keyClick(w.menuBar(), Qt::Key_Escape);
}

// Focus keys and radio clicks (the lower-case letters).
TEST_F(WindowTest, FocusKeysAndRadioClicksChangeTheModesInEveryGroup) {
  const struct { uint32_t base; bool error; const char* keys; Modes expected; } cases[] = {
      {kBaseReal, 0, "U", {kBaseBin, 0, 0, 0, 0, B}},    {kBaseReal, 0, "UD", {kBaseReal, 0, 0, 0, 0, B}},
      {kBaseReal, 0, "RR", {kBaseHex, 0, 0, 0, 0, B}},   {kBaseReal, 0, "LL", {kBaseOct, 0, 0, 0, 0, B}},
      {kBaseReal, 0, "TU", {kBaseReal, kAngleGrad, 0, 0, 0, A}}, {kBaseReal, 0, "TDDD", {kBaseReal, 0, 0, 0, 0, A}},
      {kBaseReal, 0, "TTL", {kBaseReal, 0, 0, kDisplayEng, 0, D}}, {kBaseReal, 0, "SUD", {kBaseReal, 0, 0, 0, 0, M}},
      {kBaseReal, 0, "TTTR", {kBaseReal, 0, 1, 0, 0, M}}, {kBaseReal, 0, "TTTTD", {kBaseDec, 0, 0, 0, 0, B}},
      {kBaseReal, 0, "TDSD", {kBaseDec, kAngleRad, 0, 0, 0, B}}, {kBaseHex, 0, "TRD", {kBaseHex, 0, 0, 0, kRangeB, R}},
      {kBaseDec, 0, "TULUR", {kBaseDec, 0, 0, 0, kRangeQW, R}}, {kBaseOct, 0, "SS", {kBaseOct, 0, 0, 0, 0, R}},
      {kBaseBin, 0, "TTU", {kBaseBin, 0, 9, 0, 0, M}},   {kBaseBin, 0, "DTU", {kBaseReal, kAngleGrad, 0, 0, 0, A}},
      // While an error shows, the keys still step the groups and change the modes.
      {kBaseReal, 1, "U", {kBaseBin, 0, 0, 0, 0, B}},    {kBaseReal, 1, "TD", {kBaseReal, kAngleRad, 0, 0, 0, A}},
      {kBaseReal, 1, "TTU", {kBaseReal, 0, 0, kDisplayEng, 0, D}}, {kBaseReal, 1, "SU", {kBaseReal, 0, 9, 0, 0, M}},
      {kBaseHex, 1, "TL", {kBaseHex, 0, 0, 0, kRangeW, R}}, {kBaseHex, 1, "LL", {kBaseReal, 0, 0, 0, 0, B}},
      // A click changes its group's mode and takes the focus there; each group keeps its own choice.
      {kBaseReal, 0, "g", {kBaseReal, kAngleRad, 0, 0, 0, A}}, {kBaseReal, 0, "gl", {kBaseReal, kAngleRad, 3, 0, 0, M}},
      {kBaseReal, 0, "u", {kBaseReal, 0, 0, kDisplayEng, 0, D}}, {kBaseReal, 0, "d", {kBaseOct, 0, 0, 0, 0, B}},
      {kBaseReal, 0, "udx", {kBaseOct, 0, 0, kDisplayEng, kRangeW, R}},
  };
  for (const auto& c : cases) {
    MainWindow& w = Open(c.base, c.error);
    Keys(c.keys);
    const Modes m = ModesOf(w);
    EXPECT_TRUE(m == c.expected) << c.keys << " from base " << c.base << " error " << c.error;
    EXPECT_EQ(w.engine().state.errorShown, c.error) << c.keys;
    ExpectShowsTheModes(c.keys);
    // Outside an error the focused group's radio has the focus.
    const int checked[5] = {kRadioBase + int(m.base), kRadioAngle + int(m.angle), kRadioMem + int(m.mem),
                            kRadioDisplay + int(m.display), kRadioRange + int(m.range)};
    if (!c.error) { EXPECT_EQ(w.focusWidget(), w.radio(checked[int(m.group)])) << c.keys; }
  }
  // The steps change what the display shows at once (MEM steps leave it alone).
  const struct { uint32_t base; const char* typed; const char* keys; const char* x; } shown[] = {
      {kBaseDec, "70000\r", "TR", "4464"}, {kBaseDec, "70000\r", "TRD", "112"}, {kBaseReal, "5\r", "U", "101"},
      {kBaseReal, "1234.5\r", "TTD", "1.23"}, {kBaseReal, "1234.5\r", "SUUU", "1,234.50"}};
  for (const auto& c : shown) {
    Type(Open(c.base), c.typed);
    Keys(c.keys);
    EXPECT_EQ(X(), QString::fromLatin1(c.x)) << c.typed << " " << c.keys;
  }
}

TEST_F(WindowTest, MenusInFourLanguages) {
  MainWindow& w = Open();
  const struct { CommandId item; int column; } languages[] = {
      {cmd::kLangEsperanto, 3}, {cmd::kLangJapanese, 1}, {cmd::kLangChinese, 2}, {cmd::kLangEnglish, 0}};
  for (const auto& lang : languages) {
    w.RunCommand(lang.item);
    QApplication::processEvents();
    QMenuBar* bar = w.menuBar();
    ASSERT_EQ(bar->actions().size(), 4);
    EXPECT_EQ(FindAction(bar, cmd::kAbout)->text(), QString::fromUtf8(kMenuTable[kMenuRowCount - 1].text[lang.column]));
    // The languages are one exclusive choice (radio marks); the alarm has a check mark of its own.
    QActionGroup* group = FindAction(bar, cmd::kLangEnglish)->actionGroup();
    ASSERT_TRUE(group != nullptr && group->isExclusive());
    for (CommandId item : {cmd::kLangEnglish, cmd::kLangJapanese, cmd::kLangChinese, cmd::kLangEsperanto})
      EXPECT_TRUE(FindAction(bar, item)->actionGroup() == group && FindAction(bar, item)->isChecked() == (item == lang.item));
    EXPECT_TRUE(FindAction(bar, cmd::kErrorAlarm)->actionGroup() == nullptr && FindAction(bar, cmd::kErrorAlarm)->isCheckable());
    const bool alarm = w.engine().state.errorAlarm;
    EXPECT_EQ(FindAction(bar, cmd::kErrorAlarm)->isChecked(), alarm);
    w.RunCommand(cmd::kErrorAlarm);
    EXPECT_EQ(FindAction(w.menuBar(), cmd::kErrorAlarm)->isChecked(), !alarm);
    // The Function menu's items only where they act (L.C.M. and G.C.D. in
    // the integer modes), and none while an error shows.
    for (uint32_t base : {kBaseReal, kBaseDec, kBaseReal}) {
      w.SelectBaseMode(base);
      for (CommandId id : {cmd::kLcm, cmd::kGcd, cmd::kRotateLeft, cmd::kByteSwap})
        EXPECT_EQ(FindAction(w.menuBar(), id)->isEnabled(), base != kBaseReal);
      for (CommandId id : {cmd::kSinh, cmd::kPercent}) EXPECT_EQ(FindAction(w.menuBar(), id)->isEnabled(), base == kBaseReal);
      EXPECT_TRUE(FindAction(w.menuBar(), cmd::kMod)->isEnabled());
    }
    Type(w, "1\r0/");
    EXPECT_FALSE(FindAction(w.menuBar(), cmd::kMod)->isEnabled());
    w.RunCommand(cmd::kClx);
  }
}

}  // namespace
}  // namespace vxc::ui

int main(int argc, char** argv) { return vxc::ui::testing_window::RunWindowTests(argc, argv); }
