// Zoom: every control sits at its place in the window's layout (drawn up in
// pixels at 100%) times the zoom factor, and draws itself at that scale:
// fonts sized by the factor, edges as thick as the factor rounds to, key
// faces painted at the final resolution. Nothing is a stretched bitmap.
//
// A pane of its own (the X panel, the tape) lays out its children with a
// ZoomLayout of its own, or is placed as one control by the window's.
#pragma once

#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

#include "theme.h"

class QPainter;
class QStyle;

namespace vxc::ui {

// What the painting widgets read: the zoom and the colours of the theme.
// The window owns one and changes it in place; widgets keep a reference.
struct Look {
  int zoom = 100;  // percent
  const ThemeColours* colours = &LightColours();
  double factor() const { return zoom / 100.0; }
  // Thickness of a one-pixel line of the layout.
  int line() const { return zoom < 150 ? 1 : (zoom + 50) / 100; }
};

// A length of the layout at `percent`, rounded to the nearest pixel.
int Zoomed(int length, int percent);
// A rectangle of the layout at `percent`: each edge scaled, so that
// neighbours stay neighbours.
QRect Zoomed(const QRect& layout, int percent);
// The layout point under the zoomed point `shown`.
QPoint Unzoomed(const QPoint& shown, int percent);

// Where a window whose frame is `frame` moves to so that it lies on
// `available` as far as it can: what sticks out right or below moves back,
// the top left corner never leaves `available`.
QPoint KeepOnScreen(const QRect& frame, const QRect& available);

// Controls placed at their layout rectangles and font sizes; Apply puts
// all of them at a zoom. A placed control lives as long as the layout (its
// parent owns both).
class ZoomLayout {
 public:
  // `widget` at `layout`, its place at 100%, with CellFont(`fontPixels`) scaled when `fontPixels` > 0.
  // Placing a widget again replaces its place.
  void Place(QWidget* widget, const QRect& layout, int fontPixels = 0);
  void Apply(int percent);
  int percent() const { return percent_; }

 private:
  struct Placed {
    QWidget* widget;
    QRect layout;
    int fontPixels;
  };
  void Show(const Placed& placed) const;
  std::vector<Placed> placed_;
  int percent_ = 100;
};

// Fills a frame `thickness` pixels wide inside `outer`: top and left bands
// in `topLeft`, then bottom and right bands in `bottomRight`.
void FrameRing(QPainter& p, const QRect& outer, int thickness, const QColor& topLeft, const QColor& bottomRight);

// The style of the mode radios: the caption close to a classic 13-pixel
// circle (scaled by the zoom), and a dotted focus rectangle once the
// keyboard moved the focus, whatever the desktop style.
QStyle* NewRadioStyle(const Look& look, QObject* owner);

}  // namespace vxc::ui
