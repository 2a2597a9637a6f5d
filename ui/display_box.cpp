#include "display_box.h"

#include <QPainter>

#include "accessibility.h"
#include "fonts.h"

namespace vxc::ui {

DisplayBox::DisplayBox(const Look& look, BoxEdge edge, Qt::Alignment alignment, QWidget* parent)
    : QFrame(parent), look_(look), edge_(edge), alignment_(alignment) {
  setAttribute(Qt::WA_TransparentForMouseEvents);  // clicks belong to the window behind
  setFrameShape(QFrame::NoFrame);
}

void DisplayBox::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  fittedFor_ = QSize();
  update();
}

QColor DisplayBox::textColour() const { return QColor(error_ ? look_.colours->errorText : look_.colours->text); }

void DisplayBox::SetErrorColour(bool error) {
  if (error == error_) return;
  error_ = error;
  update();
}

void DisplayBox::SetCellPixels(int pixels) {
  if (pixels == cellPixels_) return;
  cellPixels_ = pixels;
  fittedFor_ = QSize();
  setFont(CellFont(pixels, look_.zoom));
  update();
}

void DisplayBox::SetSpokenText(const QString& spoken) {
  if (spoken == spoken_) return;
  spoken_ = spoken;
  NotifyScreenReader(this, QAccessible::NameChanged);
}

QRect DisplayBox::TextArea() const {
  const int z = look_.zoom;
  switch (edge_) {
    case BoxEdge::kClient: return rect().adjusted(Zoomed(3, z), Zoomed(2, z), -Zoomed(3, z), -Zoomed(2, z));
    case BoxEdge::kSunken:  // "32" keeps clear of the edge
      return rect().adjusted(Zoomed(2, z), Zoomed(1, z), -Zoomed(2, z), -Zoomed(1, z));
    case BoxEdge::kNone: break;
  }
  return rect();
}

FittedText DisplayBox::Fitted() const {
  if (cellPixels_ <= 0) return FittedText{font(), 0, text_, true};  // no size given yet
  if (fittedFor_ != size() || fittedZoom_ != look_.zoom) {
    fitted_ = FitText(text_, cellPixels_, TextArea().width(), look_.zoom);
    fittedFor_ = size();
    fittedZoom_ = look_.zoom;
  }
  return fitted_;
}

void DisplayBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  const ThemeColours& c = *look_.colours;
  const int t = look_.line();
  // Outer edge: shadow above and left, highlight below and right.
  if (edge_ == BoxEdge::kClient || edge_ == BoxEdge::kSunken) FrameRing(p, r, t, c.edgeShadow, c.edgeLight);
  // The inner edge darker, so the box looks pressed into the panel.
  if (edge_ == BoxEdge::kClient) FrameRing(p, r.adjusted(t, t, -t, -t), t, c.edgeDark, c.window);
  lastDrawn_ = Fitted();
  if (text_.isEmpty()) return;
  p.setFont(lastDrawn_.font);
  p.setPen(isEnabled() ? textColour() : QColor(c.disabledText));
  p.drawText(TextArea(), int(alignment_ | Qt::AlignVCenter) | Qt::TextSingleLine, lastDrawn_.text);
}

}  // namespace vxc::ui
