#include "x_panel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolButton>

#include "accessibility.h"
#include "fonts.h"

namespace vxc::ui {
namespace {

// Rows of 16 pixels every 18: four text rows, then BIN with up to two lines
// of 32 bits, each line with its bit numbers under it.
constexpr int kRowTop = 6, kRowStep = 18, kRowHeight = 16;
constexpr int kLabelX = 8, kLabelWidth = 36;
constexpr int kValueX = 46, kValueWidth = 392;
constexpr int kCopyX = 444, kCopySize = 20;
constexpr int kBinTop = kRowTop + 4 * kRowStep;
constexpr int kBitWidth = 10, kBitHeight = 15, kGroupGap = 6, kNumberHeight = 11, kBitLineStep = 27;
constexpr int kBitsPerLine = 32;
constexpr int kFullHeight = 52;

// Bit `bit` of a word of `wordBits` bits: lines of 32 bits, the lowest bit
// at the right end of the last line, so bit 0 keeps its place in every word.
QRect BitRect(int bit, int wordBits) {
  const int lines = (wordBits + kBitsPerLine - 1) / kBitsPerLine;
  const int line = lines - 1 - bit / kBitsPerLine;
  const int fromRight = bit % kBitsPerLine;  // cells to the right of this one
  const int right = kValueX + kValueWidth - fromRight * kBitWidth - (fromRight / 4) * kGroupGap;
  return QRect(right - kBitWidth, kBinTop + line * kBitLineStep, kBitWidth, kBitHeight);
}

constexpr int kCopyIconSize = 12;

// Two sheets, drawn at the zoom (the icon is never scaled up).
QIcon CopyIcon(const Look& look, qreal dpr) {
  const int side = Zoomed(kCopyIconSize, look.zoom);
  QPixmap pixmap(QSize(side, side) * dpr);
  pixmap.setDevicePixelRatio(dpr);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.scale(double(side) / kCopyIconSize, double(side) / kCopyIconSize);
  p.setPen(QColor(look.colours->iconPen));
  p.setBrush(QColor(look.colours->iconFill));
  p.drawRect(0, 0, 7, 8);
  p.drawRect(4, 3, 7, 8);
  return QIcon(pixmap);
}

QLabel* MakeLabel(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

QLabel* MakeValue(QWidget* parent) {
  auto* value = new QLabel(parent);
  value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  value->setAutoFillBackground(true);
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);  // selectable, with a Copy context menu
  value->setFocusPolicy(Qt::NoFocus);
  return value;
}

QString SpokenOf(int row) {
  return row < kPanelRowCount ? QString::fromLatin1(kPanelRowNames[size_t(row)].spoken)
                              : QStringLiteral("X, all digits");
}

}  // namespace

BitButton::BitButton(const Look& look, int bit, QWidget* parent) : QAbstractButton(parent), look_(look), bit_(bit) {
  setFocusPolicy(Qt::NoFocus);  // the window's own focus keys move among the mode groups
  setCursor(Qt::PointingHandCursor);
}

void BitButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const ThemeColours& c = *look_.colours;
  if (isDown()) p.fillRect(rect(), QColor(c.bitDown));
  p.setPen(QColor(text() == QLatin1String("1") ? c.bitOne : c.bitZero));
  p.setFont(font());
  p.drawText(rect(), Qt::AlignCenter, text());
}

XPanel::XPanel(const Look& look, QWidget* parent) : QWidget(parent), look_(look) {
  layout_.Apply(look.zoom);
  for (int row = 0; row <= kPanelRowCount; ++row) {
    auto* copy = new QToolButton(this);
    copy->setAutoRaise(true);
    copy->setFocusPolicy(Qt::NoFocus);
    copy->setToolTip(QStringLiteral("Copy"));
    copy->setAccessibleName(QStringLiteral("Copy ") + SpokenOf(row));
    const int top = row < kPanelRowCount ? kRowTop + row * kRowStep : kRowTop;
    layout_.Place(copy, QRect(kCopyX, top - 2, kCopySize, kCopySize));
    connect(copy, &QToolButton::clicked, this, [this, row] { CopyRow(row); });
    copies_[size_t(row)] = copy;
    if (row == kPanelRowCount) break;
    labels_[size_t(row)] = MakeLabel(QString::fromLatin1(kPanelRowNames[size_t(row)].label), this);
    layout_.Place(labels_[size_t(row)], QRect(kLabelX, top, kLabelWidth, kRowHeight), kSmallFontPixels);
    if (row == kPanelBin) continue;  // BIN shows bits, not a text
    values_[size_t(row)] = MakeValue(this);
    layout_.Place(values_[size_t(row)], QRect(kValueX, top, kValueWidth, kRowHeight), kSmallFontPixels);
  }
  for (int bit = 0; bit < kMaxWordBits; ++bit) {
    auto* button = new BitButton(look_, bit, this);
    connect(button, &QAbstractButton::clicked, this, [this, bit] {
      if (flipBit_) flipBit_(bit);
    });
    bits_[size_t(bit)] = button;
  }
  fullLabel_ = MakeLabel(QStringLiteral("X"), this);
  layout_.Place(fullLabel_, QRect(kLabelX, kRowTop, kLabelWidth, kRowHeight), kSmallFontPixels);
  full_ = new QPlainTextEdit(this);
  full_->setReadOnly(true);
  full_->setWordWrapMode(QTextOption::WrapAnywhere);  // a number has no spaces to break at
  full_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  full_->setFocusPolicy(Qt::NoFocus);
  full_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout_.Place(full_, QRect(kValueX, kRowTop, kValueWidth, kFullHeight), kSmallFontPixels);
  full_->setAccessibleName(SpokenOf(kPanelRowCount));
  ApplyLook();
  Show(PanelText{});
}

