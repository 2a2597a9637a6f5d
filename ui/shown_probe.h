// --exit-when-shown: reports when the window first paints, then quits.
// Used by bench/startup.sh to time start-up and read the resident memory.
#pragma once

#include <QObject>

namespace vxc::ui {

// Watches `widget` for its first paint; then prints "shown_ns=<realtime
// nanoseconds> rss_kb=<resident kB>" to standard output and quits the
// application.
void ExitWhenShown(QWidget* widget);

}  // namespace vxc::ui
