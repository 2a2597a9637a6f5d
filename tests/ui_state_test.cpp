// The window's state and what it hands on: Undo and Redo greyed as they
// act, "Initialize", the settings file written on closing and read back
// safely, Copy and Paste through the clipboard, the display lines as a
// screen reader reads them, and the X panel and the tape pane.
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "accessibility.h"
#include "menus.h"
#include "tape_pane.h"
#include "window_test_support.h"
#include "x_panel.h"

namespace vxc::ui {
namespace {

using namespace testing_window;

// Edit > Undo and Redo: greyed when there is nothing to do, in every
// language; the display, the radios and the keypad follow each step.
TEST_F(WindowTest, UndoAndRedoAreGreyedWhenThereIsNothingToDo) {
  MainWindow& w = Open();
  const CalcState& s = w.engine().state;
  auto enabled = [&w] {
    return std::pair(FindAction(w.menuBar(), cmd::kUndo)->isEnabled(), FindAction(w.menuBar(), cmd::kRedo)->isEnabled());
  };
  const struct { const char* typed; CommandId id; std::pair<bool, bool> enabled; const char* x; } steps[] = {
      {"", 0, {false, false}, "0.00"}, {"12", 0, {true, false}, "12"}, {"", cmd::kUndo, {true, true}, "1"},
      {"", cmd::kUndo, {false, true}, "0.00"}, {"", cmd::kRedo, {true, true}, "1"}, {"", cmd::kRedo, {true, false}, "12"}};
  for (const auto& step : steps) {
    Type(w, step.typed);
    if (step.id != 0) w.RunCommand(step.id);
    EXPECT_EQ(enabled(), step.enabled) << step.typed << step.id;
    EXPECT_EQ(X(), QString::fromLatin1(step.x)) << step.typed << step.id;
  }

  // A mode switch that converts the stack: the radios and groups follow (the
  // registers: undo.cases).
  w.SelectBaseMode(kBaseHex);
  w.RunCommand(cmd::kUndo);
  EXPECT_EQ(s.base, kBaseReal);
  ExpectShowsTheModes("BASE undone");
  EXPECT_EQ(enabled(), std::pair(true, true));

  // A failed operation is taken back while its message shows.
  Type(w, "\r0/");
  ASSERT_EQ(X(), kDivError);
  EXPECT_EQ(enabled(), std::pair(true, false));
  w.RunCommand(cmd::kUndo);
  EXPECT_FALSE(s.errorShown);
  ExpectShowsTheModes("error undone");

  // The greying in the four languages.
  for (CommandId language : {cmd::kLangJapanese, cmd::kLangChinese, cmd::kLangEsperanto, cmd::kLangEnglish}) {
    w.RunCommand(language);
    QApplication::processEvents();
    EXPECT_EQ(enabled(), std::pair(true, true)) << language;
  }
  while (CanUndo(w.engine())) w.RunCommand(cmd::kUndo);
  EXPECT_EQ(enabled(), std::pair(false, true));  // (the language is no step: undo.cases)
}

TEST_F(WindowTest, InitializeBringsTheWholeWindowToTheDefaults) {
  MainWindow& w = Open();
  const CalcState& s = w.engine().state;
  w.RunCommand(cmd::kLangEsperanto);
  w.RunCommand(cmd::kErrorAlarm);
  w.SelectBaseMode(kBaseHex);
  w.SelectRangeMode(kRangeB);
  w.SelectAngleMode(kAngleGrad);
  w.SelectMemoryRegister(5);
  Type(w, "1\r0/");
  w.move(40, 50);
  w.RunCommand(cmd::kInitialize);
  EXPECT_FALSE(s.errorShown);
  EXPECT_TRUE(ModesOf(w) == (Modes{kBaseReal, 0, 0, 0, 0, B}));  // (the language stays: memory.cases)
  ExpectShowsTheModes("initialized");
  EXPECT_TRUE(FindAction(w.menuBar(), cmd::kErrorAlarm)->isChecked());
  EXPECT_FALSE(FindAction(w.menuBar(), cmd::kLcm)->isEnabled());
  EXPECT_EQ(X(), QStringLiteral("0.00"));
  EXPECT_EQ(w.digitBox(0)->text(), QStringLiteral("2"));
  EXPECT_EQ(w.pos(), QPoint(0, 0));
  const QString ini = IniText();  // written at once
  EXPECT_TRUE(ini.contains(QStringLiteral("BASE=0")) && ini.contains(QStringLiteral("Language=4"))) << ini.toStdString();

  // "Initialize" sits in the background menu, and on no key.
  QString offered;
  for (QPoint at : {QPoint(200, 60), CentreOf(RowOf(cmd::kDigit0 + 7))}) {
    offered.clear();
    QTimer::singleShot(0, [&offered] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (QAction* a : menu->actions()) offered += a->text();
        menu->close();
      }
    });
    w.AreaContextMenu(at, w.calcArea()->mapToGlobal(at));
    QApplication::processEvents();
    EXPECT_EQ(offered, at.y() == 60 ? InitializeItemText(UserInJapan()) : QString());
  }
}

