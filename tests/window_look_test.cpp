// What the window shows besides the numbers, and the settings at the end of
// a run: the focus rectangle after a focus key, the greyed captions of the
// groups that do not act, the pixel finish, and the settings saved on a close, a kill or a hang-up, with a failed save told
// and the old file kept.
#include <QElapsedTimer>
#include <QProcess>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "display_box.h"
#include "file_io.h"
#include "key_faces.h"
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
      {"Down", Qt::Key_Down, kRadioBase + 1},  // REAL -> DEC
      {"Right", Qt::Key_Right, kRadioBase + 1}};
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

TEST_F(LookTest, FramesCaptionsDigitCountsAndSuperscriptsSitInsideTheirBoxes) {
  MainWindow& w = Reopen();
  for (int i = 0; i < 30; ++i) w.RunCommand(cmd::kDigitsUp);  // FIX 32
  ASSERT_EQ(w.digitBox(0)->text(), QStringLiteral("32"));
  QApplication::processEvents();
  const QImage area = w.calcArea()->grab().toImage();
  // Each group frame's highlight takes its last row and column, its shadow the ones before.
  const struct { const char* name; QRect place; } groups[] = {{"BASE", {362, 3, 53, 117}},
                                                             {"ANGLE", {362, 123, 53, 72}},
                                                             {"MEM", {419, 3, 40, 192}},
                                                             {"DISPLAY", {362, 199, 97, 81}}};
  for (const auto& g : groups) {
    const QPoint bottom(g.place.center().x() + 5, g.place.bottom()), right(g.place.right(), g.place.center().y());
    EXPECT_EQ(qGray(area.pixel(bottom)), 255) << g.name;
    EXPECT_EQ(qGray(area.pixel(bottom - QPoint(0, 1))), 128) << g.name;
    EXPECT_EQ(qGray(area.pixel(right)), 255) << g.name;
    EXPECT_EQ(qGray(area.pixel(right - QPoint(1, 0))), 128) << g.name;
  }
  // "GRAD" ends with a pixel of panel before the ANGLE frame's shadow at x 413.
  int gradRight = 0;
  for (int y = 177; y < 191; ++y)
    for (int x = 380; x < 413; ++x)
      if (qGray(area.pixel(x, y)) < 110) gradRight = qMax(gradRight, x);
  EXPECT_GT(gradRight, 395);
  EXPECT_LE(gradRight, 411);
  // "32" keeps a pixel clear of the digit-count box's edge lines on both sides.
  const QRect box(410, 215, 17, 17);
  int inkLeft = box.right(), inkRight = box.left();
  for (int y = box.top() + 2; y < box.bottom() - 1; ++y)
    for (int x = box.left() + 1; x < box.right(); ++x)
      if (qGray(area.pixel(x, y)) < 110) inkLeft = qMin(inkLeft, x), inkRight = qMax(inkRight, x);
  EXPECT_GE(inkLeft, box.left() + 2);
  EXPECT_LE(inkRight, box.right() - 2);
  // Superscripts of x², e^x and y^x: at least 6 pixels of ink, below the key top's edge.
  int superscripts = 0;
  for (const KeyDef& key : kKeypad) {
    const QRectF ink = SuperscriptInk(key);
    if (ink.isEmpty()) continue;
    ++superscripts;
    const QImage face = PaintKeyFace(key, FaceLook::kNormal, 1).toImage();
    int top = face.height(), bottom = -1;
    for (int y = 0; y < face.height(); ++y)
      for (int x = qCeil(ink.left()); x < qFloor(ink.right()); ++x)
        if (qGray(face.pixel(x, y)) > 170) top = qMin(top, y), bottom = qMax(bottom, y);
    EXPECT_GE(bottom - top + 1, 6) << key.look.label << key.look.small;
    EXPECT_GE(top, 3) << key.look.label << key.look.small;  // clear of the border and the highlight line
    EXPECT_LE(ink.right(), key.width - 3) << key.look.label << key.look.small;
  }
  EXPECT_EQ(superscripts, 3);
}


