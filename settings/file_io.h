// The few file-system operations the settings need, for POSIX and Windows.
// Paths are UTF-8 on every platform. Nothing here throws or prints.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vxc {

enum class FileReadResult { kLoaded, kMissing, kUnreadable };

// Reads a whole regular file. kUnreadable covers anything that exists but
// cannot be taken as a settings file (a folder, a pipe, no permission, a
// file beyond kMaxFileSize); callers must not overwrite such a file.
inline constexpr std::size_t kMaxFileSize = std::size_t{16} << 20;
FileReadResult ReadWholeFile(const std::string& path, std::string& data);

// Creates one folder; an existing folder or any failure is ignored.
void CreateFolder(const std::string& path);

// Creates every folder above the file `path` that is missing, as CreateFolder.
void CreateFoldersAbove(const std::string& path);

// Writes `data` to `path` so that the file is either the old one or the new
// one, never a torn mix: temp file in the same folder, flush to disk, rename
// over the target. On any failure the temp file is removed, the old file is
// left as it was, and the result is false (on POSIX with errno telling why).
// A file without write bits (read-only on Windows) is never replaced, even
// for root; a symbolic link, dangling or not, stays a link and its target
// is written.
bool WriteFileAtomic(const std::string& path, std::string_view data);

namespace detail {
// Test seam for WriteFileAtomic: when set, it is called before the data is
// written and before the rename; returning false fails that step.
enum class SaveStep { kWrite, kRename };
extern bool (*g_saveStepHook)(SaveStep step);
}  // namespace detail

}  // namespace vxc