// Closing (the close box, or Exit: Alt+X runs it, ui_test's accelerators)
// writes the settings, and the next start reads them back. A saved place
// keeps the window where at least 48 pixels of its top edge are on the
// screen (1280 x 1024); otherwise it opens at the nearest place where all of
// it shows, and that place is saved. Hand-edited modes beside it start
// safely (the values read are in modes_unknown.ini's cases).
TEST_F(WindowTest, SettingsAreWrittenOnClosingAndReadBackOnTheScreen) {
  for (bool exit : {false, true}) {
    Open(kBaseOct).SelectMemoryRegister(7);
    if (exit) window_->RunCommand(cmd::kExit);
    else window_->close();
    EXPECT_FALSE(window_->isVisible()) << exit;
    EXPECT_TRUE(ModesOf(Reopen()) == (Modes{kBaseOct, 0, 7, 0, 0, B})) << exit;
  }
  ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1280, 1024));
  const int right = 1280 - kAreaWidth - 16, bottom = 1024 - kAreaHeight - 60;
  const struct { int left, top; QPoint opens; } cases[] = {
      {2147483647, 2147483647, {right, bottom}}, {-2147483647 - 1, 5, {0, 5}}, {100, -30, {100, 0}},
      {1280 - 48, 500, {1280 - 48, 500}}, {1280 - 47, 500, {right, 500}}, {1280 - 48, 1023, {1280 - 48, 1023}},
  };
  for (const auto& c : cases) {
    WriteIni(QStringLiteral("[Option]\nBASE=7\nANGLE=5\nDISPLAY=7\nRANGE=12\nLanguage=3\n[Pos]\nLeft=%1\nTop=%2\n")
                 .arg(c.left).arg(c.top).toUtf8());
    MainWindow& w = Reopen();
    EXPECT_EQ(w.pos(), c.opens) << c.left << "," << c.top;
    ExpectShowsTheModes("hand-edited");
    EXPECT_EQ(w.menuBar()->actions().size(), 4);  // language 3: the first menu stays
    w.close();
    const QString saved = QStringLiteral("Left=%1\nTop=%2").arg(c.opens.x()).arg(c.opens.y());
    EXPECT_TRUE(IniText().contains(saved)) << IniText().toStdString();
  }
}

// ------------------------------------------------------------- clipboard

