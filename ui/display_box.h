// A text box of the display: one line of text in a sunken (or no) frame,
// elided with "…" when it does not fit, never cut silently.
#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

namespace vxc::ui {

enum class BoxEdge : uint8_t {
  kNone,     // the line labels
  kClient,   // the value and exponent boxes: a two-pixel sunken edge
  kSunken,   // the digit-count boxes: a one-pixel sunken edge
};

class DisplayBox : public QFrame {
 public:
  DisplayBox(BoxEdge edge, Qt::Alignment alignment, QWidget* parent);

  const QString& text() const { return text_; }
  const QColor& textColour() const { return colour_; }
  void SetText(const QString& text);
  void SetTextColour(const QColor& colour);
  void SetBoxFont(const QFont& font);
  // The name a screen reader reads ("X, 5.00"); tells it when it changes.
  const QString& spokenText() const { return spoken_; }
  void SetSpokenText(const QString& spoken);
  // Whether the whole text fits without eliding.
  bool TextFits() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect TextArea() const;

  BoxEdge edge_;
  Qt::Alignment alignment_;
  QString text_;
  QString spoken_;
  QColor colour_ = Qt::black;
};

}  // namespace vxc::ui
