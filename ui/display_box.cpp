#include "display_box.h"

#include <QPainter>

#include "accessibility.h"
#include "fonts.h"

namespace vxc::ui {

DisplayBox::DisplayBox(BoxEdge edge, Qt::Alignment alignment, QWidget* parent)
    : QFrame(parent), edge_(edge), alignment_(alignment) {
  setAttribute(Qt::WA_TransparentForMouseEvents);  // clicks belong to the window behind
  setFrameShape(QFrame::NoFrame);
}

void DisplayBox::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  fittedFor_ = QSize();
  update();
}

void DisplayBox::SetTextColour(const QColor& colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

void DisplayBox::SetCellPixels(int pixels) {
  if (pixels == cellPixels_) return;
  cellPixels_ = pixels;
  fittedFor_ = QSize();
  setFont(CellFont(pixels));
  update();
}

void DisplayBox::SetSpokenText(const QString& spoken) {
  if (spoken == spoken_) return;
  spoken_ = spoken;
  NotifyScreenReader(this, QAccessible::NameChanged);
}

QRect DisplayBox::TextArea() const {
  switch (edge_) {
    case BoxEdge::kClient: return rect().adjusted(3, 2, -3, -2);
    case BoxEdge::kSunken: return rect().adjusted(2, 1, -2, -1);  // "32" keeps clear of the edge
    case BoxEdge::kNone: break;
  }
  return rect();
}

FittedText DisplayBox::Fitted() const {
  if (cellPixels_ <= 0) return FittedText{font(), 0, text_, true};  // no size given yet
  if (fittedFor_ != size()) {
    fitted_ = FitText(text_, cellPixels_, TextArea().width());
    fittedFor_ = size();
  }
  return fitted_;
}

void DisplayBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  const QColor shadow(128, 128, 128), dark(64, 64, 64), light(255, 255, 255), face(212, 208, 200);
  if (edge_ == BoxEdge::kClient || edge_ == BoxEdge::kSunken) {
    // Outer edge: shadow above and left, highlight below and right.
    p.setPen(shadow);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(light);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
  }
  if (edge_ == BoxEdge::kClient) {
    // The inner edge darker, so the box looks pressed into the panel.
    p.setPen(dark);
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
    p.setPen(face);
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
  }
  lastDrawn_ = Fitted();
  if (text_.isEmpty()) return;
  p.setFont(lastDrawn_.font);
  p.setPen(isEnabled() ? colour_ : palette().color(QPalette::Disabled, QPalette::WindowText));
  p.drawText(TextArea(), int(alignment_ | Qt::AlignVCenter) | Qt::TextSingleLine, lastDrawn_.text);
}

}  // namespace vxc::ui