// The clipboard's wiring: what Copy and Copy Full Precision place and
// Paste reads back in every mode and format is in engine_test, paste.cases
// and undo.cases (text cleaned as it is read, "abc" refused, an entry
// copied as typed).
TEST_F(WindowTest, CopyAndPasteGoThroughTheClipboardButNotDuringAnError) {
  const struct { uint32_t base, display; const char* typed; CommandId copy; const char* copied; } cases[] = {
      {kBaseBin, kDisplayFix, "1111111111111111111111111111111111111111111111111111111111111111\r", cmd::kCopy,
       "1111111111111111111111111111111111111111111111111111111111111111"},  // whole, however narrow the box
      {kBaseReal, kDisplayFix, "2\r3/", cmd::kCopyFull,
       "0.6666666666666666666666666666666666666666666666666666666666666666666666666667"}};
  for (const auto& c : cases) {
    MainWindow& w = Open(c.base);
    w.SelectDisplayMode(c.display);
    Type(w, c.typed);
    w.RunCommand(c.copy);
    EXPECT_EQ(Clipboard(), QString::fromLatin1(c.copied)) << c.typed;
    Type(w, "#");
    w.RunCommand(cmd::kPaste);
    Type(w, "\r");
    w.RunCommand(c.copy);
    EXPECT_EQ(Clipboard(), QString::fromLatin1(c.copied)) << c.typed << ", pasted back";
  }
  MainWindow& w = Open(kBaseReal, true);
  SetClipboard(QStringLiteral("77"));
  for (CommandId id : {cmd::kCopy, cmd::kCopyFull, cmd::kPaste}) w.RunCommand(id);
  EXPECT_EQ(Clipboard(), QStringLiteral("77"));
  EXPECT_EQ(X(), kDivError);
}

// An empty clipboard or one without text (an image): Paste changes nothing
// (text that is no number, however it reads: engine_test's PasteEntry rows).
TEST_F(WindowTest, PasteOfNothingUsableChangesNothing) {
  for (bool image : {false, true}) {
    Type(Open(), "7\r8");
    auto* data = new QMimeData;
    if (image) data->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    QGuiApplication::clipboard()->setMimeData(data);
    window_->RunCommand(cmd::kPaste);
    EXPECT_EQ((std::vector{X(), window_->valueBox(kLineY)->text()}), (std::vector<QString>{"8", "7.00"}));
  }
}

// --------------------------------------------------------- accessibility


TEST_F(WindowTest, DisplayLinesReadLineAndValueAndAnErrorIsAnnounced) {
  const struct { uint32_t display; const char* typed; int line; const char* name; const char* value; } cases[] = {
      {kDisplayFix, "5\r", kLineY, "Y, 5.00", "5.00"},
      {kDisplaySci, "1.5e12\r", kLineX, "X, 1.50e12", "1.50"},
      {kDisplayFix, "12.", kLineX, "X, 12.", "12."},
      {kDisplayFix, "1\r0/", kLineX, "X, error: Devide by zero !", "Devide by zero !"}};
  for (const auto& c : cases) {
    Open().SelectDisplayMode(c.display);
    Type(*window_, c.typed);
    EXPECT_EQ(Of(window_->valueBox(c.line))->text(QAccessible::Name), QString::fromLatin1(c.name)) << c.typed;
    EXPECT_EQ(Of(window_->valueBox(c.line))->text(QAccessible::Value), QString::fromLatin1(c.value)) << c.typed;
  }
  EXPECT_EQ(Of(window_->exponentBox(kLineX))->text(QAccessible::Name), QStringLiteral("X exponent"));
  EXPECT_EQ(Of(window_->digitBox(0))->text(QAccessible::Name), QStringLiteral("FIX digits, 2"));

  MainWindow& w = Open();
  Type(w, "1\r0");
  std::vector<QAccessible::Event> notices;  // of the X value box
  WatchScreenReaderNotices([&](QObject* object, QAccessible::Event change) {
    if (object == w.valueBox(kLineX)) notices.push_back(change);
  });
  Type(w, "/5#");  // the error is announced once; 5 is refused: nothing new to say; CLX ends it
  EXPECT_EQ(notices, (std::vector{QAccessible::NameChanged, QAccessible::Alert, QAccessible::NameChanged}));
  EXPECT_EQ(Of(w.valueBox(kLineX))->text(QAccessible::Name), QStringLiteral("X, 1.00"));
  WatchScreenReaderNotices({});
}

