// Fitting a line of text into a box: the size chosen for the line if the
// text fits, else the largest smaller size that fits, never below a floor;
// only a text too long even at the floor is elided, at the left, so the low
// digits and the exponent always show.
#pragma once

#include <QFont>
#include <QString>

namespace vxc::ui {

// The smallest cell height a display text is drawn at.
inline constexpr int kFloorFontPixels = 7;

struct FittedText {
  QFont font;
  int cellPixels = 0;  // the cell height `font` was made for, at 100%
  QString text;        // what is drawn: the whole text unless `whole` is false
  bool whole = true;
};

// `text` at the cell height `cellPixels` (CellFont) or smaller, so that it is
// at most `width` pixels wide. At a zoom the sizes tried are those of 100%
// (and so is `cellPixels` of the result), each font scaled by the zoom.
FittedText FitText(const QString& text, int cellPixels, int width, int zoomPercent = 100);

}  // namespace vxc::ui
