// A small INI store with the private-profile rules of Windows: section and
// key names match without regard to ASCII case, a read takes the first
// match, a write replaces the value in place or appends the key at the end
// of its section (and the section at the end of the file). Every line the
// store does not rewrite is written back byte for byte, with the file's own
// line ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "file_io.h"

namespace vxc {

// Longest value a read returns: the profile reader uses a 255-character
// buffer, so one character goes to the terminator.
inline constexpr std::size_t kIniMaxValue = 254;

// A header or key line of the file, or a run of other lines (comments,
// blanks, anything else) that is only ever copied. Entries read from the
// file point into IniStore::source; lines written or rewritten own their
// text. A big file thus costs little beyond its own bytes.
struct IniLine {
  uint32_t start = 0;   // offset in `source`
  uint32_t length = 0;
  int32_t owned = -1;   // index in IniStore::owned when the text was (re)written
  uint8_t eol = 0;      // kEolNone, kEolLf or kEolCrLf
  bool added = false;   // written after its section's anchor, not in file order
};

inline constexpr uint8_t kEolNone = 0, kEolLf = 1, kEolCrLf = 2;
#ifdef _WIN32
inline constexpr uint8_t kEolNative = kEolCrLf;
#else
inline constexpr uint8_t kEolNative = kEolLf;
#endif

struct IniSection {
  uint32_t id = 0;      // line of the first header with this name
  uint32_t anchor = 0;  // last key line (or the header) of that first section
};

struct IniStore {
  std::string source;
  std::vector<IniLine> lines;
  std::vector<std::string> owned;
  // Lower-case section name -> section; section id + lower-case key -> line.
  std::unordered_map<std::string, IniSection> sections;
  std::unordered_map<std::string, uint32_t> keys;
  std::unordered_map<uint32_t, std::vector<uint32_t>> followers;  // anchor -> added lines
  uint8_t eol = kEolNative;  // for new lines: the file's first line end
};

// Replaces the store with the lines of `text` (any bytes, at most kMaxFileSize).
void IniParse(IniStore& ini, std::string text);

// Reads a file into the store; anything but kLoaded leaves it empty.
FileReadResult IniLoadFile(IniStore& ini, const std::string& path);

// Value of section/key, trimmed and cut to kIniMaxValue characters (and at
// a NUL byte, as a C-string reader would), or `fallback` when absent.
std::string IniGet(const IniStore& ini, std::string_view section, std::string_view key,
                   std::string_view fallback);

void IniSet(IniStore& ini, std::string_view section, std::string_view key, std::string_view value);

// The whole file text.
std::string IniText(const IniStore& ini);

}  // namespace vxc
