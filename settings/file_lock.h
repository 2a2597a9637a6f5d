// An advisory lock on a file of its own, held while a save reads, merges and
// writes the settings file, so that two programs saving at once take turns.
// The system drops the lock when its holder ends, however it ends: a killed
// program never leaves the file locked. The lock file is never removed and
// its existence means nothing.
#pragma once

#include <string>

namespace vxc {

enum class LockResult { kLocked, kBusy, kUnavailable };

struct FileLock {
  FileLock() = default;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();  // releases the lock
#ifdef _WIN32
  void* handle = nullptr;
#else
  int fd = -1;
#endif
};

// Creates `path` when missing and locks it, waiting up to `waitMs`
// milliseconds for another holder. kBusy: still held by someone else after
// the wait. kUnavailable: no lock file can be made there (a read-only
// folder) or the file system takes no locks; the caller goes on unlocked.
LockResult TakeFileLock(FileLock& lock, const std::string& path, int waitMs);

}  // namespace vxc
