// Load, save, load again: the same fields.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ini_store.h"

namespace {
const char* const kSections[] = {"Pos", "Option", "Sound", "Memory", "Other"};
const char* const kKeys[] = {"Top", "BASE", "PTF", "ErrorAlarm", "RM0", "IM9", "x"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vxc::IniStore first;
  vxc::IniParse(first, std::string(reinterpret_cast<const char*>(data), size));
  // Rewrite a few values, as a save does.
  vxc::IniSet(first, "Option", "BASE", "2");
  vxc::IniSet(first, "Memory", "RM0", "1.5e-3");
  vxc::IniSet(first, "New", "Key", "v");
  vxc::IniStore second;
  vxc::IniParse(second, vxc::IniText(first));
  for (const char* section : kSections) {
    for (const char* key : kKeys) {
      if (vxc::IniGet(first, section, key, "\x01") != vxc::IniGet(second, section, key, "\x01")) abort();
    }
  }
  if (vxc::IniGet(second, "option", "base", "") != "2") abort();
  if (vxc::IniGet(second, "new", "KEY", "") != "v") abort();
  return 0;
}
