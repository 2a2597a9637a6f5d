// The lines typed at the terminal, kept between runs in one text file: one
// line each, oldest first, every line once, at most kHistoryLines of them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vxc::keys {

inline constexpr std::size_t kHistoryLines = 1000;

// $XDG_STATE_HOME (default ~/.local/state) + /Ostrano/VXC/keys_history.
std::string HistoryPath();

// Adds `line` as the newest: a line of blanks is left out, an earlier equal
// line is dropped, and only the newest kHistoryLines are kept.
void AddToHistory(std::vector<std::string>& lines, const std::string& line);

// The lines of the file at `path` (none when it does not exist). False, with
// the reason, when it exists but cannot be read.
bool ReadHistory(const std::string& path, std::vector<std::string>& lines, std::string& reason);

// Adds `typed` to what the file holds now (another run may have saved since
// this one started) and writes it back, creating its folders. False, with
// the reason, when it cannot be read or written; the old file then stays.
bool SaveHistory(const std::string& path, const std::vector<std::string>& typed, std::string& reason);

}  // namespace vxc::keys
