// The values of the last few number texts read. Internal to the engine:
// engine.h holds one so that every command reads through it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "real.h"

namespace vxc {

// Arithmetic reads the same texts again and again: a memory register in a
// running sum, X after ENTER, Y after a lift. Reading is deterministic, so
// a text read before gives the value remembered for it, unchanged.
class RealMemo {
 public:
  // Real::FromString(text), radix 10; the reference holds until the next Read.
  const Real& Read(std::string_view text);

 private:
  // Longer texts (pastes) are read afresh and not kept.
  static constexpr size_t kLongestKept = 120;
  struct Entry {
    std::string text;  // "" reads as 0, the value an entry starts with
    Real value;
    uint64_t lastUse = 0;
  };
  // Four, so that two alternating registers and the last two results
  // stay while the oldest goes.
  std::array<Entry, 4> entries_;
  uint64_t clock_ = 0;
  Real unkept_;
};

}  // namespace vxc