// The old file kept whole and no temporary file left: settings_test, for
// each failing step; that the window's process says so on standard error:
// QuitSignals below. Here the window's part: one message box, no second save.
TEST_F(LookTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
  MainWindow& first = Reopen();
  first.close();  // writes the defaults
  const QByteArray old = ReadFile(Ini());
  ASSERT_FALSE(old.isEmpty());

  const struct { const char* what; bool readOnlyFolder; } ways[] = {{"rename refused", false}, {"read-only folder", true}};
  for (const auto& way : ways) {
    const QString folder = QString::fromStdString(SettingsPath()).section(QLatin1Char('/'), 0, -2);
    if (way.readOnlyFolder) {
      if (geteuid() == 0) continue;  // root writes into any folder
      QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    } else {
      vxc::detail::g_saveStepHook = [](vxc::detail::SaveStep step) { return step != vxc::detail::SaveStep::kRename; };
    }
    boxes_.clear();
    MainWindow& w = Reopen();
    w.SelectMemoryRegister(6);  // a change to save
    w.close();
    vxc::detail::g_saveStepHook = nullptr;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadFile(Ini()), old) << way.what;
    ASSERT_EQ(boxes_.size(), 1u) << way.what;  // an ordinary close shows a message box
    EXPECT_TRUE(boxes_[0].contains(QStringLiteral("could not be saved"))) << way.what;
    window_.reset();  // the end of the run does not save or report a second time
  }
  EXPECT_EQ(boxes_.size(), 1u);
}

// Starts `program` offscreen with its settings under `config` and `var` set to 1 (if given).
void StartWindow(QProcess& window, const QString& program, const QStringList& args, const QString& config,
                 const QString& var = {}) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
  if (!var.isEmpty()) env.insert(var, QStringLiteral("1"));
  window.setProcessEnvironment(env);
  window.start(program, args);
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
    QProcess window;
    StartWindow(window, QStringLiteral(VXC32_PATH), {}, config);
    ASSERT_TRUE(window.waitForStarted(10000)) << c.name;
    QElapsedTimer waited;
    waited.start();
    while (!CatchesSignal(window.processId(), c.signal) && waited.elapsed() < 30000) QTest::qWait(20);
    ASSERT_TRUE(CatchesSignal(window.processId(), c.signal)) << c.name;
    QTest::qWait(100);
    kill(pid_t(window.processId()), c.signal);
    ASSERT_TRUE(window.waitForFinished(30000)) << c.name;
    EXPECT_EQ(window.exitStatus(), QProcess::NormalExit) << c.name;
    const QByteArray ini = ReadFile(config + QStringLiteral("/Ostrano/VXC/VXC.INI"));
    const QByteArray said = window.readAllStandardError();
    if (c.folderIsAFile) {
      EXPECT_TRUE(ini.isEmpty());
      EXPECT_TRUE(said.contains("settings were not saved")) << said.toStdString();
    } else {
      EXPECT_TRUE(ini.contains("[Option]") && ini.contains("BASE=0")) << c.name << ": " << ini.toStdString();
      EXPECT_FALSE(said.contains("not saved")) << said.toStdString();
    }
  }
}
#endif

// A window killed (SIGKILL) 3 seconds after a STO has the register in its
// file. The window is this test run again with VXC_WINDOW_TO_KILL set.
TEST(PromptSave, AWindowKilledThreeSecondsAfterAStoreKeepsTheRegister) {
  if (qEnvironmentVariableIsSet("VXC_WINDOW_TO_KILL")) {
    MainWindow w(SettingsPath());
    w.show();
    Type(w, "42");
    w.RunCommand(cmd::kSto);
    std::puts("stored");
    std::fflush(stdout);
    QTimer::singleShot(30000, [] { std::_Exit(2); });  // never outlives a test that is gone
    QApplication::exec();
    return;
  }
  QTemporaryDir dir;
  QProcess window;
  StartWindow(window, QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=PromptSave.*")},
              dir.path(), QStringLiteral("VXC_WINDOW_TO_KILL"));
  QByteArray out;
  while (!out.contains("stored\n") && window.waitForReadyRead(30000)) out += window.readAllStandardOutput();
  ASSERT_TRUE(out.contains("stored\n")) << out.toStdString();
  QThread::msleep(3000);
  kill(pid_t(window.processId()), SIGKILL);
  ASSERT_TRUE(window.waitForFinished(10000));
  EXPECT_EQ(window.exitStatus(), QProcess::CrashExit);
  EXPECT_TRUE(ReadFile(dir.path() + QStringLiteral("/Ostrano/VXC/VXC.INI")).contains("\nRM0=42\n"));
}

}  // namespace
}  // namespace vxc::ui

int main(int argc, char** argv) { return vxc::ui::testing_window::RunWindowTests(argc, argv); }
