// vxc32-render: draws the calculator window into PNG files, for the
// documentation and for looking at the faces without a desktop.
//
//   vxc32-render --screenshot DIR [--scale N]
//
// Writes window-real.png, window-hex.png, window-error.png,
// window-menu-ja.png, window-function-menu.png, window-function-menu-ja.png,
// window-about.png, window-panel-hex.png, window-panel-real.png,
// window-sci.png, window-fix32.png, window-zoom200.png and
// window-dark-panel.png into DIR. Runs with any Qt platform, offscreen included;
// the settings file lives in a temporary folder and is thrown away.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <initializer_list>

#include "about_dialog.h"
#include "key_faces.h"
#include "main_window.h"

namespace {

using vxc::CommandId;
namespace cmd = vxc::cmd;

void Press(vxc::ui::MainWindow& w, std::initializer_list<CommandId> ids) {
  for (CommandId id : ids) w.RunCommand(id);
}

void Digits(vxc::ui::MainWindow& w, const char* text) {
  for (const char* c = text; *c; ++c) {
    if (*c == '.') w.RunCommand(cmd::kPoint);
    else if (*c >= '0' && *c <= '9') w.RunCommand(cmd::kDigit0 + CommandId(*c - '0'));
    else if (*c >= 'A' && *c <= 'F') w.RunCommand(cmd::kLetterA + CommandId(*c - 'A'));
  }
}

bool Save(const QImage& image, const QString& dir, const char* name) {
  const QString path = QDir(dir).filePath(QString::fromLatin1(name));
  if (!image.save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

QImage Shot(QWidget& w) {
  QApplication::processEvents();
  return w.grab().toImage();
}

// The window with menu `index` open, the popup drawn where it opens, and
// with `withSubmenu` its first submenu open beside it.
QImage ShotWithMenu(vxc::ui::MainWindow& w, int index = 0, bool withSubmenu = false) {
  QMenuBar* bar = w.menuBar();
  QAction* first = bar->actions().value(index);
  if (first == nullptr || first->menu() == nullptr) return Shot(w);
  QMenu* menu = first->menu();
  const QRect item = bar->actionGeometry(first);
  const QPoint at = bar->mapTo(&w, item.bottomLeft());
  bar->setActiveAction(first);
  menu->popup(w.mapToGlobal(at));
  QApplication::processEvents();
  QMenu* sub = nullptr;
  QPoint subAt;
  for (QAction* a : menu->actions()) {
    if (!withSubmenu || a->menu() == nullptr) continue;
    sub = a->menu();
    menu->setActiveAction(a);
    subAt = at + menu->actionGeometry(a).topRight();
    sub->popup(w.mapToGlobal(subAt));
    QApplication::processEvents();
    break;
  }
  const QImage window = w.grab().toImage();
  const QImage popup = menu->grab().toImage();
  const QImage subPopup = sub != nullptr ? sub->grab().toImage() : QImage();
  const qreal dpr = window.devicePixelRatio();
  int width = qMax(window.width(), int(at.x() * dpr) + popup.width());
  int height = qMax(window.height(), int(at.y() * dpr) + popup.height());
  if (sub != nullptr) {
    width = qMax(width, int(subAt.x() * dpr) + subPopup.width());
    height = qMax(height, int(subAt.y() * dpr) + subPopup.height());
  }
  QImage out(width, height, QImage::Format_ARGB32_Premultiplied);
  out.setDevicePixelRatio(dpr);
  out.fill(Qt::transparent);
  QPainter p(&out);
  p.drawImage(QPoint(0, 0), window);
  p.drawImage(QPointF(at), popup);
  if (sub != nullptr) p.drawImage(QPointF(subAt), subPopup);
  p.end();
  if (sub != nullptr) sub->hide();
  menu->hide();
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  QString dir;
  QByteArray scale;
  for (int i = 1; i + 1 < argc; ++i) {
    if (qstrcmp(argv[i], "--screenshot") == 0) dir = QString::fromLocal8Bit(argv[i + 1]);
    if (qstrcmp(argv[i], "--scale") == 0) scale = argv[i + 1];
  }
  if (dir.isEmpty()) {
    std::fprintf(stderr, "usage: vxc32-render --screenshot DIR [--scale N]\n");
    return 2;
  }
  if (!scale.isEmpty()) qputenv("QT_SCALE_FACTOR", scale);
  QApplication app(argc, argv);
  QApplication::setWindowIcon(vxc::ui::AppIcon());
  QDir().mkpath(dir);
  QTemporaryDir settings;
  const std::string ini = (settings.path() + QStringLiteral("/VXC.INI")).toStdString();
  bool ok = true;

  {  // REAL, FIX 4, a number on every line and one being typed in X
    vxc::ui::MainWindow w(ini);
    w.show();
    Press(w, {cmd::kDigitsUp, cmd::kDigitsUp});
    Digits(w, "299792458");
    Press(w, {cmd::kEnter, cmd::kDigit0 + 1, cmd::kEnter, cmd::kDigit0 + 3, cmd::kDiv});
    Digits(w, "22");
    Press(w, {cmd::kEnter, cmd::kDigit0 + 7, cmd::kDiv});
    Digits(w, "1234.5");
    ok = Save(Shot(w), dir, "window-real.png") && ok;
  }
  {  // HEX with a few values
    vxc::ui::MainWindow w(ini);
    w.show();
    w.SelectBaseMode(vxc::kBaseHex);
    Digits(w, "FF");
    Press(w, {cmd::kEnter});
    Digits(w, "1A2B");
    Press(w, {cmd::kMul, cmd::kEnter});
    Digits(w, "C0DE");
    ok = Save(Shot(w), dir, "window-hex.png") && ok;
  }
  {  // an error in REAL: the message in red, the keypad greyed
    vxc::ui::MainWindow w(ini);
    w.show();
    Digits(w, "12");
    Press(w, {cmd::kEnter});
    Digits(w, "34");
    Press(w, {cmd::kEnter});
    Digits(w, "56");
    Press(w, {cmd::kEnter, cmd::kDigit0, cmd::kDiv});
    ok = Save(Shot(w), dir, "window-error.png") && ok;
  }
  {  // the Japanese menus, the Option menu open
    vxc::ui::MainWindow w(ini);
    w.show();
    w.RunCommand(cmd::kLangJapanese);
    QApplication::processEvents();
    ok = Save(ShotWithMenu(w), dir, "window-menu-ja.png") && ok;
  }
  {  // the Function menu (the third), in English and in Japanese, with the hyperbolic submenu open
    vxc::ui::MainWindow w(ini);
    w.show();
    Digits(w, "2");
    ok = Save(ShotWithMenu(w, 2, true), dir, "window-function-menu.png") && ok;
    w.RunCommand(cmd::kLangJapanese);
    QApplication::processEvents();
    ok = Save(ShotWithMenu(w, 2, true), dir, "window-function-menu-ja.png") && ok;
    w.RunCommand(cmd::kLangEnglish);  // the windows after this one start in English
  }
  {  // the X panel in HEX: a QW word with its bits
    vxc::ui::MainWindow w(ini);
    w.show();
    w.RunCommand(cmd::kXPanel);
    w.SelectBaseMode(vxc::kBaseHex);
    Digits(w, "FF");
    Press(w, {cmd::kEnter});
    Digits(w, "8000C0DE");
    w.FlipPanelBit(63);
    ok = Save(Shot(w), dir, "window-panel-hex.png") && ok;
  }
  {  // the X panel in REAL: every digit of 22/7
    vxc::ui::MainWindow w(ini);
    w.show();
    w.RunCommand(cmd::kXPanel);
    Digits(w, "22");
    Press(w, {cmd::kEnter, cmd::kDigit0 + 7, cmd::kDiv});
    ok = Save(Shot(w), dir, "window-panel-real.png") && ok;
  }
  {  // the tape beside the keypad: a short sum, a function, an error
    vxc::ui::MainWindow w(ini);
    w.show();
    w.RunCommand(cmd::kTape);
    for (const char* item : {"12.5", "7.25", "3"}) {
      Digits(w, item);
      Press(w, {item[0] == '1' ? cmd::kEnter : cmd::kAdd});
    }
    Press(w, {cmd::kDigit0 + 4, cmd::kDiv, cmd::kSqrt, cmd::kSto, cmd::kDigit0, cmd::kDiv});
    ok = Save(Shot(w), dir, "window-tape.png") && ok;
    w.RunCommand(cmd::kTape);  // the next windows start without it
  }
  {  // SCI 3 with exponents down to -99: 6626 ENTER, six times 10^6 /, 7 /
    vxc::ui::MainWindow w(ini);
    w.show();
    w.SelectDisplayMode(vxc::kDisplaySci);
    Press(w, {cmd::kDigitsUp});
    Digits(w, "1");
    Press(w, {cmd::kEex, cmd::kDigit0 + 9, cmd::kDigit0 + 9, cmd::kChangeSign, cmd::kEnter, cmd::kChangeSign,
              cmd::kEnter});  // -1e-99
    Digits(w, "1");
    Press(w, {cmd::kEex, cmd::kDigit0 + 9, cmd::kDigit0 + 9, cmd::kChangeSign, cmd::kEnter});  // 1e-99
    Digits(w, "6626");
    Press(w, {cmd::kEnter});
    for (int i = 0; i < 6; ++i) {
      Digits(w, "1000000");
      Press(w, {cmd::kDiv});
    }
    Digits(w, "7");
    Press(w, {cmd::kDiv});
    ok = Save(Shot(w), dir, "window-sci.png") && ok;
  }
  {  // FIX 32 on every line: -10^31/3, -22/7, PI/30 and a 32-digit entry
    vxc::ui::MainWindow w(ini);
    w.show();
    for (int i = 0; i < 30; ++i) Press(w, {cmd::kDigitsUp});
    Digits(w, "1");
    Press(w, {cmd::kEex, cmd::kDigit0 + 3, cmd::kDigit0 + 1, cmd::kEnter, cmd::kDigit0 + 3, cmd::kDiv,
              cmd::kChangeSign, cmd::kEnter});
    Digits(w, "22");
    Press(w, {cmd::kEnter, cmd::kDigit0 + 7, cmd::kDiv, cmd::kChangeSign, cmd::kEnter, cmd::kPi});
    Digits(w, "30");
    Press(w, {cmd::kDiv, cmd::kEnter});
    Digits(w, "1234567890.1234567890123456789012");
    ok = Save(Shot(w), dir, "window-fix32.png") && ok;
  }
  {  // zoom 200%: FIX 6, 22/7 under 10^6/3
    vxc::ui::MainWindow w(ini);
    w.show();
    Press(w, {cmd::kZoomIn, cmd::kZoomIn, cmd::kZoomIn, cmd::kZoomIn});
    for (int i = 0; i < 4; ++i) Press(w, {cmd::kDigitsUp});
    Digits(w, "1000000");
    Press(w, {cmd::kEnter, cmd::kDigit0 + 3, cmd::kDiv});
    Digits(w, "22");
    Press(w, {cmd::kEnter, cmd::kDigit0 + 7, cmd::kDiv});
    ok = Save(Shot(w), dir, "window-zoom200.png") && ok;
    Press(w, {cmd::kZoomReset});
  }
  {  // the Dark theme with the X panel in HEX, an operation greyed in DEC keys
    vxc::ui::MainWindow w(ini);
    w.show();
    Press(w, {cmd::kThemeDark, cmd::kXPanel});
    w.SelectBaseMode(vxc::kBaseHex);
    Digits(w, "FF");
    Press(w, {cmd::kEnter});
    Digits(w, "C0DE");
    ok = Save(Shot(w), dir, "window-dark-panel.png") && ok;
    Press(w, {cmd::kXPanel, cmd::kThemeSystem});
    w.SelectBaseMode(vxc::kBaseReal);
  }
  {  // the About box
    vxc::ui::MainWindow w(ini);
    QDialog* about = vxc::ui::CreateAboutDialog(&w);
    about->show();
    ok = Save(Shot(*about), dir, "window-about.png") && ok;
    about->close();
  }
  return ok ? 0 : 1;
}
