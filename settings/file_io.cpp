#include "file_io.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vxc {

namespace detail {
bool (*g_saveStepHook)(SaveStep step) = nullptr;
}  // namespace detail

namespace {

bool StepAllowed(detail::SaveStep step) {
  if (detail::g_saveStepHook == nullptr || detail::g_saveStepHook(step)) return true;
#ifndef _WIN32
  errno = EIO;  // what a failing disk would say
#endif
  return false;
}

}  // namespace

void CreateFoldersAbove(const std::string& path) {
  for (std::size_t i = 1; i < path.size(); ++i) {
    bool separator = path[i] == '/';
#ifdef _WIN32
    separator = separator || path[i] == '\\';
#endif
    if (separator) CreateFolder(path.substr(0, i));
  }
}

#ifdef _WIN32

namespace {

std::wstring Widen(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, std::string& data) {
  data.clear();
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD err = GetLastError();
    return (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) ? FileReadResult::kMissing
                                                                         : FileReadResult::kUnreadable;
  }
  LARGE_INTEGER size{};
  bool ok = GetFileType(h) == FILE_TYPE_DISK && GetFileSizeEx(h, &size) &&
            static_cast<unsigned long long>(size.QuadPart) <= kMaxFileSize;
  if (ok) {
    data.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    std::size_t done = 0;
    while (done < data.size() &&
           ReadFile(h, data.data() + done, static_cast<DWORD>(data.size() - done), &got, nullptr) && got > 0)
      done += got;
    data.resize(done);
  }
  CloseHandle(h);
  if (!ok) data.clear();
  return ok ? FileReadResult::kLoaded : FileReadResult::kUnreadable;
}

void CreateFolder(const std::string& path) { CreateDirectoryW(Widen(path).c_str(), nullptr); }

bool WriteFileAtomic(const std::string& path, std::string_view data) {
  std::wstring target = Widen(path);
  // A read-only file is one the user protects: never replaced.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  std::wstring tmp = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  HANDLE h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = StepAllowed(detail::SaveStep::kWrite);
  std::size_t done = 0;
  while (ok && done < data.size()) {
    DWORD put = 0;
    ok = WriteFile(h, data.data() + done, static_cast<DWORD>(data.size() - done), &put, nullptr) && put > 0;
    done += put;
  }
  ok = ok && FlushFileBuffers(h);
  ok = CloseHandle(h) && ok;
  ok = ok && StepAllowed(detail::SaveStep::kRename) &&
       MoveFileExW(tmp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(tmp.c_str());
  return ok;
}

#else  // POSIX

FileReadResult ReadWholeFile(const std::string& path, std::string& data) {
  data.clear();
  // Non-blocking so that a pipe put in the file's place cannot stall start-up.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return (errno == ENOENT || errno == ENOTDIR) ? FileReadResult::kMissing : FileReadResult::kUnreadable;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
            static_cast<std::size_t>(st.st_size) <= kMaxFileSize;
  if (ok) {
    // Read to the end rather than trusting st_size: the file may change meanwhile.
    char buf[65536];
    for (;;) {
      ssize_t got = read(fd, buf, sizeof buf);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0 || data.size() + static_cast<std::size_t>(got) > kMaxFileSize) ok = false;
      if (got <= 0 || !ok) break;
      data.append(buf, static_cast<std::size_t>(got));
    }
  }
  close(fd);
  if (!ok) data.clear();
  return ok ? FileReadResult::kLoaded : FileReadResult::kUnreadable;
}

void CreateFolder(const std::string& path) { mkdir(path.c_str(), 0700); }

namespace {

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t put = write(fd, data.data(), data.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Where a write to `path` lands: the file a chain of symbolic links ends
// at, also when that file does not exist yet (a dangling link), so that
// the link stays a link.
std::string LinkTarget(const std::string& path) {
  if (char* real = realpath(path.c_str(), nullptr)) {
    std::string target = real;
    free(real);
    return target;
  }
  std::string target = path;
  for (int hops = 0; hops < 40; ++hops) {  // as many as the system follows
    char buffer[4096];
    const ssize_t n = readlink(target.c_str(), buffer, sizeof buffer);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) break;
    const std::string next(buffer, static_cast<std::size_t>(n));
    target = next[0] == '/' ? next : FolderOf(target) + "/" + next;
  }
  return target;
}

}  // namespace

bool WriteFileAtomic(const std::string& path, std::string_view data) {
  // A settings file that is a symbolic link stays one: the real file is replaced.
  const std::string target = LinkTarget(path);
  mode_t mode = 0600;
  struct stat st {};
  if (stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
    // No write bit at all: the user protects the file. A rename would
    // replace it anyway (and root may write anything), so it is refused here.
    if ((mode & 0222) == 0) {
      errno = EACCES;
      return false;
    }
  }

  std::string tmp = target + ".XXXXXX";
  int fd = mkostemp(tmp.data(), O_CLOEXEC);
  if (fd < 0) return false;  // errno from mkostemp
  fchmod(fd, mode);  // keep the old file's permissions; a failure here is harmless
  bool ok = StepAllowed(detail::SaveStep::kWrite) && WriteAll(fd, data) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && StepAllowed(detail::SaveStep::kRename) && rename(tmp.c_str(), target.c_str()) == 0;
  if (!ok) {
    const int why = errno;
    unlink(tmp.c_str());
    errno = why;
    return false;
  }
  // Make the rename itself durable.
  int dir = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return true;
}

#endif

}  // namespace vxc
