// The tape file: the last lines of the tape kept between runs, UTF-8, one
// line per line. Read once at the start, written atomically whenever the
// settings are, and only when the tape changed since.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "file_io.h"
#include "tape.h"

namespace vxc {

// Windows: the application-data folder + \Ostrano\VXC\tape.txt.
// Elsewhere: $XDG_DATA_HOME (default ~/.local/share) + /Ostrano/VXC/tape.txt.
std::string TapePath();

// A line longer than this, or with control characters or bytes that are not
// UTF-8, is no line the tape wrote: it is left out.
inline constexpr std::size_t kMaxTapeLineBytes = 4096;

struct TapeFileLines {
  FileReadResult read = FileReadResult::kMissing;
  std::vector<std::string> lines;  // the last kTapeLines good lines, oldest first
  std::size_t skipped = 0;         // damaged lines left out
};

// What can be read safely of the file at `path`; never fails.
TapeFileLines ReadTapeFile(const std::string& path);

// The tape as the file gives it. The file counts as saved: it is written
// again only once the tape changes, so a file that could not be read, or
// only in part, stays as it is until then.
TapeFileLines LoadTape(const std::string& path, Tape& tape);

// Writes the tape's last kTapeLines lines when it changed since it was
// read or last written, creating the folders above the file. One atomic
// write: on a failure the old file stays as it was and the result is
// false, with the reason in `reason` if given.
bool SaveTape(const std::string& path, Tape& tape, std::string* reason = nullptr);

}  // namespace vxc
