#include "tape_file.h"

#include "settings.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace vxc {
namespace {

// Whether `line` is text the tape could have written: UTF-8 (no overlong
// forms, no surrogates), no control characters.
bool IsTapeText(std::string_view line) {
  if (line.empty() || line.size() > kMaxTapeLineBytes) return false;
  for (std::size_t i = 0; i < line.size();) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c < 0x80) {
      if (c < 0x20 || c == 0x7f) return false;
      ++i;
      continue;
    }
    const std::size_t length = c >= 0xf0 ? 4 : c >= 0xe0 ? 3 : c >= 0xc2 ? 2 : 0;
    if (length == 0 || c > 0xf4 || i + length > line.size()) return false;
    uint32_t code = c & (0x7f >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(line[i + k]);
      if ((next & 0xc0) != 0x80) return false;
      code = (code << 6) | (next & 0x3f);
    }
    const uint32_t lowest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < lowest[length] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return false;
    i += length;
  }
  return true;
}

}  // namespace

std::string TapePath() {
#ifdef _WIN32
  const std::string settings = SettingsPath();  // the same folder
  return settings.substr(0, settings.size() - std::strlen("VXC.INI")) + "tape.txt";
#else
  return XdgFolder("XDG_DATA_HOME", ".local/share") + "/Ostrano/VXC/tape.txt";
#endif
}

TapeFileLines ReadTapeFile(const std::string& path) {
  TapeFileLines out;
  std::string data;
  out.read = ReadWholeFile(path, data);  // a file beyond kMaxFileSize gives nothing
  std::string_view rest = data;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!IsTapeText(line)) {
      out.skipped += line.empty() ? 0 : 1;
      continue;
    }
    out.lines.emplace_back(line);
  }
  if (out.lines.size() > kTapeLines) out.lines.erase(out.lines.begin(), out.lines.end() - kTapeLines);
  return out;
}

TapeFileLines LoadTape(const std::string& path, Tape& tape) {
  TapeFileLines file = ReadTapeFile(path);
  tape.lines.assign(file.lines.begin(), file.lines.end());
  tape.savedChanges = tape.changes;
  return file;
}

bool SaveTape(const std::string& path, Tape& tape, std::string* reason) {
  if (tape.changes == tape.savedChanges) return true;
  std::string text;
  const std::size_t first = tape.lines.size() > kTapeLines ? tape.lines.size() - kTapeLines : 0;
  for (std::size_t i = first; i < tape.lines.size(); ++i) text.append(tape.lines[i]).append("\n");
  CreateFoldersAbove(path);
  if (WriteFileAtomic(path, text)) {
    tape.savedChanges = tape.changes;
    return true;
  }
  if (reason != nullptr) {
#ifdef _WIN32
    *reason = "cannot write " + path;
#else
    *reason = "cannot write " + path + ": " + std::strerror(errno);
#endif
  }
  return false;  // the old file is left as it was
}

}  // namespace vxc
