// The X panel in the window, headless: shown and hidden with the window's
// height and the settings file, the rows following X, a bit click, copying
// a row, and what a screen reader finds.
#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <vector>

#include "display_box.h"
#include "window_test_support.h"
#include "x_panel.h"

namespace vxc::ui {
namespace {

using namespace testing_window;

QString Name(QObject* object) { return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name); }

// What each row shows in each mode is in x_panel.cases; here the widgets' wiring.
class PanelTest : public WindowFixture {
 protected:
  // A window at the defaults in `base` with the panel on.
  MainWindow& OpenWithPanel(uint32_t base) {
    MainWindow& w = OpenFresh();
    w.RunCommand(cmd::kXPanel);
    w.SelectBaseMode(base);
    return w;
  }
  XPanel& Panel() { return *window_->xPanel(); }
  QString Row(int row) { return Panel().rowText(row)->text(); }
  // The bits as shown, highest first, of the visible bit buttons.
  QString Bits() {
    QString bits;
    for (int bit = kMaxWordBits - 1; bit >= 0; --bit)
      if (Panel().bitButton(bit)->isVisible()) bits += Panel().bitButton(bit)->text();
    return bits;
  }
  // Where every control of the calculator area sits.
  std::vector<QRect> Geometry() {
    std::vector<QRect> places;
    for (QWidget* child : window_->calcArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (child != window_->xPanel()) places.push_back(child->geometry());
    return places;
  }
  // Every control, shown or hidden, lies inside the calculator area.
  void ExpectAllInside() {
    QWidget* area = window_->calcArea();
    for (QWidget* child : area->findChildren<QWidget*>())
      EXPECT_TRUE(area->rect().contains(QRect(child->mapTo(area, QPoint(0, 0)), child->size())))
          << child->metaObject()->className();
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
  const std::vector<QRect> places = Geometry();
  EXPECT_EQ(w.xPanel(), nullptr);  // not made until wanted
  ExpectPanel(false, height);
  ExpectAllInside();

  FindAction(w.menuBar(), cmd::kXPanel)->trigger();
  ExpectPanel(true, height);
  EXPECT_EQ(w.xPanel()->geometry(), QRect(0, kAreaHeight, kAreaWidth, kXPanelHeight));
  EXPECT_EQ(Geometry(), places);  // the rest keeps its place and size
  ExpectAllInside();
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
  EXPECT_TRUE(IniText().contains(QStringLiteral("Panel=0")));
  Reopen();
  ExpectPanel(false, height);
}

TEST_F(PanelTest, RowsFollowEveryRefreshAndAreEmptyDuringAnError) {
  MainWindow& w = OpenWithPanel(kBaseHex);
  Type(w, "FF");  // an entry, by its value
  EXPECT_EQ(Row(kPanelHex), QStringLiteral("FF"));
  EXPECT_EQ(Bits(), QString(56, QChar('0')) + QStringLiteral("11111111"));
  EXPECT_EQ(Name(Panel().rowText(kPanelDec)), QStringLiteral("Decimal, signed, 255"));
  EXPECT_EQ(Name(Panel().bitButton(7)), QStringLiteral("Bit 7, 1"));

  w.SelectRangeMode(kRangeB);  // the word shrinks: 8 bits
  EXPECT_EQ(Row(kPanelDec), QStringLiteral("-1"));
  EXPECT_EQ(Bits(), QStringLiteral("11111111"));

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
}

// The click's effect on the stack and the entry is in x_panel.cases.
TEST_F(PanelTest, ClickingABitFlipsItThroughTheEngine) {
  MainWindow& w = OpenWithPanel(kBaseHex);
  Type(w, "5\r7");
  auto shown = [&] { return std::vector{w.valueBox(kLineX)->text(), Row(kPanelHex), Panel().bitButton(63)->text()}; };
  QTest::mouseClick(Panel().bitButton(63), Qt::LeftButton);
  EXPECT_EQ(shown(), (std::vector<QString>{"8000000000000007", "8000000000000007", "1"}));
  QTest::mouseClick(Panel().bitButton(0), Qt::LeftButton);
  EXPECT_EQ(w.valueBox(kLineX)->text(), QStringLiteral("8000000000000006"));
  w.RunCommand(cmd::kUndo);  // each click is one step
  EXPECT_EQ(shown(), (std::vector<QString>{"8000000000000007", "8000000000000007", "1"}));
  w.RunCommand(cmd::kUndo);  // back to the entry the first click finished
  EXPECT_TRUE(w.engine().state.Typing());
  EXPECT_EQ(shown(), (std::vector<QString>{"7", "7", "0"}));
}

TEST_F(PanelTest, EachRowCopies) {
  MainWindow& w = OpenWithPanel(kBaseDec);
  w.SelectRangeMode(kRangeW);
  Type(w, "300");
  const struct { int row; const char* text; } rows[] = {
      {kPanelHex, "12C"}, {kPanelDec, "300"}, {kPanelUdec, "300"}, {kPanelOct, "454"}, {kPanelBin, "0000000100101100"}};
  for (const auto& r : rows) {
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    Panel().copyButton(r.row)->click();
    EXPECT_EQ(Clipboard(), QString::fromLatin1(r.text)) << r.row;
  }
  w.SelectBaseMode(kBaseReal);
  Type(w, "1\r7/");
  Panel().copyButton(kPanelRowCount)->click();
  EXPECT_EQ(Clipboard(), QStringLiteral("0.1428571428571428571428571428571428571428571428571428571428571428571428571429"));
  EXPECT_EQ(Name(Panel().copyButton(kPanelRowCount)), QStringLiteral("Copy X, all digits"));
}

}  // namespace
}  // namespace vxc::ui

int main(int argc, char** argv) { return vxc::ui::testing_window::RunWindowTests(argc, argv); }
