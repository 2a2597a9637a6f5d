// At every zoom each control sits at its place times the factor and takes clicks there; Dark's texts read
// at 4.5:1, Light is the window's own colours, System follows the desktop.
#include <QRadioButton>
#include <QTest>
#include <cmath>

#include "display_box.h"
#include "fonts.h"
#include "group_frame.h"
#include "x_panel.h"
#include "window_test_support.h"

namespace vxc::ui {
namespace {

using namespace testing_window;
using ZoomTheme = WindowFixture;

// The layout at 100%: what is looked up by its text, and where it is.
struct Place { const char* text; int x, y, w, h; };
const Place kPlaces[] = {
  {"T", 10, 11, 18, 28}, {"Z", 10, 39, 18, 28}, {"Y", 10, 67, 18, 28},
  {"BASE", 362, 3, 53, 117}, {"ANGLE", 362, 123, 53, 72}, {"MEM", 419, 3, 40, 192}, {"DISPLAY", 362, 199, 97, 81},
  {"REAL", 365, 23, 48, 14}, {"DEC", 365, 42, 48, 14}, {"HEX", 365, 61, 48, 14}, {"OCT", 365, 80, 48, 14},
  {"BIN", 365, 99, 48, 14}, {"DEG", 365, 141, 48, 14}, {"RAD", 365, 159, 48, 14}, {"GRAD", 365, 177, 48, 14},
  {"FIX", 365, 217, 40, 14}, {"SCI", 365, 237, 40, 14}, {"ENG", 365, 257, 40, 14},
};

void ExpectAt(const QWidget* w, QRectF spec, double f, const std::string& what) {
  ASSERT_NE(w, nullptr) << what;
  const QRect g = w->geometry();
  const QRectF want(spec.topLeft() * f, spec.size() * f);
  EXPECT_TRUE(std::abs(g.left() - want.left()) <= 1 && std::abs(g.top() - want.top()) <= 1 &&
              std::abs(g.x() + g.width() - want.right()) <= 1 && std::abs(g.y() + g.height() - want.bottom()) <= 1)
      << what << " at " << f << ": " << g.x() << "," << g.y() << " " << g.width() << "x" << g.height();
}

TEST_F(ZoomTheme, EveryControlSitsAtItsPlaceTimesTheZoomAndTakesClicksThere) {
  MainWindow& w = OpenFresh();
  w.RunCommand(cmd::kXPanel);
  QWidget* area = w.calcArea();
  for (int zoom = 100; zoom <= 300; zoom += 25) {
    if (zoom > 100) w.RunCommand(cmd::kZoomIn);
    ASSERT_EQ(w.engine().state.zoom, uint32_t(zoom));
    const double f = zoom / 100.0;
    EXPECT_NEAR(area->width(), kAreaWidth * f, 1);
    EXPECT_NEAR(area->height(), (kAreaHeight + kXPanelHeight) * f, 1);
    ExpectAt(w.xPanel(), QRect(0, kAreaHeight, kAreaWidth, kXPanelHeight), f, "X panel");
    for (int line = 0; line < 4; ++line) {
      const int y = line < 3 ? 11 + 28 * line : 103;
      ExpectAt(w.valueBox(line), QRect(29, y, 287, 28), f, "value " + std::to_string(line));
      ExpectAt(w.exponentBox(line), QRect(319, y, 34, 28), f, "exponent " + std::to_string(line));
    }
    for (int i = 0; i < 3; ++i) ExpectAt(w.digitBox(i), QRect(410, 215 + 20 * i, 17, 17), f, "digit count");
    for (int n = 0; n < 10; ++n) ExpectAt(w.radio(kRadioMem + n), QRect(422, 21 + 17 * n, 34, 14), f, "MEM radio");
    for (const Place& p : kPlaces) {
      const QWidget* found = nullptr;
      for (QWidget* child : area->findChildren<QWidget*>()) {  // the classes have no meta-objects of their own
        if (auto* box = dynamic_cast<DisplayBox*>(child); box != nullptr && box->text() == p.text) found = box;
        if (auto* group = dynamic_cast<GroupFrame*>(child); group != nullptr && group->title() == p.text) found = group;
      }
      for (int i = 0; i < kRadioRange; ++i) found = w.radio(i)->text() == p.text ? w.radio(i) : found;
      ExpectAt(found, QRect(p.x, p.y, p.w, p.h), f, p.text);
    }
    ExpectAt(w.rangeGroup(), QRect(362, 199, 97, 60), f, "RANGE");
    for (int row = 0; row < kKeyCount; ++row) {
      const KeyDef& k = kKeypad[row];
      ExpectAt(w.keypad().keys[size_t(row)], QRect(k.x, k.y, k.width, k.height), f, "key " + std::to_string(row));
    }
    EXPECT_NEAR(w.radio(0)->font().pixelSize(), CellFont(kSmallFontPixels).pixelSize() * f, 0.5);
    // A click at the middle of 7 as it is shown types 7.
    const QPoint seven = w.keypad().keys[size_t(RowOf(cmd::kDigit0 + 7))]->geometry().center();
    w.RunCommand(cmd::kClx);
    QTest::mouseClick(area, Qt::LeftButton, {}, seven);
    EXPECT_EQ(w.engine().state.entryText, "7") << zoom;
  }
  w.RunCommand(cmd::kZoomIn);  // no further than 300%
  EXPECT_EQ(w.engine().state.zoom, kZoomMax);
}

// WCAG 2 contrast of two colours.
double Contrast(const QColor& a, const QColor& b) {
  auto luminance = [](const QColor& c) {
    auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(Theme, DarkTextsReadAtAALevelAndLightIsTheWindowsOwnColours) {
  const ThemeColours& d = DarkColours();
  struct Pair { const char* what; QRgb text, back; };
  std::vector<Pair> pairs = {{"caption", d.text, d.window}, {"greyed caption", d.disabledText, d.window},
                             {"error", d.errorText, d.window}, {"X key greyed", d.labelDisabled, d.window},
                             {"panel box", d.panelText, d.panelBox}, {"bit 1", d.bitOne, d.window},
                             {"bit 0", d.bitZero, d.window}, {"bit numbers", d.bitNumbers, d.window},
                             {"bit 1 held", d.bitOne, d.bitDown}, {"bit 0 held", d.bitZero, d.bitDown}};
  for (const Pair& p : pairs) EXPECT_GE(Contrast(QColor(p.text), QColor(p.back)), 4.5) << p.what;
  EXPECT_GE(Contrast(QColor(d.text), QColor(d.disabledText)), 2.0);  // greyed captions stand apart
  for (int row = 0; row < kKeyCount; ++row) {
    const KeyDef& k = kKeypad[row];
    const FaceColours normal = FaceColoursOf(d, k.look.tone, FaceLook::kNormal);
    for (FaceLook look : {FaceLook::kNormal, FaceLook::kPressed, FaceLook::kDisabled}) {
      if (look == FaceLook::kDisabled && !k.hasDisabledFace) continue;
      const FaceColours c = FaceColoursOf(d, k.look.tone, look);
      for (const QColor& back : {c.top, c.bottom}) EXPECT_GE(Contrast(c.ink, back), 4.5) << row << " " << int(look);
      if (look == FaceLook::kDisabled) { EXPECT_GE(Contrast(c.ink, normal.ink), 1.5) << "greyed key " << row; }
    }
  }
  const ThemeColours& l = LightColours();
  EXPECT_TRUE(QColor(l.window) == QColor(212, 208, 200) && l.text == qRgb(0, 0, 0) && l.errorText == qRgb(255, 0, 0));
}

TEST_F(ZoomTheme, SystemFollowsTheDesktopPaletteLiveAndTheChoiceIsSaved) {
  MainWindow& w = OpenFresh();  // System by default; the offscreen desktop is light
  EXPECT_EQ(w.look().colours, &LightColours());
  EXPECT_EQ(w.palette().color(QPalette::Window), QColor(212, 208, 200));
  const QPalette desktop = QApplication::palette();
  QApplication::setPalette(QPalette(QColor(30, 30, 30)));
  QApplication::processEvents();  // the change is posted
  EXPECT_EQ(w.look().colours, &DarkColours());
  EXPECT_EQ(w.valueBox(kLineX)->textColour(), QColor(DarkColours().text));
  FindAction(w.menuBar(), cmd::kThemeLight)->trigger();  // chosen, it holds on a dark desktop
  EXPECT_TRUE(w.look().colours == &LightColours() && FindAction(w.menuBar(), cmd::kThemeLight)->isChecked());
  QApplication::setPalette(desktop);
  w.RunCommand(cmd::kZoomIn);
  w.close();
  EXPECT_TRUE(IniText().contains(QStringLiteral("Zoom=125\nTheme=0\n"))) << IniText().toStdString();
  EXPECT_EQ(Reopen().valueBox(0)->width(), Zoomed(QRect(29, 11, 287, 28), 125).width());
}

}  // namespace
}  // namespace vxc::ui

int main(int argc, char** argv) { return vxc::ui::testing_window::RunWindowTests(argc, argv); }
