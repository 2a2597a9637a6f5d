// The keyboard map: the accelerator table keeps every row, every keypad key
// and radio choice has a shortcut in the modes where it acts, no shortcut
// means two things in one mode, the texts Qt writes read back, the tooltips
// and the sheet show the map, and a session typed into the window alone
// ends where vxc32-keys ends with the same keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QProcess>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "command_table.h"
#include "engine.h"
#include "key_rules.h"
#include "keymap.h"
#include "keypad_table.h"
#include "main_window.h"
#include "window_test_support.h"
#include "menus.h"
#include "shortcut_sheet.h"

namespace vxc::ui {
namespace {

constexpr uint32_t kBases[] = {kBaseReal, kBaseDec, kBaseHex, kBaseOct, kBaseBin};

// A key press as Qt delivers it.
struct Press {
  int key;
  Qt::KeyboardModifiers mods;
  QString text;
};

// The press that types `row`'s input.
Press PressOf(const KeyBinding& row) {
  Press p{row.code, {}, {}};
  if (row.input == AccelInput::kChar) {
    if (row.code >= 'a' && row.code <= 'z') p.key = Qt::Key_A + (row.code - 'a');
    if (row.code >= 'A' && row.code <= 'Z') p.mods |= Qt::ShiftModifier;
    p.text = QString(QChar(row.code));
  }
  if (row.modifiers & kModShift) p.mods |= Qt::ShiftModifier;
  if (row.modifiers & kModCtrl) p.mods |= Qt::ControlModifier;
  if (row.modifiers & kModAlt) p.mods |= Qt::AltModifier;
  return p;
}

// The press of `keys` (portable text) as a keyboard types it.
Press PressOf(const QString& keys) {
  const QKeyCombination k = QKeySequence::fromString(keys, QKeySequence::PortableText)[0];
  Press p{k.key(), k.keyboardModifiers(), {}};
  if (p.key == Qt::Key_Return || p.key == Qt::Key_Enter) p.text = QStringLiteral("\r");
  else if (p.key < 0x7f && !(p.mods & Qt::ControlModifier))
    p.text = p.mods & Qt::ShiftModifier ? QChar(p.key) : QChar(p.key).toLower();
  return p;
}

std::optional<Action> Match(const Press& p, uint32_t base) { return MatchKey(p.key, int(p.mods), p.text, ModeBitOf(base)); }

// Whether two actions do the same in `base`: equal, or two commands that
// leave the same state after a typed entry.
bool SameEffect(Action a, Action b, uint32_t base) {
  if (a == b) return true;
  if (a.kind != ActionKind::kCommand || b.kind != ActionKind::kCommand) return false;
  auto run = [base](CommandId id) {
    Engine e;
    SelectBase(e, base);
    for (CommandId typed : {cmd::kDigit0 + 1, cmd::kEnter, cmd::kDigit0 + 1, cmd::kDigit0 + 2}) Dispatch(e, typed);
    Dispatch(e, id);
    const CalcState& s = e.state;
    return std::vector<std::string>{s.stackX, s.stackY, s.entryText, s.exponentText, s.errorText,
                                    std::to_string(s.exponentEntry) + std::to_string(s.entryTyped) + std::to_string(s.xComplete)};
  };
  return run(a.value) == run(b.value);
}

// The accelerator table, as the calculator has always had it, is
// tests/golden/accelerators.txt: each row's input kind, keys, modes and
// vxc32-keys token; its rows keep their meaning in every mode. The first row
// that matches wins, so a row that means something else than an earlier row
// with the same input in a mode where both act is a clash. The map prints
// one readable binding per row, its keys read back as Qt wrote them.
TEST(KeyMap, EveryRowKeepsItsMeaningAndPrintsReadably) {
  std::ifstream in(VXC_GOLDEN_DIR "/accelerators.txt");
  const std::string expected{std::istreambuf_iterator<char>(in), {}};
  std::ostringstream out;
  PrintKeyMap(out);
  const QStringList lines = QString::fromStdString(out.str()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(size_t(lines.size()), kKeyMap.size());
  std::string actual;
  for (size_t i = 0; i < kKeyMap.size(); ++i) {
    const KeyBinding& row = kKeyMap[i];
    const bool accelerator = i < size_t(kAcceleratorCount);
    ASSERT_NE(FindActionName(row.action), nullptr) << "row " << i << " has no vxc32-keys key";
    if (accelerator) {
      actual += std::string(row.input == AccelInput::kChar ? "char\t" : "key\t") + BindingText(row, false).toStdString() +
                "\t" + std::to_string(row.modes) + "\t" + std::string(FindActionName(row.action)->token) + "\n";
    }
    for (uint32_t base : kBases) {
      const std::optional<Action> hit = Match(PressOf(row), base);
      if (accelerator) { EXPECT_TRUE(hit && *hit == row.action) << "row " << i << " base " << base; }
      if (!(row.modes & ActsIn(row.action) & ModeBitOf(base))) continue;
      ASSERT_TRUE(hit.has_value()) << "row " << i;
      EXPECT_TRUE(SameEffect(*hit, row.action, base))
          << "row " << i << " (" << BindingText(row, false).toStdString() << ") base " << base << " means "
          << FindActionName(*hit)->token << ", not " << FindActionName(row.action)->token;
    }
    const QStringList parts = lines[qsizetype(i)].split('\t');
    ASSERT_EQ(parts.size(), 2) << lines[qsizetype(i)].toStdString();
    const QKeySequence sequence = QKeySequence::fromString(parts[0], QKeySequence::PortableText);
    EXPECT_TRUE(sequence.count() == 1 && sequence.toString(QKeySequence::PortableText) == parts[0]) << i;
    const ActionName* names = FindActionToken(parts[1].toStdString());
    EXPECT_TRUE(names != nullptr && names->action == row.action) << lines[qsizetype(i)].toStdString();
  }
  EXPECT_EQ(actual, expected);
}

TEST(KeyMap, EveryKeypadKeyAndRadioChoiceHasAShortcutWhereItActs) {
  auto reachable = [](Action action, uint32_t base) {
    for (const KeyBinding& row : kKeyMap) {
      if (!(row.modes & ModeBitOf(base))) continue;
      const std::optional<Action> hit = Match(PressOf(row), base);
      if (hit && SameEffect(*hit, action, base)) return true;
    }
    return false;
  };
  for (int r = 0; r < kKeyCount; ++r) {
    for (uint32_t base : kBases) {
      if (RestingFace(r, FaceModes{base, kDisplayFix, false}) != Face::kNormal) continue;
      if (kKeypad[size_t(r)].keyClass == KeyClass::kDigitArrow && base != kBaseReal) continue;  // hidden there
      EXPECT_TRUE(reachable(CommandAction(kKeypad[size_t(r)].commandId), base)) << "keypad row " << r << " base " << base;
    }
  }
  for (int i = 0; i < kRadioCount; ++i) {
    const Action choice = RadioAction(i);
    for (uint32_t base : kBases) {
      if (ActsIn(choice) & ModeBitOf(base)) { EXPECT_TRUE(reachable(choice, base)) << "radio " << i << " base " << base; }
    }
  }
  for (CommandId id : {cmd::kUndo, cmd::kRedo, cmd::kCopyFull, cmd::kKeyboardHelp})
    EXPECT_TRUE(reachable(CommandAction(id), kBaseReal) && reachable(CommandAction(id), kBaseHex)) << id;
}

// Keys that look alike: tests/golden/lookalike_keys.txt.
TEST(KeyMap, KeysThatLookAlike) {
  std::ifstream in(VXC_GOLDEN_DIR "/lookalike_keys.txt");
  int rows = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const QStringList f = QString::fromStdString(line).split(QStringLiteral(" | "));
    Press p = PressOf(f[0]);
    if (f.size() > 3) p.text = f[3].startsWith(QStringLiteral("\\x")) ? QString(QChar(f[3].mid(2).toInt(nullptr, 16))) : f[3];
    const uint32_t base = uint32_t(QStringList{"REAL", "DEC", "HEX", "OCT", "BIN"}.indexOf(f[1]));
    const ActionName* expected = f[2] == QStringLiteral("-") ? nullptr : FindActionToken(f[2].toStdString());
    const std::optional<Action> hit = Match(p, base);
    EXPECT_TRUE(hit.has_value() == (expected != nullptr) && (!hit || *hit == expected->action)) << line;
    ++rows;
  }
  EXPECT_GT(rows, 20);
}

TEST(KeyMap, TooltipsAndTheSheetShowTheMapInTheMenuLanguage) {
  EXPECT_EQ(ToolTipText(CommandAction(cmd::kSin), 0), QStringLiteral("Sine (S)"));
  EXPECT_EQ(ToolTipText(CommandAction(cmd::kPow), 3), QStringLiteral("Y potence X (^, Y)"));
  for (int column = 0; column < kMenuLanguages; ++column) {
    const std::vector<SheetLine> lines = SheetLines(column);
    EXPECT_GT(lines.size(), 90u);
    for (const SheetLine& l : lines) EXPECT_FALSE(l.keys.isEmpty() || l.what.isEmpty());
  }
  EXPECT_EQ(ModesText(ActsIn(CommandAction(cmd::kXor))), QStringLiteral("DEC HEX OCT BIN"));
}

// -------------------------------------------------------------- the window

std::map<std::string, std::string> DumpOf(const QStringList& tokens) {
  QProcess keys;
  keys.start(QStringLiteral(VXC_KEYS_PATH), QStringList{QStringLiteral("--dump")} + tokens);
  EXPECT_TRUE(keys.waitForFinished(20000));
  std::map<std::string, std::string> dump;
  for (const QByteArray& line : keys.readAllStandardOutput().split('\n')) {
    const int eq = line.indexOf('=');
    if (eq > 0) dump[line.left(eq).toStdString()] = line.mid(eq + 1).toStdString();
  }
  return dump;
}

using KeyMapWindow = testing_window::WindowFixture;

TEST_F(KeyMapWindow, AKeyboardOnlySessionEndsWhereVxc32KeysEnds) {
  MainWindow& w = OpenFresh();
  // Each press goes where the keyboard focus is, as typing does.
  const QStringList presses = QStringLiteral(
      "1 2 F9 Return 5 Shift++ Shift+L Shift+Y Alt+3 Ctrl+M Ctrl+Shift++ Ctrl+R P F3 S Ctrl+S Ctrl+Up 1 E 3 L Shift+N "
      "Shift+@ Shift+^ F6 1 5 Return 6 Shift+& Shift+< N F2 Shift+~ F5 F = Shift+^ F11 Shift+! Ctrl+Z Ctrl+Z Ctrl+Y "
      "Ctrl+Shift+Z Ctrl+Z").split(' ');
  QStringList tokens;
  for (const QString& keys : presses) {
    const Press p = PressOf(keys);
    const std::optional<Action> action = Match(p, w.engine().state.base);
    ASSERT_TRUE(action.has_value()) << p.key;
    tokens << QString::fromUtf8(FindActionName(*action)->token.data(), qsizetype(FindActionName(*action)->token.size()));
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent event(type, p.key, p.mods, p.text);
      QApplication::sendEvent(focus, &event);
    }
  }
  const std::map<std::string, std::string> dump = DumpOf(tokens);
  const CalcState& s = w.engine().state;
  const std::pair<const char*, std::string> fields[] = {
      {"stackX", s.stackX}, {"stackY", s.stackY}, {"stackZ", s.stackZ}, {"stackT", s.stackT}, {"lastX", s.lastX},
      {"entryText", s.entryText}, {"errorShown", s.errorShown ? "1" : "0"}, {"base", std::to_string(s.base)},
      {"angle", std::to_string(s.angle)}, {"display", std::to_string(s.display)}, {"range", std::to_string(s.range)},
      {"memoryIndex", std::to_string(s.memoryIndex)}, {"realMemory3", s.realMemory[3]}, {"intMemory3", s.intMemory[3]},
  };
  for (const auto& [name, value] : fields)
    EXPECT_EQ(dump.count(name) ? dump.at(name) : "(missing)", value) << name << "\nkeys: " << tokens.join(' ').toStdString();
  EXPECT_EQ(s.base, kBaseReal);
  EXPECT_EQ(s.angle, kAngleRad);
  EXPECT_EQ(s.range, kRangeDW);
}

TEST_F(KeyMapWindow, F1OpensTheSheetInTheMenuLanguage) {
  MainWindow& w = OpenFresh();
  w.RunCommand(cmd::kLangJapanese);
  QApplication::processEvents();
  EXPECT_EQ(w.radio(kRadioBase + int(kBaseHex))->toolTip(), QString::fromUtf8("HEX: 16進整数 (F5)"));
  // The keys take no mouse input of their own: the area finds the tooltip.
  const KeyDef& sin = kKeypad[1];
  const QPoint onSin(sin.x + 5, sin.y + 5);
  EXPECT_EQ(w.AreaToolTip(onSin), QString::fromUtf8("正弦 (sin) (S)"));
  w.SelectBaseMode(kBaseHex);
  EXPECT_EQ(w.AreaToolTip(onSin), QString::fromUtf8("16進数字 D (D, Shift+D)"));  // D shares the place
  EXPECT_EQ(w.AreaToolTip(QPoint(1, 1)), QString());
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_F1);
  QApplication::processEvents();
  auto* table = w.findChild<QTableWidget*>();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->window()->windowTitle(), QString::fromUtf8("キーボードショートカット"));
  EXPECT_EQ(table->rowCount(), int(SheetLines(1).size()));
  w.RunCommand(cmd::kLangEsperanto);  // an open sheet follows the menu language
  QApplication::processEvents();
  QTableWidget* again = nullptr;
  for (QTableWidget* t : w.findChildren<QTableWidget*>())
    if (t->window()->isVisible()) again = t;
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->window()->windowTitle(), QStringLiteral("Fulmoklavoj"));
  again->window()->close();
}

}  // namespace
}  // namespace vxc::ui

int main(int argc, char** argv) { return vxc::ui::testing_window::RunWindowTests(argc, argv); }
