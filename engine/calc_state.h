// The one object that holds everything the calculator knows.
// Numbers at rest are narrow ASCII decimal text in every mode; commands
// convert what they need, compute, and write text back.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace vxc {

// Mode codes. The same small integers are used in memory and in the
// settings file, so they are plain integers rather than enum classes.
enum BaseCode : uint32_t { kBaseReal = 0, kBaseDec = 1, kBaseHex = 2, kBaseOct = 3, kBaseBin = 4 };
enum AngleCode : uint32_t { kAngleDeg = 0, kAngleRad = 1, kAngleGrad = 2 };
enum DisplayCode : uint32_t { kDisplayFix = 0, kDisplaySci = 1, kDisplayEng = 2 };
enum RangeCode : uint32_t { kRangeQW = 0, kRangeDW = 1, kRangeW = 2, kRangeB = 3 };
enum LanguageCode : uint32_t { kLangEnglish = 0, kLangJapanese = 1, kLangChinese = 2, kLangEsperanto = 4 };
enum ThemeCode : uint32_t { kThemeLight = 0, kThemeDark = 1, kThemeSystem = 2 };

// The window's zoom in percent: 100 to 300 in steps of 25.
inline constexpr uint32_t kZoomMin = 100, kZoomMax = 300, kZoomStep = 25;

inline constexpr int kMemoryCount = 10;
inline constexpr int kMaxDigitCount = 32;
inline constexpr int kDefaultDigitCount = 2;
inline constexpr const char* kRealMemoryResetText = "0.0e0";

// A code read from a hand-edited settings file may be anything; every
// reader of `base` goes through these so that an unknown code acts as REAL.
inline bool IsIntegerBase(uint32_t base) { return base >= kBaseDec && base <= kBaseBin; }
inline int RadixOf(uint32_t base) {
  switch (base) {
    case kBaseHex: return 16;
    case kBaseOct: return 8;
    case kBaseBin: return 2;
    default: return 10;
  }
}

// to = from. Register texts mostly keep their length from key to key (76
// digits, or "0"), and then only the characters need copying, without the
// library's general assignment.
inline void AssignText(std::string& to, const std::string& from) {
  if (to.size() != from.size()) {
    to = from;
  } else if (&to != &from && !from.empty()) {
    std::memcpy(to.data(), from.data(), from.size());
  }
}

struct CalcState {
  std::string stackX = "0";
  std::string stackY = "0";
  std::string stackZ = "0";
  std::string stackT = "0";
  std::string lastX = "0";

  std::string entryText;     // mantissa being typed (or the whole integer)
  std::string exponentText;  // typed after EEX: optional '-', at most two digits

  std::string errorText;  // shown in the X line while errorShown is set
  bool errorShown = false;
  bool entryTyped = false;
  bool liftDisabled = false;
  bool exponentEntry = false;
  bool xComplete = false;

  std::array<std::string, kMemoryCount> realMemory;
  std::array<std::string, kMemoryCount> intMemory;
  uint32_t memoryIndex = 0;

  uint32_t base = kBaseReal;
  uint32_t angle = kAngleDeg;
  uint32_t display = kDisplayFix;
  uint32_t range = kRangeQW;
  std::array<int32_t, 3> digits{kDefaultDigitCount, kDefaultDigitCount, kDefaultDigitCount};
  uint32_t language = kLangEnglish;
  bool errorAlarm = true;
  bool xPanel = false;  // Option > X Panel; an option of the window, kept by the reset
  bool tapePane = false;  // Option > Tape: the window shows the tape; kept by the reset
  uint32_t zoom = kZoomMin;       // Option > Zoom, percent; an option of the window too
  uint32_t theme = kThemeSystem;  // Option > Theme; an option of the window too

  CalcState() {
    realMemory.fill(kRealMemoryResetText);
    intMemory.fill("0");
  }

  // Undo compares whole states: a new field takes part without more code.
  // The options (language, alarm, X panel, tape pane, zoom, theme) are no calculator state: undo
  // leaves them alone (undo.cpp, KeepOptions); a new option goes there too.
  bool operator==(const CalcState&) const = default;

  // An entry is in progress: the X line shows the typed text.
  bool Typing() const { return !entryText.empty() || entryTyped; }
  // Digit count of the current DISPLAY mode (0 when the code is unknown).
  int32_t CurrentDigits() const { return display < 3 ? digits[display] : 0; }
};

}  // namespace vxc
