// The window's first paint: --exit-when-shown reports it and quits (used
// by bench/startup.sh to time start-up and read the resident memory), and
// work the first paint does not need waits for it.
#pragma once

#include <QObject>
#include <functional>

namespace vxc::ui {

// Watches `widget` for its first paint; then prints "shown_ns=<realtime
// nanoseconds> rss_kb=<resident kB>" to standard output and quits the
// application.
void ExitWhenShown(QWidget* widget);

// Runs `then` from the event loop once `widget` has painted for the first
// time: work the first paint does not need waits for it.
void AfterFirstPaint(QWidget* widget, std::function<void()> then);

}  // namespace vxc::ui
