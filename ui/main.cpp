// vxc32: the RPN calculator window.
#include <QApplication>
#include <cstring>

#include "key_faces.h"
#include "main_window.h"
#include "shown_probe.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(vxc::ui::AppIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("org.ostrano.VXC32"));  // the installed launcher
  // The command line is ignored, apart from the start-up timing aid.
  bool exitWhenShown = false;
  for (int i = 1; i < argc; ++i) exitWhenShown = exitWhenShown || std::strcmp(argv[i], "--exit-when-shown") == 0;

  vxc::ui::MainWindow window(vxc::SettingsPath());
  if (exitWhenShown) vxc::ui::ExitWhenShown(window.calcArea());
  window.show();
  app.exec();
  return 0;
}
