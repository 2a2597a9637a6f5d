// The tape: a record of the work, as a printing calculator keeps it. The
// engine notes each step as it completes (what was keyed, which command,
// what X became); display/ composes the steps into text lines, so that the
// window and vxc32-keys print the same tape. It lives beside the calculator
// state, not in it: undo never takes a line back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "command_names.h"

namespace vxc {

// The most lines kept, in memory and in the tape file.
inline constexpr size_t kTapeLines = 1000;

// What a step writes: nothing (the entry keys), its name, its name and the
// result line, or its name with a number after it.
enum class TapeKind : uint8_t {
  kNone,
  kName,        // the number keyed for it, if any, then the name
  kBare,        // the name alone (UNDO, REDO)
  kResult,      // as kName, then X marked "***"
  kRegister,    // STO 3: the selected register after the name
  kDigitCount,  // FIX 4: the display format after the step and its digit count
  kBit,         // BIT 5 and the result: the X panel's bit click
};

// The modes a number on the tape is shown in: those of the display when
// the line was written.
struct TapeModes {
  uint32_t base = 0;
  uint32_t range = 0;
  uint32_t display = 0;
  int32_t digits = 0;
};

enum class TapeResult : uint8_t { kNone, kValue, kError };

// One step as the engine saw it.
struct TapeStep {
  TapeKind kind = TapeKind::kNone;
  Action action;
  int32_t argument = 0;   // register, digit count or bit
  std::string keyed;      // the typed number as a register text; empty: none
  TapeModes keyedModes;   // before the step
  TapeResult result = TapeResult::kNone;
  std::string resultText; // X's register text after the step, or the error message
  TapeModes resultModes;  // after the step
};

struct Tape {
  std::deque<std::string> lines;  // composed lines, oldest first, at most kTapeLines
  std::vector<TapeStep> steps;    // a ring of noted steps not yet composed: stepCount from firstStep on
  size_t firstStep = 0;
  size_t stepCount = 0;
  uint64_t changes = 0;       // lines added or cleared so far: what a save compares
  uint64_t savedChanges = 0;  // `changes` when the tape was last read or written
  int open = 0;               // TapeEntry guards open now; nested ones note nothing
  bool recording = true;      // always on; the benchmark turns it off to weigh the tape
};

}  // namespace vxc
