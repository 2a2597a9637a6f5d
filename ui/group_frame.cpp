#include "group_frame.h"

#include <QPainter>

namespace vxc::ui {

GroupFrame::GroupFrame(const QString& title, QWidget* parent, const Look* look)
    : QWidget(parent), title_(title), look_(look) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupFrame::paintEvent(QPaintEvent*) {
  static const Look kPlain;
  const Look& look = look_ != nullptr ? *look_ : kPlain;
  const ThemeColours& c = *look.colours;
  QPainter p(this);
  const QFontMetrics fm = fontMetrics();
  const int top = fm.height() / 2, t = look.line();
  // The highlight takes the last row and column, so the frame reaches the
  // bottom and right edges it was placed at.
  const QRect r = rect().adjusted(0, top, 0, 0);
  const int textLeft = Zoomed(7, look.zoom), textWidth = fm.horizontalAdvance(title_) + Zoomed(4, look.zoom);
  // Etched: a shadow line with a highlight one line below and right of it;
  // the title sits in a gap of the top line.
  p.setClipRegion(QRegion(rect()).subtracted(QRect(textLeft, r.top(), textWidth, 2 * t)));
  FrameRing(p, r.adjusted(t, t, 0, 0), t, QColor(c.edgeLight), QColor(c.edgeLight));
  FrameRing(p, r.adjusted(0, 0, -t, -t), t, QColor(c.edgeShadow), QColor(c.edgeShadow));
  p.setClipping(false);
  p.setPen(QColor(isEnabled() ? c.text : c.disabledText));
  p.drawText(QRect(textLeft + Zoomed(2, look.zoom), 0, textWidth, fm.height()), Qt::AlignLeft | Qt::AlignVCenter, title_);
}

}  // namespace vxc::ui
