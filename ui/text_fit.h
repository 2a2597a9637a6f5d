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
  int cellPixels = 0;  // the cell height `font` was made for
  QString text;        // what is drawn: the whole text unless `whole` is false
  bool whole = true;
};

// `text` at the cell height `cellPixels` (CellFont) or smaller, so that it is
// at most `width` pixels wide.
FittedText FitText(const QString& text, int cellPixels, int width);

}  // namespace vxc::ui