void XPanel::ApplyLook() {
  layout_.Apply(look_.zoom);
  placedBits_ = 0;  // the bits are placed again by the next Show
  PlaceBits(shown_.wordBits);
  const QIcon icon = CopyIcon(look_, devicePixelRatioF());
  for (QAbstractButton* copy : copies_) {
    copy->setIcon(icon);
    copy->setIconSize(QSize(1, 1) * Zoomed(kCopyIconSize, look_.zoom));
  }
  for (QLabel* value : values_) {
    if (value == nullptr) continue;
    QPalette pal = value->palette();
    pal.setColor(QPalette::Window, look_.colours->panelBox);
    pal.setColor(QPalette::WindowText, look_.colours->panelText);
    value->setPalette(pal);
  }
  setFixedHeight(Zoomed(kXPanelHeight, look_.zoom));
  update();
}

void XPanel::PlaceBits(int wordBits) {
  if (wordBits == placedBits_ || wordBits <= 0) return;
  placedBits_ = wordBits;
  for (int bit = 0; bit < kMaxWordBits && bit < wordBits; ++bit) layout_.Place(bits_[size_t(bit)], BitRect(bit, wordBits), 15);
}

void XPanel::Show(const PanelText& panel) {
  const bool integer = panel.kind == PanelKind::kInteger;
  const bool real = panel.kind == PanelKind::kReal;
  for (int row = 0; row < kPanelRowCount; ++row) {
    labels_[size_t(row)]->setVisible(integer);
    copies_[size_t(row)]->setVisible(integer);
    if (QLabel* value = values_[size_t(row)]) {
      value->setVisible(integer);
      const std::string_view digits = panel.rows[size_t(row)].view();
      const QString text = QString::fromLatin1(digits.data(), qsizetype(digits.size()));
      if (value->text() != text) {
        value->setText(text);
        value->setAccessibleName(SpokenLine(SpokenOf(row), text, {}, false));
      }
    }
  }
  const std::string_view bin = panel.rows[kPanelBin].view();
  if (integer) PlaceBits(panel.wordBits);
  for (int bit = 0; bit < kMaxWordBits; ++bit) {
    BitButton* button = bits_[size_t(bit)];
    const bool shown = integer && bit < panel.wordBits && size_t(bit) < bin.size();
    button->setVisible(shown);
    if (!shown) continue;
    const QString digit = QString(QChar::fromLatin1(bin[bin.size() - 1 - size_t(bit)]));
    if (button->text() != digit) {
      button->setText(digit);
      button->setAccessibleName(QStringLiteral("Bit %1, %2").arg(bit).arg(digit));
    }
  }
  fullLabel_->setVisible(real);
  full_->setVisible(real);
  copies_[kPanelRowCount]->setVisible(real);
  const QString full = QString::fromLatin1(panel.full);
  if (full_->toPlainText() != full) full_->setPlainText(full);
  const bool numbersChange = panel.kind != shown_.kind || panel.wordBits != shown_.wordBits;
  shown_ = panel;
  if (numbersChange) update();
}

void XPanel::CopyRow(int row) {
  const std::string_view text = row < kPanelRowCount ? shown_.rows[size_t(row)].view() : std::string_view(shown_.full);
  if (text.empty()) return;
  QGuiApplication::clipboard()->setText(QString::fromLatin1(text.data(), qsizetype(text.size())));
}

void XPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const ThemeColours& c = *look_.colours;
  const int t = look_.line(), zoom = look_.zoom;
  p.fillRect(QRect(0, 0, width() + 1, t), QColor(c.edgeShadow));
  p.fillRect(QRect(0, t, width() + 1, t), QColor(c.edgeLight));
  if (shown_.kind != PanelKind::kInteger) return;
  // Under every group of four: the number of its lowest bit; under the
  // first group of a line also that of its highest.
  p.setPen(QColor(c.bitNumbers));
  p.setFont(CellFont(11, zoom));
  const int wordBits = shown_.wordBits;
  for (int low = 0; low < wordBits; low += 4) {
    const int high = low + 3;
    const QRect group = BitRect(high, wordBits).united(BitRect(low, wordBits));
    const QRect under = Zoomed(QRect(group.left(), group.bottom() + 1, group.width(), kNumberHeight), zoom);
    p.drawText(under, Qt::AlignRight | Qt::AlignTop, QString::number(low));
    if (high % kBitsPerLine == kBitsPerLine - 1 || high == wordBits - 1) {
      p.drawText(under, Qt::AlignLeft | Qt::AlignTop, QString::number(high));
    }
  }
}

}  // namespace vxc::ui