// ------------------------------------------------------------- X panel and tape

// What each row shows in each mode is in x_panel.cases; here the widgets' wiring.
class PanelTest : public WindowTest {
 protected:
  XPanel& Panel() { return *window_->xPanel(); }
  QString Row(int row) { return Panel().rowText(row)->text(); }
  // The bits as shown, highest first, of the visible bit buttons.
  QString Bits() {
    QString bits;
    for (int bit = kMaxWordBits - 1; bit >= 0; --bit)
      if (Panel().bitButton(bit)->isVisible()) bits += Panel().bitButton(bit)->text();
    return bits;
  }
  // The panel, the window's height and the menu's check mark agree.
  void ExpectPanel(bool shown, int height) {
    QApplication::processEvents();
    EXPECT_EQ(window_->xPanel() != nullptr && window_->xPanel()->isVisible(), shown);
    EXPECT_EQ(window_->height(), height + (shown ? kXPanelHeight : 0));
    EXPECT_EQ(FindAction(window_->menuBar(), cmd::kXPanel)->isChecked(), shown);
  }
};

TEST_F(PanelTest, ShowingAndHidingGrowsTheWindowAndIsSavedAcrossRestarts) {
  MainWindow& w = OpenFresh();
  const int height = w.height();
  EXPECT_EQ(w.xPanel(), nullptr);  // not made until wanted
  ExpectPanel(false, height);

  // The panel and the rest at their places: window_look_test's EveryControlSitsAtItsPlace...;
  // every control, shown or hidden, the panel's too, lies inside the calculator area.
  FindAction(w.menuBar(), cmd::kXPanel)->trigger();
  ExpectPanel(true, height);
  for (QWidget* child : w.calcArea()->findChildren<QWidget*>())
    EXPECT_TRUE(w.calcArea()->rect().contains(QRect(child->mapTo(w.calcArea(), QPoint(0, 0)), child->size())))
        << child->metaObject()->className();
  w.RunCommand(cmd::kInitialize);  // leaves the panel alone, and writes it
  ExpectPanel(true, height);
  EXPECT_TRUE(IniText().contains(QStringLiteral("Panel=1"))) << IniText().toStdString();

  w.move(10, 20);
  w.close();
  Reopen();
  ExpectPanel(true, height);

  window_->RunCommand(cmd::kXPanel);
  ExpectPanel(false, height);
  window_->close();
  Reopen();
  ExpectPanel(false, height);
}

