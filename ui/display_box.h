// A text box of the display: one line of text in a sunken (or no) frame.
// A text too wide for its box is drawn smaller (FitText); only past the
// smallest size is it elided, at the left, never cut silently.
#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

#include "text_fit.h"
#include "zoom_layout.h"

namespace vxc::ui {

enum class BoxEdge : uint8_t {
  kNone,     // the line labels
  kClient,   // the value and exponent boxes: a two-pixel sunken edge
  kSunken,   // the digit-count boxes: a one-pixel sunken edge
};

class DisplayBox : public QFrame {
 public:
  // Drawn at the zoom and in the colours of `look`.
  DisplayBox(const Look& look, BoxEdge edge, Qt::Alignment alignment, QWidget* parent);

  const QString& text() const { return text_; }
  // The text's colour: the theme's text, or its error colour.
  QColor textColour() const;
  void SetText(const QString& text);
  void SetErrorColour(bool error);
  // The cell height the text is drawn at when it fits (CellFont), at 100%.
  void SetCellPixels(int pixels);
  int cellPixels() const { return cellPixels_; }
  // The name a screen reader reads ("X, 5.00"); tells it when it changes.
  const QString& spokenText() const { return spoken_; }
  void SetSpokenText(const QString& spoken);
  // The font and text the box draws, and the area they are drawn into.
  FittedText Fitted() const;
  QRect TextArea() const;
  // What the last paint drew (tests).
  const FittedText& lastDrawn() const { return lastDrawn_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Look& look_;
  BoxEdge edge_;
  Qt::Alignment alignment_;
  QString text_;
  QString spoken_;
  bool error_ = false;
  int cellPixels_ = 0;
  FittedText lastDrawn_;
  // Fitting measures the text at each size tried: done once per text, size and width.
  mutable FittedText fitted_;
  mutable QSize fittedFor_;  // the box size `fitted_` was made for; invalid when stale
  mutable int fittedZoom_ = 0;
};

}  // namespace vxc::ui
