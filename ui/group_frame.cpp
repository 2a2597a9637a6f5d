#include "group_frame.h"

#include <QPainter>

namespace vxc::ui {

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QWidget(parent), title_(title) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupFrame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics fm = fontMetrics();
  const int top = fm.height() / 2;
  // The highlight takes the last row and column, so the frame reaches the
  // bottom and right edges it was placed at.
  const QRect r = rect().adjusted(0, top, 0, 0);
  const int textLeft = 7, textWidth = fm.horizontalAdvance(title_) + 4;
  // Etched: a shadow line with a highlight one pixel below and right of it.
  const QColor shadow(128, 128, 128), light(255, 255, 255);
  auto drawRect = [&](const QRect& box, const QColor& colour) {
    p.setPen(colour);
    p.drawLine(box.left(), box.top(), textLeft - 1, box.top());
    p.drawLine(textLeft + textWidth, box.top(), box.right(), box.top());
    p.drawLine(box.left(), box.top(), box.left(), box.bottom());
    p.drawLine(box.left(), box.bottom(), box.right(), box.bottom());
    p.drawLine(box.right(), box.top(), box.right(), box.bottom());
  };
  drawRect(r.adjusted(1, 1, 0, 0), light);
  drawRect(r.adjusted(0, 0, -1, -1), shadow);
  p.setPen(isEnabled() ? palette().color(QPalette::WindowText) : shadow);
  p.drawText(QRect(textLeft + 2, 0, textWidth, fm.height()), Qt::AlignLeft | Qt::AlignVCenter, title_);
}

}  // namespace vxc::ui