// A bit click's effect on the stack and the entry is in x_panel.cases.
TEST_F(PanelTest, RowsFollowEveryRefreshCopyFlipBitsAndEmptyDuringAnError) {
  MainWindow& w = Open(kBaseHex);
  w.RunCommand(cmd::kXPanel);
  Type(w, "FF");  // an entry, by its value
  EXPECT_EQ(Row(kPanelHex), QStringLiteral("FF"));
  EXPECT_EQ(Bits(), QString(56, QChar('0')) + QStringLiteral("11111111"));
  EXPECT_EQ(Of(Panel().rowText(kPanelDec))->text(QAccessible::Name), QStringLiteral("Decimal, signed, 255"));
  EXPECT_EQ(Of(Panel().bitButton(7))->text(QAccessible::Name), QStringLiteral("Bit 7, 1"));
  auto shown = [&] { return std::vector{X(), Row(kPanelHex), Panel().bitButton(63)->text()}; };
  QTest::mouseClick(Panel().bitButton(63), Qt::LeftButton);  // through the engine
  EXPECT_EQ(shown(), (std::vector<QString>{"80000000000000FF", "80000000000000FF", "1"}));
  QTest::mouseClick(Panel().bitButton(0), Qt::LeftButton);
  EXPECT_EQ(X(), QStringLiteral("80000000000000FE"));
  w.RunCommand(cmd::kUndo);  // each click is one step (back to the entry: engine_test's undo rows)
  EXPECT_EQ(shown(), (std::vector<QString>{"80000000000000FF", "80000000000000FF", "1"}));

  w.SelectRangeMode(kRangeB);  // the word shrinks: 8 bits; each row copies what it shows
  EXPECT_EQ(Bits(), QStringLiteral("11111111"));
  for (int row : {kPanelHex, kPanelDec, kPanelUdec, kPanelOct, kPanelBin}) {
    SetClipboard(QStringLiteral("kept"));
    Panel().copyButton(row)->click();
    EXPECT_EQ(Clipboard(), row == kPanelBin ? Bits() : Row(row)) << row;  // BIN: its bit buttons
  }

  Type(w, "\r0/");  // an error: nothing shows
  for (QWidget* child : Panel().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) EXPECT_FALSE(child->isVisible());
  Type(w, "#");
  EXPECT_EQ(Row(kPanelHex), QStringLiteral("FF"));

  w.SelectBaseMode(kBaseReal);  // REAL: every digit, selectable
  Type(w, "2\r3/");
  EXPECT_FALSE(Panel().rowText(kPanelHex)->isVisible());
  EXPECT_TRUE(Panel().fullText()->isVisible());
  EXPECT_EQ(Panel().fullText()->toPlainText(),
            QStringLiteral("0.6666666666666666666666666666666666666666666666666666666666666666666666666667"));
  EXPECT_TRUE(Panel().fullText()->textInteractionFlags() & Qt::TextSelectableByMouse);
  Panel().copyButton(kPanelRowCount)->click();
  EXPECT_EQ(Clipboard(), Panel().fullText()->toPlainText());
  EXPECT_EQ(Of(Panel().copyButton(kPanelRowCount))->text(QAccessible::Name), QStringLiteral("Copy X, all digits"));
}

// The tape pane: beside the keypad, the window wider; a short sum's lines
// named for screen readers; Copy of all and of a selection, also from the
// keyboard; Clear's question; the tape and the pane again after a restart.
TEST_F(PanelTest, TapePaneShowsCopiesClearsAndComesBackAfterARestart) {
  MainWindow& w = OpenFresh();
  const int width = w.width();
  FindAction(w.menuBar(), cmd::kTape)->trigger();
  QApplication::processEvents();
  QListWidget* list = w.tapePane()->list();
  EXPECT_TRUE(w.tapePane()->isVisible() && list->hasFocus());
  EXPECT_EQ(w.width(), width + kTapePaneWidth);
  Type(w, "7\r2+");
  const QString sum = QStringLiteral("7.00 ENTER\n2.00 +\n9.00 ***\n");
  w.tapePane()->button(0)->click();
  EXPECT_EQ(Clipboard(), sum);
  EXPECT_EQ(list->item(1)->data(Qt::AccessibleTextRole).toString(), QStringLiteral("2.00 plus"));
  EXPECT_EQ(list->item(2)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
  list->item(2)->setSelected(true);
  QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Clipboard(), QStringLiteral("9.00 ***\n"));

  w.close();
  MainWindow& again = Reopen();
  ASSERT_NE(again.tapePane(), nullptr);

  int asked = 0;
  SetTapeDialogs({[&asked](QWidget*, int lines, int) { return (asked = lines) < 0; }, {}});
  for (int i = 0; i < 18; ++i) Type(again, "1\r");
  again.tapePane()->button(1)->click();  // 21 lines (3 read back from the tape file): asks, and keeps them on No
  EXPECT_EQ(asked, 21);
  EXPECT_EQ(again.tapePane()->list()->count(), 21);
  SetTapeDialogs({[](QWidget*, int, int) { return true; }, {}});
  again.tapePane()->button(1)->click();
  EXPECT_EQ(again.tapePane()->list()->count(), 0);
  EXPECT_TRUE(again.engine().tape.lines.empty());
}

}  // namespace
}  // namespace vxc::ui

int main(int argc, char** argv) { return vxc::ui::testing_window::RunWindowTests(argc, argv); }
