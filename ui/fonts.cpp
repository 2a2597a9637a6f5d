#include "fonts.h"

#include <QFontMetricsF>
#include <QHash>

namespace vxc::ui {

QFont SansFont() {
  QFont f;
  f.setFamilies({QStringLiteral("Tahoma")});
  f.setStyleHint(QFont::SansSerif);
  f.setWeight(QFont::Normal);
  return f;
}

QFont CellFont(int pixels) {
  static QHash<int, QFont> cache;  // fonts are made once and kept
  auto found = cache.constFind(pixels);
  if (found != cache.constEnd()) return *found;
  // Where "Tahoma" is missing, a condensed face comes closest to its width,
  // so the captions fit their buttons and long numbers their boxes.
  QFont f = SansFont();
  f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
                 QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial")});
  f.setPixelSize(pixels);
  const QFontMetricsF fm(f);
  const double cell = fm.ascent() + fm.descent();
  if (cell > 0) f.setPixelSize(qMax(1, qRound(pixels * pixels / cell)));
  cache.insert(pixels, f);
  return f;
}

QFont LineLabelFont() { return CellFont(kLabelFontPixels); }

}  // namespace vxc::ui
