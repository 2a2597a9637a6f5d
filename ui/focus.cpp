#include "focus.h"

#include "main_window.h"

namespace vxc::ui {

// The moves among the groups come with the focus navigation work; until
// then the keys are taken (so Qt's own focus chain never sees them) and do nothing.
void MoveFocus(MainWindow& window, CommandId id) {
  (void)window;
  (void)id;
}

}  // namespace vxc::ui
