// The window's colours: one table per theme, read by every widget that
// paints. Light is the calculator's own grey face; Dark keeps each key
// family's hue on dark keys, every text at least 4.5:1 against what is
// behind it. System follows the desktop palette's window colour.
#pragma once

#include <QColor>
#include <QPalette>
#include <array>
#include <cstdint>
#include <functional>

#include "keypad_table.h"

class QWidget;

namespace vxc::ui {

// The colours of one key family.
struct ToneColours {
  QRgb top, bottom, border, text;
};

inline constexpr int kToneCount = int(KeyTone::kArrow) + 1;

struct ThemeColours {
  QRgb window;        // the face of the window, the group boxes and the radios
  QRgb text;          // captions, line labels, display texts
  QRgb disabledText;  // captions and digit counts of a group that does not act now
  QRgb errorText;     // the X line while an error shows
  QRgb menuLine;      // the line under the menu bar
  // Edges: a sunken box is shadow above and left, light below and right,
  // with the darker `edgeDark` and `window` inside that.
  QRgb edgeShadow, edgeLight, edgeDark;
  QRgb labelDisabled;  // the X key's letter while an error shows
  QRgb panelBox, panelText;  // the X panel's value boxes
  QRgb bitOne, bitZero, bitDown, bitNumbers;
  QRgb iconPen, iconFill;  // the X panel's copy buttons
  std::array<ToneColours, kToneCount> tones;  // in KeyTone order
  double disabledKeyMix;   // how far a disabled key moves to `window`
  double disabledInkMix;   // how far its lettering moves to the key
  bool wholePalette;       // sets every palette role (Light keeps the desktop's where it always has)
};

const ThemeColours& LightColours();
const ThemeColours& DarkColours();

// The table of a theme code (0 Light, 1 Dark, 2 System); System and any
// other code take Dark when `desktopDark`.
const ThemeColours& ColoursFor(uint32_t theme, bool desktopDark);

// Whether the desktop palette's window colour is dark.
bool DesktopIsDark();

// `base` with the roles the theme sets.
QPalette ThemePalette(const ThemeColours& colours, QPalette base);

enum class FaceLook : uint8_t { kNormal, kPressed, kDisabled };

// The colours a key face of `tone` is painted with in `look`.
struct FaceColours {
  QColor top, bottom, border, ink;
};
FaceColours FaceColoursOf(const ThemeColours& colours, KeyTone tone, FaceLook look);

// Calls `changed` whenever the desktop palette changes while `window` lives.
void FollowDesktopPalette(QWidget* window, std::function<void()> changed);

}  // namespace vxc::ui
