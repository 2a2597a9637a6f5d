// What a screen reader finds in the window: the keys are buttons named by
// what they do ("SIN", "backspace"), the display boxes static texts named
// with their line and value ("X, 5.00"), the group frames groupings.
#pragma once

#include <QAccessible>
#include <QString>
#include <functional>

namespace vxc::ui {

// Installs the interfaces of the keys, display boxes and group frames; once
// per process, later calls do nothing.
void InstallAccessibility();

// The spoken name of keypad table row `row`; empty outside the table.
QString KeySpokenName(int row);

// The spoken text of one display box: the line name alone while the box is
// empty, else "X, 5.00" or "X, 1.50e12"; an error reads "X, error: <message>".
QString SpokenLine(const QString& line, const QString& main, const QString& exponent, bool error);

// Tells a screen reader that `object` changed (its name, or an alert).
void NotifyScreenReader(QObject* object, QAccessible::Event change);

// Also hands every notice of NotifyScreenReader to `watcher` (empty: none),
// whether or not a screen reader listens; for the tests.
void WatchScreenReaderNotices(std::function<void(QObject*, QAccessible::Event)> watcher);

}  // namespace vxc::ui
