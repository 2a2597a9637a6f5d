#include "settings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "ini_store.h"
#include "shared_save.h"

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace vxc {

namespace {

constexpr const char* kRealMemoryDefault = "0.00e0";  // an absent RMn; Initialize writes "0.0e0"

// Leading blanks, an optional sign, then digits up to the first other
// character; no digits reads as 0 and a value beyond 32 bits saturates.
int32_t ReadWhole(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{INT32_MAX} + 1) break;  // saturated; the rest does not matter
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

int32_t GetWhole(const IniStore& ini, const char* section, const char* key, const char* fallback) {
  return ReadWhole(IniGet(ini, section, key, fallback));
}

// A value out of range in a hand-edited file falls back to its default.
int32_t GetInRange(const IniStore& ini, const char* section, const char* key, int32_t fallback,
                   int32_t low, int32_t high) {
  int32_t v = GetWhole(ini, section, key, std::to_string(fallback).c_str());
  return v >= low && v <= high ? v : fallback;
}

// Codes are written as signed decimal so that any value read comes back the same.
std::string Whole(uint32_t code) { return std::to_string(static_cast<int32_t>(code)); }

}  // namespace

#ifdef _WIN32
std::string SettingsPath() {
  wchar_t folder[MAX_PATH] = L"";
  if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE)) folder[0] = L'\0';
  std::string out;
  int n = WideCharToMultiByte(CP_UTF8, 0, folder, -1, nullptr, 0, nullptr, nullptr);
  if (n > 1) {
    out.resize(static_cast<std::size_t>(n));
    WideCharToMultiByte(CP_UTF8, 0, folder, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(n - 1));
  }
  return out + "\\Ostrano\\VXC\\VXC.INI";
}
#else
std::string XdgFolder(const char* variable, const char* underHome) {
  const char* xdg = std::getenv(variable);
  if (xdg != nullptr && xdg[0] == '/') return xdg;  // a relative value is to be ignored
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') {
    const passwd* pw = getpwuid(getuid());
    home = pw != nullptr ? pw->pw_dir : ".";
  }
  return std::string(home) + "/" + underHome;
}

std::string SettingsPath() { return XdgFolder("XDG_CONFIG_HOME", ".config") + "/Ostrano/VXC/VXC.INI"; }
#endif

SettingsValues ReadSettings(const std::string& path) {
  IniStore ini;
  IniLoadFile(ini, path);  // anything unreadable gives the defaults

  SettingsValues v;
  v.position.top = GetWhole(ini, "Pos", "Top", "0");
  v.position.left = GetWhole(ini, "Pos", "Left", "0");
  v.base = static_cast<BaseMode>(GetInRange(ini, "Option", "BASE", kBaseReal, kBaseReal, kBaseBin));
  v.display = static_cast<DisplayMode>(GetInRange(ini, "Option", "DISPLAY", kDisplayFix, kDisplayFix, kDisplayEng));
  v.angle = static_cast<AngleMode>(GetInRange(ini, "Option", "ANGLE", kAngleDeg, kAngleDeg, kAngleGrad));
  v.range = static_cast<RangeMode>(GetInRange(ini, "Option", "RANGE", kRangeQW, kRangeQW, kRangeB));
  v.digits[0] = GetInRange(ini, "Option", "PTF", kDefaultDigitCount, 0, kMaxDigitCount);
  v.digits[1] = GetInRange(ini, "Option", "PTS", kDefaultDigitCount, 0, kMaxDigitCount);
  v.digits[2] = GetInRange(ini, "Option", "PTE", kDefaultDigitCount, 0, kMaxDigitCount);
  v.language = static_cast<uint32_t>(GetWhole(ini, "Option", "Language", "0"));
  v.errorAlarm = IniGet(ini, "Sound", "ErrorAlarm", "1") == "1";
  v.xPanel = IniGet(ini, "Option", "Panel", "0") == "1";  // on only for "1", like the alarm
  v.tapePane = IniGet(ini, "Option", "Tape", "0") == "1";
  v.zoom = NearestZoom(GetWhole(ini, "Option", "Zoom", "100"));
  v.theme = static_cast<uint32_t>(GetInRange(ini, "Option", "Theme", kThemeSystem, kThemeLight, kThemeSystem));
  v.memoryIndex = static_cast<uint32_t>(GetInRange(ini, "Memory", "Uses", 0, 0, kMemoryCount - 1));

  for (const bool real : {true, false}) {
    for (int n = 0; n < kMemoryCount; ++n) {
      const std::string key = (real ? "RM" : "IM") + std::to_string(n);
      std::string& text = (real ? v.realMemory : v.intMemory)[n];
      text = IniGet(ini, "Memory", key, real ? kRealMemoryDefault : "0");
      const std::string held = text.substr(0, 40);
      if (RepairRegisterText(text, real)) continue;
      v.repairs.push_back(path + ": register " + key + " \"" + held + (held.size() < 40 ? "" : "...") +
                          "\" is not a number in range; it loads as " + text);
    }
  }
  return v;
}

