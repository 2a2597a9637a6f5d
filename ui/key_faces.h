// The key faces, painted once per device-pixel ratio, each when first
// shown: normal, pressed (pushed in) and disabled (greyed lettering). CLX
// and the up/down keys have no disabled face.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRectF>

#include "keypad_table.h"
#include "theme.h"

namespace vxc::ui {

struct FaceSet {
  QPixmap normal;
  QPixmap pressed;
  QPixmap disabled;  // null when the key has no disabled face
};

// Paints one face of `key` in `colours`, at `zoomPercent` of its size and
// `dpr` device pixels per pixel; a null pixmap for the disabled look of a
// key that has none.
QPixmap PaintKeyFace(const KeyDef& key, FaceLook look, qreal dpr, const ThemeColours& colours = LightColours(),
                     int zoomPercent = 100);

// The box of the superscript's ink on the normal face of `key` (the 2 of
// x², the x of e^x and y^x), in key pixels; empty for a key without one.
QRectF SuperscriptInk(const KeyDef& key);

// The program's icon: a small calculator.
QIcon AppIcon();
// The same for the window, drawn when the window system asks for it
// rather than kept as pixmaps.
QIcon WindowIcon();

}  // namespace vxc::ui
