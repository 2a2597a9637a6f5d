// The window's state and what it hands on: Undo and Redo greyed as they
// act, "Initialize", the settings file written on closing and read back
// safely, Copy and Paste through the clipboard, and the display lines as a
// screen reader reads them.
#include <QMimeData>
#include <QTimer>

#include "accessibility.h"
#include "menus.h"
#include "window_test_support.h"

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

  // A mode switch that converts the stack: the radios and groups follow.
  w.SelectBaseMode(kBaseHex);
  w.RunCommand(cmd::kUndo);
  EXPECT_EQ(s.base, kBaseReal);
  ExpectShowsTheModes("BASE undone");
  EXPECT_EQ(X(), QStringLiteral("12"));
  EXPECT_EQ(enabled(), std::pair(true, true));

  // A failed operation is taken back while its message shows.
  Type(w, "\r0/");
  ASSERT_EQ(X(), kDivError);
  EXPECT_EQ(enabled(), std::pair(true, false));
  w.RunCommand(cmd::kUndo);
  EXPECT_FALSE(s.errorShown);
  EXPECT_EQ(X(), QStringLiteral("0"));
  ExpectShowsTheModes("error undone");

  // The greying in the four languages.
  for (CommandId language : {cmd::kLangJapanese, cmd::kLangChinese, cmd::kLangEsperanto, cmd::kLangEnglish}) {
    w.RunCommand(language);
    QApplication::processEvents();
    EXPECT_EQ(enabled(), std::pair(true, true)) << language;
  }
  while (CanUndo(w.engine())) w.RunCommand(cmd::kUndo);
  EXPECT_EQ(enabled(), std::pair(false, true));
  EXPECT_EQ(s.language, kLangEnglish);  // the language is no step
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
  EXPECT_TRUE(ModesOf(w) == (Modes{kBaseReal, 0, 0, 0, 0, B}));
  EXPECT_EQ(s.language, kLangEsperanto);  // the language stays
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

TEST_F(WindowTest, SettingsAreWrittenWhenTheWindowClosesAndReadSafely) {
  const std::pair<const char*, std::function<void(MainWindow&)>> ways[] = {
      {"close box", [](MainWindow& w) { w.close(); }},
      {"Exit", [](MainWindow& w) { w.RunCommand(cmd::kExit); }},
      {"Alt+X", [](MainWindow& w) { QTest::keyClick(w.radio(kRadioBase), 'x', Qt::AltModifier); }},
  };
  for (const auto& [how, close] : ways) {
    MainWindow& w = Open(kBaseOct);
    w.SelectMemoryRegister(7);
    close(w);
    EXPECT_FALSE(w.isVisible()) << how;
    const QString ini = IniText();
    EXPECT_TRUE(ini.contains(QStringLiteral("BASE=3")) && ini.contains(QStringLiteral("Uses=7")))
        << how << ini.toStdString();
  }
  MainWindow& again = Reopen();  // the next start reads them back
  EXPECT_TRUE(ModesOf(again) == (Modes{kBaseOct, 0, 7, 0, 0, B}));
  ExpectShowsTheModes("read back");
  // A hand-edited file starts safely.
  WriteIni("[Option]\nBASE=7\nANGLE=5\nDISPLAY=7\nRANGE=12\nLanguage=3\n[Pos]\nLeft=-90000\nTop=77777\n");
  MainWindow& w = Reopen();
  ExpectShowsTheModes("hand-edited");  // the values read are in modes_unknown.ini's cases
  EXPECT_EQ(w.menuBar()->actions().size(), 4);  // language 3: the first menu stays
  EXPECT_EQ(w.pos(), QPoint(0, 1024 - kAreaHeight - 60));  // off every screen: the nearest place on it
}

// A saved place keeps the window where at least 48 pixels of its top edge
// are on the screen (1280 x 1024); otherwise it opens at the nearest place
// where all of it shows, and that place is saved.
TEST_F(WindowTest, TheWindowStartsOnTheScreen) {
  ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1280, 1024));
  Open().close();  // the save makes the settings folder
  const int right = 1280 - kAreaWidth - 16, bottom = 1024 - kAreaHeight - 60;
  const struct { int left, top; QPoint opens; } cases[] = {
      {2147483647, 2147483647, {right, bottom}}, {-2147483647 - 1, 5, {0, 5}}, {100, -30, {100, 0}},
      {1280 - 48, 500, {1280 - 48, 500}}, {1280 - 47, 500, {right, 500}}, {1280 - 48, 1023, {1280 - 48, 1023}},
  };
  for (const auto& c : cases) {
    WriteIni(QStringLiteral("[Pos]\nLeft=%1\nTop=%2\n").arg(c.left).arg(c.top).toUtf8());
    MainWindow& w = Reopen();
    EXPECT_EQ(w.pos(), c.opens) << c.left << "," << c.top;
    w.close();
    const QString saved = QStringLiteral("Left=%1\nTop=%2").arg(c.opens.x()).arg(c.opens.y());
    EXPECT_TRUE(IniText().contains(saved)) << IniText().toStdString();
  }
}

// ------------------------------------------------------------- clipboard

// The clipboard's wiring: what Copy and Copy Full Precision place and
// Paste reads back in every mode is in engine_test and paste.cases
// (text cleaned as it is read, "abc" refused).
TEST_F(WindowTest, CopyAndPasteGoThroughTheClipboardButNotDuringAnError) {
  const struct { uint32_t base, display; const char* typed; CommandId copy; const char* copied; } cases[] = {
      {kBaseReal, kDisplaySci, "1234.5\r", cmd::kCopy, "1.23e3"},
      {kBaseBin, kDisplayFix, "1111111111111111111111111111111111111111111111111111111111111111\r", cmd::kCopy,
       "1111111111111111111111111111111111111111111111111111111111111111"},  // whole, however narrow the box
      {kBaseReal, kDisplayFix, "2\r3/", cmd::kCopyFull,
       "0.6666666666666666666666666666666666666666666666666666666666666666666666666667"},
      {kBaseReal, kDisplayFix, "1.5e3~", cmd::kCopyFull, "1.5e-3"},  // an entry: as typed
  };
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

TEST_F(WindowTest, PasteOfNothingUsableChangesNothing) {
  auto mime = [](const char* type, QByteArray bytes) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(type), bytes);
    QGuiApplication::clipboard()->setMimeData(data);
  };
  const std::function<void()> fills[] = {
      [] { QGuiApplication::clipboard()->clear(); }, [&] { mime("image/png", QByteArray("\x89PNG", 4)); },
      [&] { mime("text/plain", QByteArray("\xff\xfe\x80" "12", 5)); }};  // no UTF-8
  for (const auto& fill : fills) {
    Type(Open(), "7\r8");
    fill();
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

}  // namespace
}  // namespace vxc::ui

int main(int argc, char** argv) { return vxc::ui::testing_window::RunWindowTests(argc, argv); }
