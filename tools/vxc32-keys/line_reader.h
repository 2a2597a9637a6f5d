// The line editor of the terminal calculator: editing keys, the history of
// earlier lines (kept between runs) and Tab completion of key names.
#pragma once

#include <memory>
#include <string>

namespace vxc::keys {

class LineEditor {
 public:
  virtual ~LineEditor() = default;
  // Shows the prompt and reads one line, without its newline. Ctrl-C drops
  // the line being typed and starts a new one. At the end (Ctrl-D) saves
  // the history and returns false.
  virtual bool Read(std::string& line) = 0;
};

// An editor when standard input and output are both terminals and the
// program is built with line editing; otherwise nullptr, and the lines are
// read as they come. A history file that cannot be read or written is
// reported on standard error, once.
std::unique_ptr<LineEditor> OpenLineEditor();

}  // namespace vxc::keys
