#include "file_lock.h"

#include <chrono>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace vxc {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(5);

}  // namespace

#ifdef _WIN32

FileLock::~FileLock() {
  if (handle != nullptr) CloseHandle(handle);  // closing releases the lock
}

LockResult TakeFileLock(FileLock& lock, const std::string& path, int waitMs) {
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0)), L'\0');
  if (!wide.empty()) MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LockResult::kUnavailable;
  lock.handle = h;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    OVERLAPPED at{};
    if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) return LockResult::kLocked;
    if (GetLastError() != ERROR_LOCK_VIOLATION) return LockResult::kUnavailable;
    if (std::chrono::steady_clock::now() >= deadline) return LockResult::kBusy;
    std::this_thread::sleep_for(kPoll);
  }
}

#else

namespace {

enum class Try { kTaken, kBusy, kNoLocks };

Try TryLock(int fd) {
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return Try::kTaken;
  return errno == EWOULDBLOCK || errno == EINTR ? Try::kBusy : Try::kNoLocks;
}

struct Fd {
  int fd;
  ~Fd() {
    if (fd >= 0) close(fd);
  }
};

}  // namespace

FileLock::~FileLock() {
  if (fd >= 0) close(fd);  // closing releases the lock
}

LockResult TakeFileLock(FileLock& lock, const std::string& path, int waitMs) {
  // Read-only is enough for flock, and works on a lock file without write bits.
  lock.fd = open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
  if (lock.fd < 0) return LockResult::kUnavailable;
  // Every taker first queues on the folder, which is held only while
  // waiting: a program that has just let go of the lock cannot take it
  // again ahead of one that was waiting for it, however often it saves.
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  Fd queue{open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  bool queued = queue.fd < 0;  // no queue: just the lock
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    if (!queued) {
      const Try t = TryLock(queue.fd);
      queued = t != Try::kBusy;  // a folder that takes no locks: just the lock
    }
    if (queued) {
      const Try t = TryLock(lock.fd);
      if (t == Try::kTaken) return LockResult::kLocked;  // the queue is let go on return
      if (t == Try::kNoLocks) return LockResult::kUnavailable;
    }
    if (std::chrono::steady_clock::now() >= deadline) return LockResult::kBusy;
    std::this_thread::sleep_for(kPoll);
  }
}

#endif

}  // namespace vxc
