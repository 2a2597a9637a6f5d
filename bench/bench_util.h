// A calculator wired like a front-end: every refresh rebuilds the frame.
#pragma once

#include <initializer_list>

#include "key_driver.h"

namespace vxc::bench {

struct Calculator : testing_keys::Driver {
  void Press(std::initializer_list<CommandId> ids) {
    for (CommandId id : ids) Dispatch(engine, id);
  }
};

}  // namespace vxc::bench
