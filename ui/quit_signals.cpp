#include "quit_signals.h"

#include <QObject>

#ifndef _WIN32
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vxc::ui {

#ifdef _WIN32

bool CatchQuitSignals(QObject*, std::function<void(int)>) { return false; }

#else

namespace {

int g_signalPipe[2] = {-1, -1};  // read end, write end

void WriteSignalNumber(int signal) {
  const int saved = errno;
  const unsigned char number = static_cast<unsigned char>(signal);
  // A full pipe already holds a wake-up; losing this byte changes nothing.
  [[maybe_unused]] const ssize_t put = write(g_signalPipe[1], &number, 1);
  errno = saved;
}

}  // namespace

bool CatchQuitSignals(QObject* owner, std::function<void(int)> onSignal) {
  if (g_signalPipe[0] >= 0) return false;  // once per process
  if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [onSignal = std::move(onSignal)] {
    unsigned char number = 0;
    while (read(g_signalPipe[0], &number, 1) == 1) onSignal(number);
  });
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
    struct sigaction old {};
    if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = WriteSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
  }
  return true;
}

#endif

}  // namespace vxc::ui
