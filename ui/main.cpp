// vxc32: the RPN calculator window.
//
// The command line is read before Qt starts, so that --help and --version
// work without a display.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "key_faces.h"
#include "keymap.h"
#include "main_window.h"
#include "quit_signals.h"
#include "shown_probe.h"

namespace {

// The command-line options, one row each; the usage text is made from them.
enum class Option { kHelp, kVersion, kKeymap, kExitWhenShown, kQt, kQtWithValue };

struct OptionDef {
  std::string_view name;
  Option option;
  const char* help;  // nullptr: not listed
};

constexpr OptionDef kOptions[] = {
    {"--help", Option::kHelp, "print this help and exit (also -h)"},
    {"-h", Option::kHelp, nullptr},
    {"--version", Option::kVersion, "print the version and exit"},
    {"--keymap", Option::kKeymap, "print the keyboard shortcuts (shortcut, tab, vxc32-keys key) and exit"},
    {"--exit-when-shown", Option::kExitWhenShown, nullptr},  // start-up timing (bench/startup.sh)
    // Qt's own options, passed on to Qt (also spelt with two dashes).
    {"-platform", Option::kQtWithValue, nullptr},
    {"-platformtheme", Option::kQtWithValue, nullptr},
    {"-plugin", Option::kQtWithValue, nullptr},
    {"-qwindowgeometry", Option::kQtWithValue, nullptr},
    {"-qwindowtitle", Option::kQtWithValue, nullptr},
    {"-session", Option::kQtWithValue, nullptr},
    {"-style", Option::kQtWithValue, nullptr},
    {"-stylesheet", Option::kQtWithValue, nullptr},
    {"-display", Option::kQtWithValue, nullptr},
    {"-geometry", Option::kQtWithValue, nullptr},
    {"-name", Option::kQtWithValue, nullptr},
    {"-reverse", Option::kQt, nullptr},
    {"-nograb", Option::kQt, nullptr},
    {"-sync", Option::kQt, nullptr},
};

void PrintUsage(std::ostream& out) {
  out << "usage: vxc32 [OPTION]\n"
         "The VXC32 RPN calculator window. Settings are kept in ~/.config/Ostrano/VXC/VXC.INI.\n\n";
  for (const OptionDef& o : kOptions) {
    if (o.help == nullptr) continue;
    const std::string left = "  " + std::string(o.name);
    out << left << std::string(left.size() < 20 ? 20 - left.size() : 1, ' ') << o.help << '\n';
  }
  out << "\nQt's options (-platform, -style, ...) are passed on to Qt. See vxc32(1).\n";
}

const OptionDef* FindOption(std::string_view arg) {
  for (const OptionDef& o : kOptions) {
    const bool qt = o.option == Option::kQt || o.option == Option::kQtWithValue;
    if (arg == o.name || (qt && arg.size() > 1 && arg[0] == '-' && arg.substr(1) == o.name)) return &o;
  }
  return nullptr;
}

// The end of an option's run: its output written out, or status 1 and a
// word on standard error (a full disk, /dev/full).
int Finish() {
  std::cout.flush();
  if (std::cout) return 0;
  std::cerr << "vxc32: cannot write standard output\n";
  return 1;
}

constexpr const char* kNoDisplay = "vxc32: no display to show the window on; vxc32-keys runs the calculator in a terminal\n";

// Whether a window can be shown: a platform named, or a display to connect
// to (X11 and Wayland look for these variables).
bool DisplayAvailable(int argc, char** argv) {
#if defined(_WIN32) || defined(__APPLE__)
  return true;
#else
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "-platform" || std::string_view(argv[i]) == "--platform") return true;
  }
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && value[0] != '\0') return true;
  }
  return false;
#endif
}

// While Qt connects to the display: a failure to connect ends the run with
// the one line above and status 1 instead of an abort.
void QuitWithoutDisplay(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    std::fputs(kNoDisplay, stderr);
    std::_Exit(1);
  }
  std::fprintf(stderr, "%s\n", qPrintable(message));
}

int BadCommandLine(const std::string& message) {
  std::cerr << "vxc32: " << message << '\n';
  PrintUsage(std::cerr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool exitWhenShown = false;
  for (int i = 1; i < argc; ++i) {
    const OptionDef* def = FindOption(argv[i]);
    if (def == nullptr) return BadCommandLine("unknown option '" + std::string(argv[i]) + "'");
    switch (def->option) {
      case Option::kHelp: PrintUsage(std::cout); return Finish();
      case Option::kVersion: std::cout << "vxc32 " VXC_VERSION "\n"; return Finish();
      case Option::kKeymap: vxc::ui::PrintKeyMap(std::cout); return Finish();
      case Option::kExitWhenShown: exitWhenShown = true; break;
      case Option::kQt: break;
      case Option::kQtWithValue:
        if (++i == argc) return BadCommandLine(std::string(def->name) + " needs a value");
        break;
    }
  }

  if (!DisplayAvailable(argc, argv)) {
    std::cerr << kNoDisplay;
    return 1;
  }
  const QtMessageHandler qtHandler = qInstallMessageHandler(QuitWithoutDisplay);
  QApplication app(argc, argv);
  qInstallMessageHandler(qtHandler);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.ostrano.VXC32"));  // the installed launcher
  vxc::ui::MainWindow window(vxc::SettingsPath());
  // A kill, a hang-up or Ctrl+C saves the settings like a close, then ends the run.
  vxc::ui::CatchQuitSignals(&app, [&window](int) {
    window.SaveAtEnd(vxc::ui::MainWindow::SaveNotice::kErrorOutput);
    QCoreApplication::quit();
  });
  if (exitWhenShown) vxc::ui::ExitWhenShown(window.calcArea());
  window.show();
  // The icon is set once the window has painted: the first paint neither
  // waits for it nor holds its images.
  vxc::ui::AfterFirstPaint(window.calcArea(), [] { QApplication::setWindowIcon(vxc::ui::WindowIcon()); });
  app.exec();
  return 0;
}
