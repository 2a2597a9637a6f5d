// Undo and redo: a copy of the calculator before each step.
//
// A copy is a few dozen short strings, so a key press pays one copy and
// one comparison. The history is bounded by a step count and by the bytes
// of text it holds.
#include <utility>

#include "ops.h"

namespace vxc {
namespace {

// Text bytes a copy holds beyond its fixed part (long register texts).
size_t TextBytes(const CalcState& s) {
  size_t bytes = sizeof(CalcState);
  for (const std::string* t : {&s.stackX, &s.stackY, &s.stackZ, &s.stackT, &s.lastX, &s.entryText,
                               &s.exponentText, &s.errorText}) {
    bytes += t->capacity();
  }
  for (const std::string& t : s.realMemory) bytes += t.capacity();
  for (const std::string& t : s.intMemory) bytes += t.capacity();
  return bytes;
}

// A step dropped to keep the bounds becomes the next step's copy, so its
// storage is reused rather than freed.
void PushUndo(UndoHistory& h, CalcState&& step) {
  h.undoBytes += TextBytes(step);
  h.undo.push_back(std::move(step));
  // The newest step always stays, however large it is.
  while (h.undo.size() > 1 && (h.undo.size() > kUndoSteps || h.undoBytes > kUndoBytes)) {
    h.undoBytes -= TextBytes(h.undo.front());
    h.before = std::move(h.undo.front());
    h.undo.pop_front();
  }
}

CalcState PopUndo(UndoHistory& h) {
  CalcState s = std::move(h.undo.back());
  h.undo.pop_back();
  h.undoBytes -= TextBytes(s);
  return s;
}

// The options are the window's, not the calculator's: a step neither
// records nor restores them.
void KeepOptions(CalcState& target, const CalcState& from) {
  target.language = from.language;
  target.errorAlarm = from.errorAlarm;
  target.xPanel = from.xPanel;
}

// Puts `target` in place of the calculator, keeping the options, and hands back the calculator as it was.
CalcState Swap(Engine& e, CalcState&& target) {
  KeepOptions(target, e.state);
  CalcState was = std::move(e.state);
  e.state = std::move(target);
  return was;
}

}  // namespace

UndoStep::UndoStep(Engine& engine) : engine_(engine), outermost_(engine.history.open++ == 0) {
  if (outermost_) engine_.history.before = engine_.state;
}

UndoStep::~UndoStep() {
  UndoHistory& h = engine_.history;
  --h.open;
  if (!outermost_) return;
  KeepOptions(h.before, engine_.state);
  if (h.before == engine_.state) return;
  PushUndo(h, std::move(h.before));
  h.redo.clear();
}

bool Undo(Engine& e) {
  UndoHistory& h = e.history;
  if (h.undo.empty() || h.open > 0) return false;
  h.redo.push_back(Swap(e, PopUndo(h)));
  MarkDisplayStale(e);
  return true;
}

bool Redo(Engine& e) {
  UndoHistory& h = e.history;
  if (h.redo.empty() || h.open > 0) return false;
  CalcState next = std::move(h.redo.back());
  h.redo.pop_back();
  PushUndo(h, Swap(e, std::move(next)));
  MarkDisplayStale(e);
  return true;
}

bool CanUndo(const Engine& e) { return !e.history.undo.empty(); }
bool CanRedo(const Engine& e) { return !e.history.redo.empty(); }

}  // namespace vxc
