// Dispatch: the error gate and the mode gate, then the command's handler.
// Handlers request the refresh themselves, because a refused digit or a
// memory store changes nothing that is shown. Each command is one undo step
// and, but for the entry keys, a step of the tape.
#include "command_table.h"

namespace vxc {

namespace {

// What the tape notes of each row's commands, found once.
TapeKind TapeKindOfRow(const CommandRow* row) {
  static const auto kinds = [] {
    std::array<TapeKind, kCommandTable.size()> k{};
    for (size_t i = 0; i < k.size(); ++i) k[i] = TapeKindOf(kCommandTable[i].handler);
    return k;
  }();
  return kinds[static_cast<size_t>(row - kCommandTable.data())];
}

}  // namespace

bool Dispatch(Engine& engine, CommandId id) {
  const CommandRow* row = FindCommand(id);
  if (row == nullptr) return false;
  if (engine.state.errorShown && !row->evenInError) return true;
  if ((row->actsIn & ModeBitOf(engine.state.base)) == 0) return true;
  UndoStep step(engine, row->memory);
  TapeEntry tape(engine, CommandAction(id), TapeKindOfRow(row));
  row->handler(engine, id);
  return true;
}

}  // namespace vxc
