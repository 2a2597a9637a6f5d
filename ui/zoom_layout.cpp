#include "zoom_layout.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <algorithm>

#include "fonts.h"

namespace vxc::ui {

int Zoomed(int length, int percent) {
  const int64_t scaled = int64_t(length) * percent;
  return int(scaled >= 0 ? (scaled + 50) / 100 : -((-scaled + 50) / 100));
}

QRect Zoomed(const QRect& layout, int percent) {
  const int left = Zoomed(layout.x(), percent), top = Zoomed(layout.y(), percent);
  return QRect(left, top, Zoomed(layout.x() + layout.width(), percent) - left,
               Zoomed(layout.y() + layout.height(), percent) - top);
}

QPoint Unzoomed(const QPoint& shown, int percent) {
  auto back = [percent](int v) { return int(v >= 0 ? int64_t(v) * 100 / percent : -((-int64_t(v) * 100 + percent - 1) / percent)); };
  return {back(shown.x()), back(shown.y())};
}

QPoint KeepOnScreen(const QRect& frame, const QRect& available) {
  QPoint at = frame.topLeft();
  if (frame.right() > available.right()) at.rx() -= frame.right() - available.right();
  if (frame.bottom() > available.bottom()) at.ry() -= frame.bottom() - available.bottom();
  at.rx() = std::max(at.x(), available.left());
  at.ry() = std::max(at.y(), available.top());
  return at;
}

void ZoomLayout::Place(QWidget* widget, const QRect& layout, int fontPixels) {
  if (placed_.empty()) placed_.reserve(48);  // the window's controls (the keypad places its own), grown once at most
  auto same = std::find_if(placed_.begin(), placed_.end(), [widget](const Placed& p) { return p.widget == widget; });
  if (same == placed_.end()) same = placed_.insert(placed_.end(), Placed{widget, layout, fontPixels});
  *same = Placed{widget, layout, fontPixels};
  Show(*same);
}

void ZoomLayout::Apply(int percent) {
  percent_ = percent;
  for (const Placed& p : placed_) Show(p);
}

void ZoomLayout::Show(const Placed& p) const {
  p.widget->setGeometry(Zoomed(p.layout, percent_));
  if (p.fontPixels > 0) p.widget->setFont(CellFont(p.fontPixels, percent_));
}

void FrameRing(QPainter& p, const QRect& outer, int t, const QColor& topLeft, const QColor& bottomRight) {
  p.fillRect(QRect(outer.left(), outer.top(), outer.width(), t), topLeft);
  p.fillRect(QRect(outer.left(), outer.top(), t, outer.height()), topLeft);
  p.fillRect(QRect(outer.left(), outer.bottom() + 1 - t, outer.width(), t), bottomRight);
  p.fillRect(QRect(outer.right() + 1 - t, outer.top(), t, outer.height()), bottomRight);
}

namespace {

class RadioStyle : public QProxyStyle {
 public:
  explicit RadioStyle(const Look& look) : look_(look) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_RadioButtonLabelSpacing) return Zoomed(3, look_.zoom);
    // The classic 13-pixel circle leaves room for "GRAD" inside the ANGLE frame.
    if (metric == PM_ExclusiveIndicatorWidth || metric == PM_ExclusiveIndicatorHeight) return Zoomed(13, look_.zoom);
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_FrameFocusRect) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    if (!(option->state & State_KeyboardFocusChange)) return;
    painter->save();
    const int t = look_.line();
    painter->setPen(QPen(option->palette.color(QPalette::WindowText), t, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    if (t == 1) painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    else painter->drawRect(QRectF(option->rect).adjusted(t / 2.0, t / 2.0, -t / 2.0, -t / 2.0));
    painter->restore();
  }

 private:
  const Look& look_;
};

}  // namespace

QStyle* NewRadioStyle(const Look& look, QObject* owner) {
  auto* style = new RadioStyle(look);
  style->setParent(owner);
  return style;
}

}  // namespace vxc::ui
