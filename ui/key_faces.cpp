// Key faces drawn with QPainter: a rounded key top with a soft gradient and a
// darker lip below it; the pressed face sinks by the lip's height.
#include "key_faces.h"

#include <algorithm>

#include <QFont>
#include <QFontMetricsF>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "fonts.h"
#include "zoom_layout.h"

namespace vxc::ui {
namespace {

// How a family's label is set: its preferred size in pixels and weight.
struct Palette {
  int pointSize;
  bool bold;
};

Palette PaletteOf(KeyTone tone) {
  switch (tone) {
    case KeyTone::kLineLabel: return {21, false};
    case KeyTone::kFunction:
    case KeyTone::kBitwise:
    case KeyTone::kStack:
    case KeyTone::kMemory: return {11, true};
    case KeyTone::kHexDigit:
    case KeyTone::kDigit: return {13, true};
    case KeyTone::kOperator: return {18, true};
    case KeyTone::kEnter:
    case KeyTone::kClear: return {12, true};
    case KeyTone::kArrow: return {8, false};
  }
  return {11, true};
}

using Look = FaceLook;

constexpr double kMinSuperscriptInk = 7.0;  // pixels of the tight box: about 6 of solid ink

QFont LabelFont(double pixels, bool bold) {
  QFont f = SansFont();
  f.setPixelSize(qMax(1, qRound(pixels)));
  f.setWeight(bold ? QFont::DemiBold : QFont::Normal);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

// Space between the label and its superscript or note.
double SmallGap(const KeyFaceLook& look) { return look.glyph == FaceGlyph::kTextNote ? 3.0 : 0.4; }

// The font of `look.small` beside a label of `pixels`: a note is 0.72 of
// the label, regular; a superscript takes the label's weight and 0.68 of
// its size, grown until its ink is kMinSuperscriptInk high, so that it reads
// at a glance (never beyond the label's size).
QFont SmallFont(const KeyFaceLook& look, double pixels, bool bold) {
  if (look.glyph == FaceGlyph::kTextNote) return LabelFont(pixels * 0.72, false);
  const QString small = QString::fromUtf8(look.small);
  double size = pixels * 0.68;
  while (size < pixels && QFontMetricsF(LabelFont(size, bold)).tightBoundingRect(small).height() < kMinSuperscriptInk)
    size += 0.5;
  return LabelFont(size, bold);
}

// The label's width for the font size `pixels`, to shrink long labels.
double LabelWidth(const KeyFaceLook& look, double pixels, bool bold) {
  const QString label = QString::fromUtf8(look.label);
  double w = QFontMetricsF(LabelFont(pixels, bold)).horizontalAdvance(label);
  if (look.small != nullptr) {
    w += QFontMetricsF(SmallFont(look, pixels, bold)).horizontalAdvance(QString::fromUtf8(look.small)) +
         SmallGap(look);
  }
  if (look.glyph == FaceGlyph::kSquareRoot) w += pixels * 0.75;
  return w;
}

// Where the text of a text face goes inside `area`, the key top.
struct TextLayout {
  double pixels = 0;    // the label's size
  double left = 0;      // where the label (or its root sign) starts
  double baseline = 0;
  double capHeight = 0;
  QFont small;          // the superscript or note, drawn at `smallAt`
  QPointF smallAt;
};

TextLayout LayOutText(const KeyDef& key, const QRectF& area, const Palette& pal) {
  const KeyFaceLook& look = key.look;
  TextLayout t;
  // Shrink until the text fits with a small margin.
  t.pixels = pal.pointSize;
  if (key.height >= 26 && look.tone != KeyTone::kOperator && look.tone != KeyTone::kLineLabel) t.pixels += 1;
  while (t.pixels > 6 && LabelWidth(look, t.pixels, pal.bold) > area.width() - 6) t.pixels -= 0.5;
  const QFontMetricsF fm(LabelFont(t.pixels, pal.bold));
  t.left = area.center().x() - LabelWidth(look, t.pixels, pal.bold) / 2;
  // Centre the cap height, which looks centred on keys better than the em box.
  t.capHeight = fm.capHeight() > 0 ? fm.capHeight() : fm.ascent() * 0.7;
  t.baseline = area.center().y() + t.capHeight / 2;
  if (look.small == nullptr) return t;
  t.small = SmallFont(look, t.pixels, pal.bold);
  double x = t.left + fm.horizontalAdvance(QString::fromUtf8(look.label)) + SmallGap(look);
  if (look.glyph == FaceGlyph::kSquareRoot) x += t.pixels * 0.75;
  double raise = 0;
  if (look.glyph != FaceGlyph::kTextNote) {
    // Raised by half the cap height, but its ink stays below the key top's
    // highlight line.
    const double inkTop = QFontMetricsF(t.small).tightBoundingRect(QString::fromUtf8(look.small)).top();
    raise = qMax(0.0, qMin(t.capHeight * 0.55, t.baseline + inkTop - (area.top() + 2.5)));
  }
  t.smallAt = QPointF(x, t.baseline - raise);
  return t;
}

// The key top of a text key: the whole key less the lip below it.
QRectF TopFace(const KeyDef& key, bool pressed) {
  const double lip = key.height <= 11 ? 1.0 : 2.0;
  const QRectF outer = QRectF(0, 0, key.width, key.height).adjusted(0.5, 0.5, -0.5, -0.5);
  return pressed ? outer.adjusted(0, lip * 0.5, 0, 0) : outer.adjusted(0, 0, 0, -lip);
}

void DrawLabel(QPainter& p, const KeyDef& key, const QRectF& area, const Palette& pal, const QColor& ink) {
  const KeyFaceLook& look = key.look;
  p.setPen(Qt::NoPen);
  p.setBrush(ink);

  if (look.glyph == FaceGlyph::kTriangleUp || look.glyph == FaceGlyph::kTriangleDown) {
    const double w = qMin(area.width() * 0.5, area.height() * 0.95);
    const double h = w * 0.55;
    const QPointF c = area.center();
    QPainterPath tri;
    if (look.glyph == FaceGlyph::kTriangleUp) {
      tri.moveTo(c.x() - w / 2, c.y() + h / 2);
      tri.lineTo(c.x() + w / 2, c.y() + h / 2);
      tri.lineTo(c.x(), c.y() - h / 2);
    } else {
      tri.moveTo(c.x() - w / 2, c.y() - h / 2);
      tri.lineTo(c.x() + w / 2, c.y() - h / 2);
      tri.lineTo(c.x(), c.y() + h / 2);
    }
    tri.closeSubpath();
    p.drawPath(tri);
    return;
  }
  if (look.glyph == FaceGlyph::kBackspace) {
    const double h = qMin(area.height() * 0.62, 13.0);
    const double w = h * 1.55;
    const QPointF c = area.center();
    const double left = c.x() - w / 2, top = c.y() - h / 2;
    QPainterPath shape;
    shape.moveTo(left, c.y());
    shape.lineTo(left + h * 0.5, top);
    shape.lineTo(left + w, top);
    shape.lineTo(left + w, top + h);
    shape.lineTo(left + h * 0.5, top + h);
    shape.closeSubpath();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);
    const double cx = left + h * 0.5 + (w - h * 0.5) / 2, d = h * 0.2;
    p.drawLine(QPointF(cx - d, c.y() - d), QPointF(cx + d, c.y() + d));
    p.drawLine(QPointF(cx - d, c.y() + d), QPointF(cx + d, c.y() - d));
    return;
  }

  const TextLayout layout = LayOutText(key, area, pal);
  const double pixels = layout.pixels;
  const QFont main = LabelFont(pixels, pal.bold);
  const QFontMetricsF fm(main);
  const QString label = QString::fromUtf8(look.label);
  double x = layout.left;
  const double baseline = layout.baseline;

  p.setPen(ink);
  p.setFont(main);
  if (look.glyph == FaceGlyph::kSquareRoot) {
    const double rootWidth = pixels * 0.75;
    const double xHeight = fm.xHeight() > 0 ? fm.xHeight() : pixels * 0.5;
    const double top = baseline - xHeight - pixels * 0.22;
    QPainterPath root;
    root.moveTo(x, baseline - xHeight * 0.45);
    root.lineTo(x + rootWidth * 0.25, baseline - xHeight * 0.6);
    root.lineTo(x + rootWidth * 0.55, baseline + 0.5);
    root.lineTo(x + rootWidth * 0.95, top);
    root.lineTo(x + rootWidth + fm.horizontalAdvance(label) + 1, top);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, pal.bold ? 1.3 : 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(root);
    p.restore();
    x += rootWidth;
  }
  p.drawText(QPointF(x, baseline), label);
  if (look.small != nullptr) {
    p.setFont(layout.small);
    p.drawText(layout.smallAt, QString::fromUtf8(look.small));
  }
}

QPixmap PaintFace(const KeyDef& key, Look lookKind, qreal dpr, const ThemeColours& colours, int zoom) {
  // Painted in the key's own pixels, scaled onto its place at the zoom.
  const QSize size = Zoomed(QRect(key.x, key.y, key.width, key.height), zoom).size();
  QPixmap pix(size * dpr);
  pix.setDevicePixelRatio(dpr);
  pix.fill(QColor(colours.window));
  QPainter p(&pix);
  if (zoom != 100) p.scale(double(size.width()) / key.width, double(size.height()) / key.height);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const Palette pal = PaletteOf(key.look.tone);
  const FaceColours face = FaceColoursOf(colours, key.look.tone, lookKind);
  const QRectF full(0, 0, key.width, key.height);

  if (key.look.tone == KeyTone::kLineLabel) {
    // Looks like the T, Z and Y labels; pushed in, it shows a sunken edge.
    QRectF area = full;
    if (lookKind == Look::kPressed) {
      p.setPen(QColor(colours.edgeShadow));
      p.drawLine(QPointF(0.5, 0.5), QPointF(key.width - 0.5, 0.5));
      p.drawLine(QPointF(0.5, 0.5), QPointF(0.5, key.height - 0.5));
      p.setPen(QColor(colours.edgeLight));
      p.drawLine(QPointF(0.5, key.height - 0.5), QPointF(key.width - 0.5, key.height - 0.5));
      p.drawLine(QPointF(key.width - 0.5, 0.5), QPointF(key.width - 0.5, key.height - 0.5));
      area.translate(1, 1);
    }
    p.setFont(LineLabelFont());
    p.setPen(face.ink);
    p.drawText(area, Qt::AlignCenter, QString::fromUtf8(key.look.label));
    return pix;
  }

  const bool small = key.height <= 11;
  const double lip = small ? 1.0 : 2.0;
  const double radius = small ? 2.0 : 3.5;
  const bool pressed = lookKind == Look::kPressed;
  const bool disabled = lookKind == Look::kDisabled;

  const QColor top = face.top, bottom = face.bottom, border = face.border;

  // The whole key (top and lip), then the key top over it.
  const QRectF outer = full.adjusted(0.5, 0.5, -0.5, -0.5);
  p.setPen(QPen(border, 1.0));
  p.setBrush(bottom.darker(disabled ? 108 : 125));
  p.drawRoundedRect(outer, radius, radius);

  const QRectF topFace = TopFace(key, pressed);
  QLinearGradient g(topFace.topLeft(), topFace.bottomLeft());
  g.setColorAt(0, pressed ? bottom : top);
  g.setColorAt(1, pressed ? top : bottom);
  p.setBrush(g);
  p.drawRoundedRect(topFace, radius, radius);

  // A thin highlight along the upper edge of a raised key.
  if (!pressed && !small) {
    QColor shine(255, 255, 255, disabled ? 60 : 110);
    p.setPen(QPen(shine, 1.0));
    p.drawLine(QPointF(topFace.left() + radius, topFace.top() + 1.0),
               QPointF(topFace.right() - radius, topFace.top() + 1.0));
  }

  QRectF area = topFace;
  if (pressed) area.translate(0, lip * 0.25);
  DrawLabel(p, key, area, pal, face.ink);
  return pix;
}

}  // namespace

QPixmap PaintKeyFace(const KeyDef& key, FaceLook look, qreal dpr, const ThemeColours& colours, int zoomPercent) {
  if (look == FaceLook::kDisabled && !key.hasDisabledFace) return QPixmap();
  return PaintFace(key, look, dpr, colours, zoomPercent);
}

QRectF SuperscriptInk(const KeyDef& key) {
  const KeyFaceLook& look = key.look;
  if (look.small == nullptr || look.glyph != FaceGlyph::kText) return {};
  const TextLayout layout = LayOutText(key, TopFace(key, false), PaletteOf(look.tone));
  return QFontMetricsF(layout.small).tightBoundingRect(QString::fromUtf8(look.small)).translated(layout.smallAt);
}

namespace {

constexpr int kIconSides[] = {16, 24, 32, 48, 64, 128};

// The icon on a transparent square of `side` pixels.
QPixmap PaintAppIcon(int side) {
  QPixmap pix(side, side);
  pix.fill(Qt::transparent);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = side / 32.0;
  p.setPen(QPen(QColor(40, 44, 52), 1.2 * s));
  QLinearGradient body(0, 0, 0, side);
  body.setColorAt(0, QColor(104, 110, 122));
  body.setColorAt(1, QColor(58, 62, 70));
  p.setBrush(body);
  p.drawRoundedRect(QRectF(3 * s, 1 * s, 26 * s, 30 * s), 4 * s, 4 * s);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(214, 226, 200));
  p.drawRoundedRect(QRectF(6 * s, 4 * s, 20 * s, 8 * s), 1.5 * s, 1.5 * s);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const bool enter = r == 2 && c == 2;
      p.setBrush(enter ? QColor(86, 130, 200) : QColor(236, 233, 224));
      p.drawRoundedRect(QRectF((6 + c * 7) * s, (15 + r * 5.2) * s, 5.5 * s, 3.8 * s), 1 * s, 1 * s);
    }
  }
  return pix;
}

// The window's icon, painted each time it is asked for at one of its
// sizes: the window system takes a copy, and the program keeps no image.
class WindowIconEngine : public QIconEngine {
 public:
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
    painter->drawPixmap(rect, PaintAppIcon(std::min(rect.width(), rect.height())));
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    return PaintAppIcon(std::min(size.width(), size.height()));
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (int side : kIconSides) sizes.append(QSize(side, side));
    return sizes;
  }
  QIconEngine* clone() const override { return new WindowIconEngine; }
};

}  // namespace

QIcon AppIcon() {
  QIcon icon;
  for (int side : kIconSides) icon.addPixmap(PaintAppIcon(side));
  return icon;
}

QIcon WindowIcon() { return QIcon(new WindowIconEngine); }

}  // namespace vxc::ui
