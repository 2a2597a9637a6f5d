// What the window shows besides the numbers, and the settings at the end of
// a run: the focus rectangle after a focus key, the greyed captions of the
// groups that do not act, the pixel finish, the zoom and the themes, and the
// settings saved on a close, a kill or a hang-up and soon after a change,
// with a failed save told and the old file kept.
#include <QEventLoop>
#include <QProcess>
#include <QStyleOptionButton>
#include <QTimer>
#include <cmath>
#include <csignal>
#include <span>

#include "file_io.h"
#include "fonts.h"
#include "x_panel.h"
#include "window_test_support.h"

namespace vxc::ui {
namespace {

using namespace testing_window;

class LookTest : public WindowFixture {
 protected:
  void TearDown() override {
    window_.reset();
    vxc::detail::g_saveStepHook = nullptr;
  }
  void Prepare(MainWindow& w) override {
    w.SetSaveFailureBox([this](const QString& text) { boxes_.push_back(text); });
  }

  std::vector<QString> boxes_;
};

// ------------------------------------------------------------- focus

QRect FocusRectOf(QRadioButton* radio) {
  QStyleOptionButton option;
  option.initFrom(radio);
  option.text = radio->text();
  return radio->style()->subElementRect(QStyle::SE_RadioButtonFocusRect, &option, radio);
}

TEST_F(LookTest, TheRadioAFocusKeyReachesShowsAFocusRectangle) {
  const struct { const char* how; Qt::Key key; int focused; } cases[] = {
      {"Tab", Qt::Key_Tab, kRadioAngle},  // BASE -> ANGLE (DEG)
      {"Shift+Tab", Qt::Key_Backtab, kRadioMem},  // BASE -> MEM (0)
      {"Down", Qt::Key_Down, kRadioBase + 1}};  // REAL -> DEC
  for (const auto& c : cases) {
    MainWindow& w = OpenFresh();
    QRadioButton* radio = w.radio(c.focused);
    const QImage before = radio->grab().toImage();  // no focus yet
    EXPECT_FALSE(before.isNull());
    QTest::keyClick(w.focusWidget(), c.key, c.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    QApplication::processEvents();
    ASSERT_EQ(w.focusWidget(), radio) << c.how;
    const QImage after = radio->grab().toImage();
    // The pixels that changed form a dotted rectangle round the caption
    // (the circle of a newly checked radio changes too: left of it).
    const QRect frame = FocusRectOf(radio);
    int onFrame = 0, elsewhere = 0;
    for (int y = 0; y < after.height(); ++y) {
      for (int x = 0; x < after.width(); ++x) {
        if (before.pixel(x, y) == after.pixel(x, y)) continue;
        const bool edge = (x == frame.left() || x == frame.right()) && y >= frame.top() && y <= frame.bottom();
        const bool rim = (y == frame.top() || y == frame.bottom()) && x >= frame.left() && x <= frame.right();
        if (edge || rim) ++onFrame;
        else if (x > frame.left()) ++elsewhere;
      }
    }
    EXPECT_GE(onFrame, (frame.width() + frame.height()) / 2) << c.how;
    EXPECT_EQ(elsewhere, 0) << c.how;
  }
}

// ------------------------------------------------------------- disabled look

// The darkest pixel of the caption (right of the circle).
int DarkestCaptionPixel(QWidget* control, int from) {
  const QImage image = control->grab().toImage();
  int darkest = 255;
  for (int y = 0; y < image.height(); ++y)
    for (int x = from; x < image.width(); ++x) darkest = qMin(darkest, qGray(image.pixel(x, y)));
  return darkest;
}

TEST_F(LookTest, CaptionsAndDigitCountsOfGroupsThatDoNotActAreGreyed) {
  MainWindow& w = Reopen();
  const int captionFrom = 16;  // past the circle
  auto black = [](int gray) { return gray < 60; };
  auto grey = [](int gray) { return gray >= 100 && gray < 180; };
  EXPECT_TRUE(black(DarkestCaptionPixel(w.radio(kRadioBase), captionFrom)));
  EXPECT_TRUE(black(DarkestCaptionPixel(w.digitBox(0), 0) ));
  Type(w, "1\r0/");  // "Devide by zero !"
  ASSERT_TRUE(w.engine().state.errorShown);
  for (int i = 0; i < kRadioRange; ++i)
    EXPECT_TRUE(grey(DarkestCaptionPixel(w.radio(i), captionFrom))) << w.radio(i)->text().toStdString();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(grey(DarkestCaptionPixel(w.digitBox(i), 2))) << "digit box " << i;
  w.RunCommand(cmd::kClx);
  w.SelectBaseMode(kBaseHex);  // ANGLE does not act in the integer modes; BASE and RANGE do
  for (int i = kRadioAngle; i < kRadioMem; ++i)
    EXPECT_TRUE(grey(DarkestCaptionPixel(w.radio(i), captionFrom))) << w.radio(i)->text().toStdString();
  EXPECT_TRUE(black(DarkestCaptionPixel(w.radio(kRadioBase + 2), captionFrom)));
  EXPECT_TRUE(black(DarkestCaptionPixel(w.radio(kRadioRange), captionFrom)));
}

// ------------------------------------------------------------- pixel finish

// The layout at 100%: what is looked up by its text, and where it is.
struct Place { const char* text; int x, y, w, h; };
const Place kPlaces[] = {
  {"T", 10, 11, 18, 28}, {"Z", 10, 39, 18, 28}, {"Y", 10, 67, 18, 28},
  {"BASE", 362, 3, 53, 117}, {"ANGLE", 362, 123, 53, 72}, {"MEM", 419, 3, 40, 192}, {"DISPLAY", 362, 199, 97, 81},
  {"REAL", 365, 23, 48, 14}, {"DEC", 365, 42, 48, 14}, {"HEX", 365, 61, 48, 14}, {"OCT", 365, 80, 48, 14},
  {"BIN", 365, 99, 48, 14}, {"DEG", 365, 141, 48, 14}, {"RAD", 365, 159, 48, 14}, {"GRAD", 365, 177, 48, 14},
  {"FIX", 365, 217, 40, 14}, {"SCI", 365, 237, 40, 14}, {"ENG", 365, 257, 40, 14},
};

TEST_F(LookTest, FramesCaptionsDigitCountsAndSuperscriptsSitInsideTheirBoxes) {
  MainWindow& w = Reopen();
  for (int i = 0; i < 30; ++i) w.RunCommand(cmd::kDigitsUp);  // FIX 32
  ASSERT_EQ(w.digitBox(0)->text(), QStringLiteral("32"));
  QApplication::processEvents();
  const QImage area = w.calcArea()->grab().toImage();
  // Each group frame's highlight takes its last row and column, its shadow the ones before.
  for (const Place& g : std::span(kPlaces + 3, 4)) {  // BASE, ANGLE, MEM, DISPLAY
    const QRect place(g.x, g.y, g.w, g.h);
    const QPoint bottom(place.center().x() + 5, place.bottom()), right(place.right(), place.center().y());
    EXPECT_EQ((std::vector{qGray(area.pixel(bottom)), qGray(area.pixel(bottom - QPoint(0, 1))), qGray(area.pixel(right)),
                           qGray(area.pixel(right - QPoint(1, 0)))}), (std::vector{255, 128, 255, 128})) << g.text;
  }
  // "GRAD" ends with a pixel of panel before the ANGLE frame's shadow at x 413.
  const auto dark = [](QRgb pixel) { return qGray(pixel) < 110; };
  const int gradRight = InkIn(area, QRect(380, 177, 33, 14), dark).right();
  EXPECT_GT(gradRight, 395);
  EXPECT_LE(gradRight, 411);
  // "32" keeps a pixel clear of the digit-count box's edge lines on both sides.
  const QRect box(410, 215, 17, 17);
  const QRect ink = InkIn(area, box.adjusted(1, 2, -1, -2), dark);
  EXPECT_GE(ink.left(), box.left() + 2);
  EXPECT_LE(ink.right(), box.right() - 2);
  // Superscripts of x², e^x and y^x: at least 6 pixels of ink, below the key top's edge.
  int superscripts = 0;
  for (const KeyDef& key : kKeypad) {
    const QRectF ink = SuperscriptInk(key);
    if (ink.isEmpty()) continue;
    ++superscripts;
    const QImage face = PaintKeyFace(key, FaceLook::kNormal, 1).toImage();
    const QRect lit = InkIn(face, QRect(qCeil(ink.left()), 0, qFloor(ink.right()) - qCeil(ink.left()), face.height()),
                            [](QRgb pixel) { return qGray(pixel) > 170; });
    EXPECT_GE(lit.height(), 6) << key.look.label << key.look.small;
    EXPECT_GE(lit.top(), 3) << key.look.label << key.look.small;  // clear of the border and the highlight line
    EXPECT_LE(ink.right(), key.width - 3) << key.look.label << key.look.small;
  }
  EXPECT_EQ(superscripts, 3);
}


// The old file kept whole and no temporary file left: settings_test, for
// each failing step; that the window's process says so on standard error:
// QuitSignals below. Here the window's part: one message box, no second save.
TEST_F(LookTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
  Reopen().close();  // writes the defaults
  const QByteArray old = ReadFile(Ini());
  ASSERT_FALSE(old.isEmpty());
  vxc::detail::g_saveStepHook = [](vxc::detail::SaveStep step) { return step != vxc::detail::SaveStep::kRename; };
  Reopen().SelectMemoryRegister(6);  // a change to save
  window_->close();
  vxc::detail::g_saveStepHook = nullptr;
  EXPECT_EQ(ReadFile(Ini()), old);
  ASSERT_EQ(boxes_.size(), 1u);  // an ordinary close shows a message box
  EXPECT_TRUE(boxes_[0].contains(QStringLiteral("could not be saved")));
  window_.reset();  // the end of the run does not save or report a second time
  EXPECT_EQ(boxes_.size(), 1u);
}

// A STO reaches the file within 3 seconds while the window stays open, so
// that a kill (SIGKILL) then loses nothing.
TEST_F(LookTest, AStoreIsSavedWithinThreeSecondsWithoutAClose) {
  Type(Reopen(), "42");
  window_->RunCommand(cmd::kSto);
  QEventLoop loop;  // one that waits, as the window's own does (QTest::qWait never does)
  QTimer::singleShot(3000, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_TRUE(ReadFile(Ini()).contains("\nRM0=42\n")) << IniText().toStdString();
}

#ifdef VXC32_PATH
// The SIGTERM bit (and its neighbours) in the caught-signal mask of `pid`.
bool CatchesSignal(qint64 pid, int signal) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (!line.startsWith("SigCgt:")) continue;
    bool ok = false;
    const qulonglong mask = line.mid(7).trimmed().toULongLong(&ok, 16);
    return ok && (mask >> (signal - 1) & 1) != 0;
  }
  return false;
}

TEST(QuitSignals, AKillOrAHangUpSavesTheSettingsLikeAClose) {
  const struct { const char* name; int signal; bool folderIsAFile; } cases[] = {
      {"SIGTERM", SIGTERM, false}, {"SIGHUP", SIGHUP, false}, {"SIGINT", SIGINT, false},
      {"SIGTERM, nowhere to save", SIGTERM, true}};
  for (const auto& c : cases) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString config = dir.path();
    if (c.folderIsAFile) {  // the settings folder cannot be made
      config += QStringLiteral("/plain");
      QFile plain(config);
      ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    }
    QProcess window;  // offscreen, its settings under `config`
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    window.setProcessEnvironment(env);
    window.start(QStringLiteral(VXC32_PATH), {});
    ASSERT_TRUE(window.waitForStarted(10000)) << c.name;
    ASSERT_TRUE(QTest::qWaitFor([&] { return CatchesSignal(window.processId(), c.signal); }, 30000)) << c.name;
    QTest::qWait(100);
    kill(pid_t(window.processId()), c.signal);
    ASSERT_TRUE(window.waitForFinished(30000)) << c.name;
    EXPECT_EQ(window.exitStatus(), QProcess::NormalExit) << c.name;
    const QByteArray ini = ReadFile(config + QStringLiteral("/Ostrano/VXC/VXC.INI"));
    const QByteArray said = window.readAllStandardError();
    EXPECT_EQ(ini.contains("[Option]\nBASE=0\n"), !c.folderIsAFile) << c.name << ": " << ini.toStdString();
    EXPECT_EQ(said.contains("not saved"), c.folderIsAFile) << c.name << ": " << said.toStdString();
    EXPECT_EQ(said.contains("settings were not saved"), c.folderIsAFile) << c.name;
  }
}
#endif

// At every zoom each control sits at its place times the factor and takes clicks there; Dark's texts read
// at 4.5:1, Light is the window's own colours (X's black and red: ExpectShowsTheModes; the panel grey
// below), System follows the desktop.
using ZoomTheme = WindowFixture;

void ExpectAt(const QWidget* w, QRectF layout, double f, const std::string& what) {
  ASSERT_NE(w, nullptr) << what;
  const QRect g = w->geometry();
  const QRectF want(layout.topLeft() * f, layout.size() * f);
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

TEST(Theme, DarkTextsReadAtAALevel) {
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
}

TEST_F(ZoomTheme, SystemFollowsTheDesktopPaletteLiveAndAChoiceHolds) {
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
  EXPECT_EQ(w.engine().state.theme, kThemeLight);  // saved like every option (settings_test)
}

}  // namespace
}  // namespace vxc::ui

int main(int argc, char** argv) { return vxc::ui::testing_window::RunWindowTests(argc, argv); }
