// The window's fonts. Sizes are given as the cell height in pixels (ascent
// plus descent), the way the window's layout was drawn up, and converted to
// the em size of whatever face the desktop resolves "Tahoma" to.
#pragma once

#include <QFont>
#include <QString>

namespace vxc::ui {

// Where Debian's fonts-wine puts its Tahoma, a face with the metrics the
// window was laid out for. Fontconfig does not know it, so it is loaded by
// file.
inline constexpr const char* kPreferredFaceFile = "/usr/share/wine/fonts/tahoma.ttf";

enum class FaceChoice : uint8_t {
  kPreferred,  // Tahoma (installed, or loaded from kPreferredFaceFile), else the fallbacks
  kFallback,   // the fallbacks only, as on a desktop without Tahoma
};

// Picks the face of every font made from now on; widgets built earlier keep
// theirs. Without a call, the first font made picks kPreferred. Needs the
// QGuiApplication. `preferredFile` replaces kPreferredFaceFile when not empty.
void ChooseFace(FaceChoice choice, const QString& preferredFile = {});

// Whether the fonts are made in a face with Tahoma's metrics.
bool PreferredFaceInUse();

// The chosen face at the default size.
QFont SansFont();

// SansFont at a cell height of `pixels`.
QFont CellFont(int pixels);
// CellFont(`pixels`) with its size scaled to `zoomPercent`, so that a text
// takes `zoomPercent` of its width and height at 100%.
QFont CellFont(int pixels, int zoomPercent);

inline constexpr int kLabelFontPixels = 26;  // T, Z, Y labels
inline constexpr int kSmallFontPixels = 14;  // group boxes, radios, digit-count boxes

QFont LineLabelFont();

}  // namespace vxc::ui
