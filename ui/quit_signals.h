// SIGTERM, SIGHUP and SIGINT (a kill, a closed terminal, Ctrl+C, a
// shutdown) handled inside the event loop, so the settings can be saved.
#pragma once

#include <functional>

class QObject;

namespace vxc::ui {

// From now on each of the three signals calls `onSignal` with its number
// from the event loop. The handler itself only writes the number into a
// pipe that a socket notifier owned by `owner` reads: no Qt call, no
// allocation in the handler. A signal ignored at start-up (nohup) stays
// ignored. Returns false when the pipe cannot be made or on a platform
// without these signals; the signals then keep their default action.
bool CatchQuitSignals(QObject* owner, std::function<void(int signal)> onSignal);

}  // namespace vxc::ui
