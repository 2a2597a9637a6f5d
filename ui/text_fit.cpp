#include "text_fit.h"

#include <QFontMetricsF>

#include "fonts.h"

namespace vxc::ui {

namespace {

bool Fits(const QString& text, const QFont& font, int width) {
  return QFontMetricsF(font).horizontalAdvance(text) <= width;
}

}  // namespace

FittedText FitText(const QString& text, int cellPixels, int width, int zoomPercent) {
  FittedText out;
  out.text = text;
  out.cellPixels = cellPixels;
  out.font = CellFont(cellPixels, zoomPercent);
  if (text.isEmpty() || Fits(text, out.font, width)) return out;
  for (int pixels = cellPixels - 1; pixels >= kFloorFontPixels; --pixels) {
    out.cellPixels = pixels;
    out.font = CellFont(pixels, zoomPercent);
    if (Fits(text, out.font, width)) return out;
  }
  if (cellPixels < kFloorFontPixels) {  // a box already below the floor keeps its size
    out.cellPixels = cellPixels;
    out.font = CellFont(cellPixels, zoomPercent);
  }
  out.text = QFontMetricsF(out.font).elidedText(text, Qt::ElideLeft, width);
  out.whole = false;
  return out;
}

}  // namespace vxc::ui
