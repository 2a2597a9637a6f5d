#include "shared_save.h"

#include <cstdlib>
#include <cstring>

#include "file_lock.h"
#include "ini_store.h"

#ifndef _WIN32
#include <cerrno>
#endif

namespace vxc {

namespace {

// Beside the real file, so that a link to it and the file itself share one lock.
std::string LockPathOf(const std::string& path) {
#ifndef _WIN32
  if (char* real = realpath(path.c_str(), nullptr)) {
    std::string out = std::string(real) + ".lock";
    free(real);
    return out;
  }
#endif
  return path + ".lock";
}

bool Changed(const std::vector<SettingsEntry>* base, const std::vector<SettingsEntry>& entries, std::size_t i) {
  return base == nullptr || base->size() != entries.size() || (*base)[i].value != entries[i].value;
}

SaveOutcome Fail(std::string* reason, std::string why) {
  if (reason != nullptr) *reason = std::move(why);
  return SaveOutcome::kFailed;
}

}  // namespace

SaveOutcome WriteSettingsEntries(const std::string& path, const std::vector<SettingsEntry>& entries,
                                 const std::vector<SettingsEntry>* base, std::string* reason) {
  CreateFoldersAbove(path);
  const std::string lockPath = LockPathOf(path);
  FileLock lock;
  if (TakeFileLock(lock, lockPath, kSettingsLockWaitMs) == LockResult::kBusy) {
    if (reason != nullptr) *reason = "another program has held " + lockPath + " for 2 seconds";
    return SaveOutcome::kLocked;
  }
  // Without a lock file (a read-only folder) the save goes on: it fails on
  // its own and says why.

  IniStore ini;
  // A file that exists but cannot be read would be lost if replaced.
  if (IniLoadFile(ini, path) == FileReadResult::kUnreadable)
    return Fail(reason, path + " exists but cannot be read; it is left as it is");
  constexpr const char* kAbsent = "\n";  // no value read from a file holds a line end
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const SettingsEntry& e = entries[i];
    if (Changed(base, entries, i) || IniGet(ini, e.section, e.key, kAbsent) == kAbsent)
      IniSet(ini, e.section, e.key, e.value);
  }

  std::string text = IniText(ini);
  if (text == ini.source || WriteFileAtomic(path, text)) return SaveOutcome::kSaved;
#ifdef _WIN32
  return Fail(reason, "cannot write " + path);
#else
  return Fail(reason, "cannot write " + path + ": " + std::strerror(errno));
#endif
}

void LoadSharedSettings(SharedSettings& shared, CalcState& s, WindowPosition& pos) {
  LoadSettings(shared.path, s, pos);
  shared.saved = SettingsEntries(s, pos);
  // A register repaired at load ("hello" loads as 0) counts as changed, so
  // the next save writes the repaired value instead of repairing it again
  // at every start.
  IniStore ini;
  if (IniLoadFile(ini, shared.path) != FileReadResult::kLoaded) return;
  for (SettingsEntry& e : shared.saved)
    if (std::strcmp(e.section, "Memory") == 0 && e.key != "Uses") e.value = IniGet(ini, e.section, e.key, e.value);
}

bool SharedSettingsChanged(const SharedSettings& shared, const CalcState& s, const WindowPosition& pos) {
  const std::vector<SettingsEntry> now = SettingsEntries(s, pos);
  for (std::size_t i = 0; i < now.size(); ++i)
    if (Changed(&shared.saved, now, i)) return true;
  return false;
}

SaveOutcome SaveSharedSettings(SharedSettings& shared, const CalcState& s, const WindowPosition& pos,
                               SaveScope scope, std::string* reason) {
  std::vector<SettingsEntry> now = SettingsEntries(s, pos);
  const SaveOutcome out =
      WriteSettingsEntries(shared.path, now, scope == SaveScope::kEverything ? nullptr : &shared.saved, reason);
  if (out == SaveOutcome::kSaved) shared.saved = std::move(now);
  return out;
}

}  // namespace vxc
