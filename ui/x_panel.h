// The X panel: a strip below the keypad. In the integer modes it shows X's
// word in HEX, DEC signed, DEC unsigned, OCT and BIN, the bits in groups of
// four with their numbers, each bit a button that flips it; in REAL, X with
// all its digits. It draws what the display composed and nothing else.
#pragma once

#include <QAbstractButton>
#include <QWidget>
#include <array>
#include <functional>

#include "display.h"
#include "zoom_layout.h"

class QLabel;
class QPlainTextEdit;

namespace vxc::ui {

inline constexpr int kXPanelHeight = 134;  // at 100%
inline constexpr int kMaxWordBits = 64;

// One bit of the word: shows 0 or 1, flips it when clicked.
class BitButton : public QAbstractButton {
 public:
  BitButton(const Look& look, int bit, QWidget* parent);
  int bit() const { return bit_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Look& look_;
  int bit_;
};

class XPanel : public QWidget {
 public:
  // Drawn at the zoom and in the colours of `look`; ApplyLook after they change.
  XPanel(const Look& look, QWidget* parent);
  void ApplyLook();

  // Shows `panel`; an empty panel (an error) shows nothing at all.
  void Show(const PanelText& panel);
  // Called with the bit number when a bit is clicked.
  void SetBitHandler(std::function<void(int bit)> handler) { flipBit_ = std::move(handler); }

  // The parts, for the tests.
  QLabel* rowText(int row) const { return values_[size_t(row)]; }
  QAbstractButton* copyButton(int row) const { return copies_[size_t(row)]; }  // kPanelRowCount: REAL's
  BitButton* bitButton(int bit) const { return bits_[size_t(bit)]; }
  QPlainTextEdit* fullText() const { return full_; }
  const PanelText& shown() const { return shown_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void CopyRow(int row);
  void PlaceBits(int wordBits);

  const Look& look_;
  ZoomLayout layout_;
  PanelText shown_;
  std::array<QLabel*, kPanelRowCount> labels_{};
  std::array<QLabel*, kPanelRowCount> values_{};
  std::array<QAbstractButton*, kPanelRowCount + 1> copies_{};
  std::array<BitButton*, kMaxWordBits> bits_{};
  QLabel* fullLabel_ = nullptr;
  QPlainTextEdit* full_ = nullptr;
  int placedBits_ = 0;
  std::function<void(int)> flipBit_;
};

}  // namespace vxc::ui
