// Saving soon after a change, so that a killed or crashed window loses at
// most the last two seconds of its settings.
#pragma once

#include <functional>

class QObject;

namespace vxc::ui {

// Shortest time between two prompt saves, and longest wait for one.
inline constexpr int kPromptSaveMs = 2000;

// Each time the event loop is about to wait, `changed` says whether the
// window would now write something it has not saved. If so, `save` runs
// from the event loop within kPromptSaveMs, but never sooner than
// kPromptSaveMs after the previous prompt save ended; a save that fails leaves
// `changed` true and so is tried again at the next such moment. Whatever
// the change is (a register, a mode, an option added later), it is caught
// without more code. The timer belongs to `owner`.
void SaveSoonAfterChanges(QObject* owner, std::function<bool()> changed, std::function<void()> save);

}  // namespace vxc::ui
