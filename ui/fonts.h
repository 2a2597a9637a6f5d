// The window's fonts. Sizes are given as the cell height in pixels (ascent
// plus descent), the way the window's layout was drawn up, and converted to
// the em size of whatever face the desktop resolves "Tahoma" to.
#pragma once

#include <QFont>

namespace vxc::ui {

// "Tahoma", or the desktop's sans-serif face when it is missing.
QFont SansFont();

// SansFont at a cell height of `pixels`.
QFont CellFont(int pixels);

inline constexpr int kLabelFontPixels = 26;  // T, Z, Y labels
inline constexpr int kSmallFontPixels = 14;  // group boxes, radios, digit-count boxes

QFont LineLabelFont();

}  // namespace vxc::ui
