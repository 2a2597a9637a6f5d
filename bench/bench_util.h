// A calculator wired like the window: each key is composed once.
#pragma once

#include <initializer_list>

#include "key_driver.h"

namespace vxc::bench {

struct Calculator : testing_keys::Driver {
  void Press(std::initializer_list<CommandId> ids) {
    for (CommandId id : ids) {
      Dispatch(engine, id);
      RefreshIfStale(engine, frame);
    }
  }
};

}  // namespace vxc::bench