uint32_t NearestZoom(int64_t percent) {
  const int64_t clamped = std::clamp<int64_t>(percent, kZoomMin, kZoomMax);
  return static_cast<uint32_t>((clamped + kZoomStep / 2) / kZoomStep * kZoomStep);
}

uint32_t ZoomStep(uint32_t percent, int steps) {
  return NearestZoom(int64_t(NearestZoom(percent)) + int64_t(steps) * kZoomStep);
}

void LoadSettings(const std::string& path, CalcState& s, WindowPosition& pos) {
  SettingsValues v = ReadSettings(path);
  pos = v.position;
  s.base = static_cast<uint32_t>(v.base);
  s.display = static_cast<uint32_t>(v.display);
  s.angle = static_cast<uint32_t>(v.angle);
  s.range = static_cast<uint32_t>(v.range);
  s.digits = v.digits;
  s.language = v.language;
  s.errorAlarm = v.errorAlarm;
  s.xPanel = v.xPanel;
  s.tapePane = v.tapePane;
  s.zoom = v.zoom;
  s.theme = v.theme;
  s.memoryIndex = v.memoryIndex;
  s.realMemory = std::move(v.realMemory);
  s.intMemory = std::move(v.intMemory);
  for (const std::string& line : v.repairs) std::fprintf(stderr, "%s\n", line.c_str());
}

std::vector<SettingsEntry> SettingsEntries(const CalcState& s, const WindowPosition& pos) {
  std::vector<SettingsEntry> out;
  out.reserve(38);
  auto put = [&out](const char* section, std::string key, std::string value) {
    out.push_back({section, std::move(key), std::move(value)});
  };
  put("Pos", "Top", std::to_string(pos.top));
  put("Pos", "Left", std::to_string(pos.left));
  put("Option", "BASE", Whole(s.base));
  put("Option", "DISPLAY", Whole(s.display));
  put("Option", "ANGLE", Whole(s.angle));
  put("Option", "RANGE", Whole(s.range));
  put("Option", "MEMORY", Whole(s.memoryIndex));
  put("Option", "PTF", std::to_string(s.digits[0]));
  put("Option", "PTS", std::to_string(s.digits[1]));
  put("Option", "PTE", std::to_string(s.digits[2]));
  put("Option", "Language", Whole(s.language));
  put("Option", "Panel", s.xPanel ? "1" : "0");
  put("Option", "Tape", s.tapePane ? "1" : "0");
  put("Option", "Zoom", Whole(s.zoom));
  put("Option", "Theme", Whole(s.theme));
  put("Sound", "ErrorAlarm", s.errorAlarm ? "1" : "0");
  put("Memory", "Uses", Whole(s.memoryIndex));
  for (int n = 0; n < kMemoryCount; ++n)
    put("Memory", "RM" + std::to_string(n), RegisterTextToSave(s.realMemory[n], kIniMaxValue));
  for (int n = 0; n < kMemoryCount; ++n) put("Memory", "IM" + std::to_string(n), s.intMemory[n]);
  return out;
}

bool SaveSettings(const std::string& path, const CalcState& s, const WindowPosition& pos, std::string* reason) {
  return WriteSettingsEntries(path, SettingsEntries(s, pos), nullptr, reason) == SaveOutcome::kSaved;
}

void ResetCalculator(Engine& e, WindowPosition* pos, const ResetWindowHooks* window) {
  UndoStep step(e);  // "Initialize" can be taken back
  ResetCalculatorState(e.state);
  if (window == nullptr) return;
  if (pos != nullptr) *pos = WindowPosition{};
  if (window->moveToOrigin) window->moveToOrigin();
  if (window->refresh) window->refresh();
}

}  // namespace vxc
