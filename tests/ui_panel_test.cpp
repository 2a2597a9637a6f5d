// The X panel in the window, headless: shown and hidden with the window's
// height and the settings file, the rows following X, a bit click, copying
// a row, and what a screen reader finds.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "display_box.h"
#include "keypad.h"
#include "main_window.h"
#include "window_test_support.h"
#include "x_panel.h"

namespace vxc::ui {
namespace {

using namespace testing_window;

QString Name(QObject* object) { return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name); }

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
};

TEST_F(PanelTest, ShowingAndHidingGrowsTheWindowAndIsSavedAcrossRestarts) {
  window_.reset();
  MainWindow& w = Reopen();
  const int height = w.height();
  const std::vector<QRect> places = Geometry();
  EXPECT_EQ(w.xPanel(), nullptr);  // not made until wanted
  EXPECT_FALSE(FindAction(w.menuBar(), cmd::kXPanel)->isChecked());

  FindAction(w.menuBar(), cmd::kXPanel)->trigger();
  QApplication::processEvents();
  ASSERT_NE(w.xPanel(), nullptr);
  EXPECT_TRUE(w.xPanel()->isVisible());
  EXPECT_EQ(w.height(), height + kXPanelHeight);
  EXPECT_EQ(w.xPanel()->geometry(), QRect(0, kAreaHeight, kAreaWidth, kXPanelHeight));
  EXPECT_EQ(Geometry(), places);  // the rest keeps its place and size
  EXPECT_TRUE(FindAction(w.menuBar(), cmd::kXPanel)->isChecked());
  for (QWidget* child : w.calcArea()->findChildren<QWidget*>()) {  // all of it inside the window
    if (child->isVisible()) {
      EXPECT_TRUE(w.calcArea()->rect().contains(QRect(child->mapTo(w.calcArea(), QPoint(0, 0)), child->size())));
    }
  }

  w.RunCommand(cmd::kInitialize);  // leaves the panel alone, and writes it
  EXPECT_TRUE(w.xPanel()->isVisible());
  EXPECT_TRUE(IniText().contains(QStringLiteral("Panel=1"))) << IniText().toStdString();

  w.move(10, 20);
  w.close();
  MainWindow& again = Reopen();
  QApplication::processEvents();
  ASSERT_NE(again.xPanel(), nullptr);
  EXPECT_TRUE(again.xPanel()->isVisible());
  EXPECT_EQ(again.height(), height + kXPanelHeight);
  EXPECT_TRUE(FindAction(again.menuBar(), cmd::kXPanel)->isChecked());

  again.RunCommand(cmd::kXPanel);
  QApplication::processEvents();
  EXPECT_FALSE(again.xPanel()->isVisible());
  EXPECT_EQ(again.height(), height);
  again.close();
  EXPECT_TRUE(IniText().contains(QStringLiteral("Panel=0")));
  EXPECT_EQ(Reopen().height(), height);
}

TEST_F(PanelTest, RowsFollowEveryRefreshAndAreEmptyDuringAnError) {
  MainWindow& w = OpenWithPanel(kBaseHex);
  Type(w, "FF");  // an entry, by its value
  EXPECT_EQ(Row(kPanelHex), QStringLiteral("FF"));
  EXPECT_EQ(Row(kPanelDec), QStringLiteral("255"));
  EXPECT_EQ(Row(kPanelUdec), QStringLiteral("255"));
  EXPECT_EQ(Row(kPanelOct), QStringLiteral("377"));
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
  Type(w, "1.5e3");
  EXPECT_EQ(Panel().fullText()->toPlainText(), QStringLiteral("1500"));
}

TEST_F(PanelTest, ClickingABitFlipsItThroughTheEngine) {
  MainWindow& w = OpenWithPanel(kBaseHex);
  Type(w, "5\r7");
  QTest::mouseClick(Panel().bitButton(63), Qt::LeftButton);
  const CalcState& s = w.engine().state;
  EXPECT_EQ(w.valueBox(kLineX)->text(), QStringLiteral("8000000000000007"));
  EXPECT_EQ(w.valueBox(kLineY)->text(), QStringLiteral("5"));  // no lift
  EXPECT_FALSE(s.Typing());
  EXPECT_EQ(Row(kPanelHex), QStringLiteral("8000000000000007"));
  EXPECT_EQ(Panel().bitButton(63)->text(), QStringLiteral("1"));
  QTest::mouseClick(Panel().bitButton(0), Qt::LeftButton);
  EXPECT_EQ(w.valueBox(kLineX)->text(), QStringLiteral("8000000000000006"));
  w.RunCommand(cmd::kUndo);  // each click is one step
  EXPECT_EQ(w.valueBox(kLineX)->text(), QStringLiteral("8000000000000007"));
  EXPECT_EQ(Row(kPanelHex), QStringLiteral("8000000000000007"));
  w.RunCommand(cmd::kUndo);  // back to the entry the first click finished
  EXPECT_TRUE(s.Typing());
  EXPECT_EQ(Row(kPanelHex), QStringLiteral("7"));
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
