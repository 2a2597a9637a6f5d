#include "prompt_save.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace vxc::ui {

void SaveSoonAfterChanges(QObject* owner, std::function<bool()> changed, std::function<void()> save) {
  auto* timer = new QTimer(owner);
  timer->setSingleShot(true);
  timer->setTimerType(Qt::PreciseTimer);  // a coarse timer may fire 5% late
  auto sinceSave = std::make_shared<QElapsedTimer>();  // invalid until the first save
  QObject::connect(timer, &QTimer::timeout, owner, [sinceSave, save = std::move(save)] {
    save();
    sinceSave->start();  // from the end: a save that waited for the lock counts from there
  });
  // Asking costs a few microseconds: the settings as text, compared with the last saved.
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, owner,
                   [timer, sinceSave, changed = std::move(changed)] {
                     if (timer->isActive() || !changed()) return;
                     const qint64 since = sinceSave->isValid() ? sinceSave->elapsed() : kPromptSaveMs;
                     timer->start(int(std::max<qint64>(0, kPromptSaveMs - since)));
                   });
}

}  // namespace vxc::ui
