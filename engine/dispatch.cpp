// Dispatch: the error gate and the mode gate, then the command's handler.
// Handlers request the refresh themselves, because a refused digit or a
// memory store changes nothing that is shown. Each command is one undo step
// and, but for the entry keys, a step of the tape.
#include "command_table.h"

namespace vxc {

bool Dispatch(Engine& engine, CommandId id) {
  const CommandRow* row = FindCommand(id);
  if (row == nullptr) return false;
  if (engine.state.errorShown && !row->evenInError) return true;
  if ((row->actsIn & ModeBitOf(engine.state.base)) == 0) return true;
  UndoStep step(engine, row->memory);
  TapeEntry tape(engine, CommandAction(id), TapeKindOf(row->handler));
  row->handler(engine, id);
  return true;
}

}  // namespace vxc
