// A calculator wired like a front-end: every refresh rebuilds the frame.
#pragma once

#include <initializer_list>

#include "display.h"
#include "engine.h"

namespace vxc::bench {

struct Calculator {
  Engine engine;
  DisplayFrame frame;
  Calculator() {
    InitNumbers();
    engine.out.refresh = [this](bool formatEntry) { frame = Refresh(engine.state, formatEntry); };
  }
  void Press(std::initializer_list<CommandId> ids) {
    for (CommandId id : ids) Dispatch(engine, id);
  }
};

}  // namespace vxc::bench
