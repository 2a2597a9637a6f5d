// The yardstick for bench/startup.sh: a plain Qt Widgets window with about
// as many widgets as the calculator (a menu bar of four menus, 11 text
// boxes, 3 labels, 64 small painted widgets, 5 group boxes, 25 radio buttons
// and 3 small boxes), doing nothing else. Run with --exit-when-shown.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QRadioButton>
#include <cstring>

#include "shown_probe.h"

namespace {

class Plain : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::lightGray); }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  bool exitWhenShown = false;
  for (int i = 1; i < argc; ++i) exitWhenShown = exitWhenShown || std::strcmp(argv[i], "--exit-when-shown") == 0;

  QMainWindow window;
  for (const char* title : {"&Option", "&Edit", "&Function", "&Help"}) {
    QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
    for (int i = 0; i < 4; ++i) menu->addAction(QStringLiteral("Item %1").arg(i));
  }
  auto* area = new QWidget(&window);
  area->setFixedSize(472, 330);
  window.setCentralWidget(area);
  for (int i = 0; i < 11; ++i) (new QLabel(QStringLiteral("0.00"), area))->setGeometry(29, 11 + 8 * i, 287, 28);
  for (int i = 0; i < 3; ++i) (new QLabel(QStringLiteral("T"), area))->setGeometry(10, 11 + 28 * i, 18, 28);
  for (int i = 0; i < 64; ++i) (new Plain(area))->setGeometry(3 + (i % 7) * 51, 142 + (i / 7) * 20, 46, 18);
  for (int i = 0; i < 5; ++i) (new QGroupBox(QStringLiteral("GROUP"), area))->setGeometry(362, 3 + 40 * i, 97, 38);
  for (int i = 0; i < 25; ++i) (new QRadioButton(QStringLiteral("R%1").arg(i), area))->setGeometry(365, 10 + 12 * i, 48, 14);
  for (int i = 0; i < 3; ++i) (new QLabel(QStringLiteral("2"), area))->setGeometry(410, 215 + 20 * i, 17, 17);
  window.setWindowTitle(QStringLiteral("minimal"));
  if (exitWhenShown) vxc::ui::ExitWhenShown(area);
  window.show();
  app.exec();
  return 0;
}
