#include "shown_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <utility>

namespace vxc::ui {
namespace {

// A "Name:  N kB" field of /proc/self/status; -1 when missing.
long StatusKilobytes(const QByteArray& status, const char* name) {
  for (const QByteArray& line : status.split('\n')) {
    if (line.startsWith(name)) return line.mid(int(qstrlen(name))).trimmed().split(' ').value(0).toLong();
  }
  return -1;
}

class ShownProbe : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      const auto now = std::chrono::system_clock::now().time_since_epoch();
      QFile file(QStringLiteral("/proc/self/status"));
      const QByteArray status = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
      // Resident memory in all, and its private part (heap, stacks, written
      // pages), which shared libraries do not inflate.
      std::printf("shown_ns=%lld rss_kb=%ld anon_kb=%ld\n",
                  static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                  StatusKilobytes(status, "VmRSS:"), StatusKilobytes(status, "RssAnon:"));
      std::fflush(stdout);
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool done_ = false;
};

class FirstPaint : public QObject {
 public:
  FirstPaint(QObject* parent, std::function<void()> then) : QObject(parent), then_(std::move(then)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && then_) {
      QTimer::singleShot(0, qApp, std::exchange(then_, nullptr));
      deleteLater();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> then_;
};

}  // namespace

void ExitWhenShown(QWidget* widget) { widget->installEventFilter(new ShownProbe(widget)); }

void AfterFirstPaint(QWidget* widget, std::function<void()> then) {
  widget->installEventFilter(new FirstPaint(widget, std::move(then)));
}

}  // namespace vxc::ui
