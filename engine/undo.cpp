// Undo and redo: a copy of the calculator before each step.
//
// A copy is a few dozen short strings copied into storage the slot already
// has, so a key press pays one copy and one comparison; a step that cannot
// write the memory registers leaves their twenty texts out of both, and
// its slot takes them from the newer state only when it is undone. The
// history is bounded by a step count and by the bytes of text it holds.
#include <array>
#include <tuple>
#include <type_traits>
#include <utility>

#include "ops.h"

namespace vxc {
namespace {

// The options are the window's, not the calculator's: a step neither
// records nor restores them.
void KeepOptions(CalcState& target, const CalcState& from) {
  target.language = from.language;
  target.errorAlarm = from.errorAlarm;
  target.xPanel = from.xPanel;
  target.tapePane = from.tapePane;
  target.zoom = from.zoom;
  target.theme = from.theme;
}

// Every field of a state, in order. The binding names each one, so that a
// new field fails to compile here until it is added.
template <class State>
auto Fields(State& s) {
  auto& [x, y, z, t, lastX, entry, exponent, errorText, errorShown, entryTyped, liftDisabled, exponentEntry,
         xComplete, realMemory, intMemory, memoryIndex, base, angle, display, range, digits, language,
         errorAlarm, xPanel, tapePane, zoom, theme] = s;
  return std::tie(x, y, z, t, lastX, entry, exponent, errorText, errorShown, entryTyped, liftDisabled,
                  exponentEntry, xComplete, realMemory, intMemory, memoryIndex, base, angle, display, range,
                  digits, language, errorAlarm, xPanel, tapePane, zoom, theme);
}

// The memory registers are the only fields of this type.
template <class T>
constexpr bool kIsMemoryBank = std::is_same_v<std::remove_cvref_t<T>, std::array<std::string, kMemoryCount>>;

template <class T>
void AssignUnlessMemory(T& to, const T& from) {
  if constexpr (std::is_same_v<T, std::string>) {
    AssignText(to, from);
  } else if constexpr (!kIsMemoryBank<T>) {
    to = from;
  }
}
template <class T>
bool SameUnlessMemory(const T& a, const T& b) {
  if constexpr (kIsMemoryBank<T>) {
    return true;
  } else {
    return a == b;
  }
}

// to = from, but for the memory registers.
void CopyAllButMemory(CalcState& to, const CalcState& from) {
  std::apply(
      [&](auto&... target) {
        std::apply([&](const auto&... source) { (AssignUnlessMemory(target, source), ...); }, Fields(from));
      },
      Fields(to));
}

// a == b, but for the memory registers.
bool SameAllButMemory(const CalcState& a, const CalcState& b) {
  return std::apply([&](const auto&... left) {
    return std::apply([&](const auto&... right) { return (SameUnlessMemory(left, right) && ...); }, Fields(b));
  }, Fields(a));
}

// The registers of a step that kept them are those of the newer state; a
// slot mostly holds them already from its last use.
void CopyMemory(CalcState& to, const CalcState& from) {
  if (to.realMemory != from.realMemory) to.realMemory = from.realMemory;
  if (to.intMemory != from.intMemory) to.intMemory = from.intMemory;
}

size_t TextSize(const std::string& text) { return text.size(); }
size_t TextSize(const std::array<std::string, kMemoryCount>& bank) {
  size_t size = 0;
  for (const std::string& text : bank) size += text.size();
  return size;
}
template <class T>
size_t TextSize(const T&) {
  return 0;
}

// Bytes a copy holds: its fixed part and the text of every field (but the
// memory registers when it does not hold them).
size_t TextBytes(const CalcState& s, bool withMemory) {
  return sizeof(CalcState) + std::apply(
                                 [withMemory](const auto&... field) {
                                   return ((kIsMemoryBank<decltype(field)> && !withMemory ? 0 : TextSize(field)) + ...);
                                 },
                                 Fields(s));
}

// A dropped step this large gives its storage back rather than lending it
// to the next copy, which would keep it unseen by the bound.
constexpr size_t kReusedStepBytes = size_t(64) << 10;

// Empties a slot and frees its storage. (Assigning a fresh state would
// keep the storage: a short string moved in is copied into it.)
void Release(CalcState& slot) {
  CalcState fresh;
  std::swap(slot, fresh);
}

size_t RingSize() { return kUndoSteps + 1; }
size_t Before(size_t slot) { return (slot + RingSize() - 1) % RingSize(); }

// Keeps the free slot as the newest step and frees the next slot, dropping
// the oldest step when the ring is full or the steps hold too much text.
void RecordStep(UndoHistory& h) {
  h.slotBytes[h.head] = TextBytes(h.ring[h.head], !h.memoryFollows[h.head]);
  h.undoBytes += h.slotBytes[h.head];
  h.head = (h.head + 1) % RingSize();
  if (h.count == kUndoSteps) {
    h.undoBytes -= h.slotBytes[h.head];  // the oldest step's slot is the free one now
    if (h.slotBytes[h.head] > kReusedStepBytes) Release(h.ring[h.head]);
  } else {
    ++h.count;
  }
  // The newest step always stays, however large it is. A step dropped for
  // its size gives its storage back.
  while (h.count > 1 && h.undoBytes > kUndoBytes) {
    const size_t oldest = (h.head + RingSize() - h.count) % RingSize();
    h.undoBytes -= h.slotBytes[oldest];
    Release(h.ring[oldest]);
    --h.count;
  }
}

// Puts `target` in place of the calculator, keeping the options, and hands back the calculator as it was.
CalcState Swap(Engine& e, CalcState&& target) {
  KeepOptions(target, e.state);
  CalcState was = std::move(e.state);
  e.state = std::move(target);
  return was;
}

}  // namespace

UndoStep::UndoStep(Engine& engine, MemoryUse memory)
    : engine_(engine), outermost_(engine.history.open++ == 0) {
  UndoHistory& h = engine_.history;
  if (!outermost_) {
    // A step inside one that kept the registers may write them: the outer
    // copy takes them now, while they are still as before.
    if (memory == MemoryUse::kWritten && h.openMemory == MemoryUse::kKept) {
      CopyMemory(h.ring[h.head], engine_.state);
      h.openMemory = MemoryUse::kWritten;
    }
    return;
  }
  // The ring grows as the steps come, up to its size: a session of a few
  // keys holds a few copies. Its room is taken once, so that growing moves
  // no copy (the untouched room costs no memory).
  if (h.head >= h.ring.size()) {
    h.ring.reserve(RingSize());
    h.ring.resize(h.head + 1);
    h.slotBytes.resize(h.head + 1);
    h.memoryFollows.resize(h.head + 1);
  }
  h.openMemory = memory;
  if (memory == MemoryUse::kWritten) {
    h.ring[h.head] = engine_.state;
  } else {
    CopyAllButMemory(h.ring[h.head], engine_.state);
  }
}

UndoStep::~UndoStep() {
  UndoHistory& h = engine_.history;
  --h.open;
  if (!outermost_) return;
  CalcState& before = h.ring[h.head];
  KeepOptions(before, engine_.state);
  const bool kept = h.openMemory == MemoryUse::kKept;
  if (kept ? SameAllButMemory(before, engine_.state) : before == engine_.state) return;
  h.memoryFollows[h.head] = kept;  // unchanged by the step: the newer state's
  RecordStep(h);
  h.redo.clear();
}

bool Undo(Engine& e) {
  UndoHistory& h = e.history;
  if (h.count == 0 || h.open > 0) return false;
  h.head = Before(h.head);
  --h.count;
  h.undoBytes -= h.slotBytes[h.head];
  TapeEntry tape(e, CommandAction(cmd::kUndo), TapeKind::kBare);
  if (h.memoryFollows[h.head]) CopyMemory(h.ring[h.head], e.state);
  h.redo.push_back(Swap(e, std::move(h.ring[h.head])));
  MarkDisplayStale(e);
  return true;
}

bool Redo(Engine& e) {
  UndoHistory& h = e.history;
  if (h.redo.empty() || h.open > 0) return false;
  TapeEntry tape(e, CommandAction(cmd::kRedo), TapeKind::kBare);
  CalcState next = std::move(h.redo.back());
  h.redo.pop_back();
  h.ring[h.head] = Swap(e, std::move(next));
  h.memoryFollows[h.head] = false;
  RecordStep(h);
  MarkDisplayStale(e);
  return true;
}

bool CanUndo(const Engine& e) { return e.history.count > 0; }
bool CanRedo(const Engine& e) { return !e.history.redo.empty(); }

}  // namespace vxc
