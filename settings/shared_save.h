// Settings that several programs share: two windows, or a window and
// vxc32-keys, open at once. Each program remembers the entries as it last
// read or saved them. A save takes the lock beside the file, re-reads the
// file and writes only the keys whose value this program has changed since
// (and any key the file lacks); every other key keeps the value the file
// has now. So neither program loses the other's registers and modes, and
// the later change of one key wins.
#pragma once

#include <string>
#include <vector>

#include "settings.h"

namespace vxc {

// How long a save waits for another program's save to end.
inline constexpr int kSettingsLockWaitMs = 2000;

struct SharedSettings {
  std::string path;
  std::vector<SettingsEntry> saved;  // as last read or saved
};

// LoadSettings, remembering what was read.
void LoadSharedSettings(SharedSettings& shared, CalcState& s, WindowPosition& pos);

// True when a save would write something this program has changed.
bool SharedSettingsChanged(const SharedSettings& shared, const CalcState& s, const WindowPosition& pos);

enum class SaveOutcome { kSaved, kLocked, kFailed };
// kEverything writes every key, as "Initialize" wants.
enum class SaveScope { kChanged, kEverything };

// The merged save. Anything but kSaved leaves the file as it was, says why
// in `reason` and keeps the changes for the next save.
SaveOutcome SaveSharedSettings(SharedSettings& shared, const CalcState& s, const WindowPosition& pos,
                               SaveScope scope, std::string* reason = nullptr);

// The merge itself, under the lock: re-reads `path` and writes each entry
// whose value differs from the same entry of `base` (every entry when
// `base` is null) or that the file lacks, in one atomic write. Creates the
// folders above the file; a file that exists but cannot be read is never
// replaced.
SaveOutcome WriteSettingsEntries(const std::string& path, const std::vector<SettingsEntry>& entries,
                                 const std::vector<SettingsEntry>* base, std::string* reason);

}  // namespace vxc
