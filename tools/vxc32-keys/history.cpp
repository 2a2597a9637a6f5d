#include "history.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <unordered_set>

#include "file_io.h"
#include "settings.h"

namespace vxc::keys {
namespace {

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t\r") == std::string_view::npos; }

}  // namespace

std::string HistoryPath() { return XdgFolder("XDG_STATE_HOME", ".local/state") + "/Ostrano/VXC/keys_history"; }

void AddToHistory(std::vector<std::string>& lines, const std::string& line) {
  if (IsBlank(line)) return;
  lines.erase(std::remove(lines.begin(), lines.end(), line), lines.end());
  lines.push_back(line);
  if (lines.size() > kHistoryLines) lines.erase(lines.begin(), lines.end() - kHistoryLines);
}

bool ReadHistory(const std::string& path, std::vector<std::string>& lines, std::string& reason) {
  lines.clear();
  std::string data;
  if (ReadWholeFile(path, data) == FileReadResult::kUnreadable) {
    reason = path + " cannot be read; it is left as it is";
    return false;
  }
  // Walked from the newest line back, so that a long hand-made file costs one pass.
  std::vector<std::string_view> all;
  for (std::size_t start = 0; start < data.size();) {
    std::size_t end = std::min(data.find('\n', start), data.size());
    all.push_back(std::string_view(data).substr(start, end - start));
    start = end + 1;
  }
  std::unordered_set<std::string_view> seen;
  for (auto it = all.rbegin(); it != all.rend() && lines.size() < kHistoryLines; ++it) {
    if (!IsBlank(*it) && seen.insert(*it).second) lines.emplace_back(*it);
  }
  std::reverse(lines.begin(), lines.end());
  return true;
}

bool SaveHistory(const std::string& path, const std::vector<std::string>& typed, std::string& reason) {
  if (typed.empty()) return true;  // nothing new: the file is not touched
  std::vector<std::string> lines;
  if (!ReadHistory(path, lines, reason)) return false;
  for (const std::string& line : typed) AddToHistory(lines, line);
  std::string text;
  for (const std::string& line : lines) text.append(line).append(1, '\n');
  CreateFoldersAbove(path);
  if (WriteFileAtomic(path, text)) return true;
  reason = "cannot write " + path + ": " + std::strerror(errno);
  return false;
}

}  // namespace vxc::keys
