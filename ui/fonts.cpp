#include "fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QRawFont>
#include <QStringList>

namespace vxc::ui {

namespace {

// Where Tahoma is missing, a condensed face comes closest to its width, so
// the captions fit their buttons and long numbers their boxes.
QStringList FallbackFamilies() {
  return {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
          QStringLiteral("Arial")};
}

struct FaceState {
  bool chosen = false;
  bool preferred = false;  // a face with Tahoma's metrics is first in `families`
  QStringList families;
  QHash<int, QFont> cells;  // fonts are made once per cell height and kept
  QHash<int, QFont> zoomedCells;  // and per zoom, keyed pixels * 1024 + percent
};

FaceState& Face() {
  static FaceState state;
  return state;
}

// The family name of the face in `file`, loaded into the application once.
QString LoadFaceFile(const QString& file) {
  static QHash<QString, QString> loaded;
  auto found = loaded.constFind(file);
  if (found != loaded.constEnd()) return *found;
  const int id = QFontDatabase::addApplicationFont(file);
  const QStringList names = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
  const QString family = names.value(0);
  loaded.insert(file, family);
  return family;
}

uint16_t BigEndian16(const QByteArray& table, int at) {
  return uint16_t((uint8_t(table[at]) << 8) | uint8_t(table[at + 1]));
}

// The cell height per pixel of em, as the window's layout measures it: the
// face's Windows ascent plus descent (the OS/2 table), which is what a cell
// height means there. Faces without that table use Qt's own metrics.
double CellPerEm(const QFont& font) {
  const QRawFont raw = QRawFont::fromFont(font);
  const QByteArray os2 = raw.fontTable("OS/2");
  const QByteArray head = raw.fontTable("head");
  if (os2.size() >= 78 && head.size() >= 20) {
    const int unitsPerEm = BigEndian16(head, 18);
    const int cell = BigEndian16(os2, 74) + BigEndian16(os2, 76);  // usWinAscent + usWinDescent
    if (unitsPerEm > 0 && cell > 0) return double(cell) / unitsPerEm;
  }
  const QFontMetricsF fm(font);
  return font.pixelSize() > 0 ? (fm.ascent() + fm.descent()) / font.pixelSize() : 0;
}

const FaceState& ChosenFace() {
  if (!Face().chosen) ChooseFace(FaceChoice::kPreferred);
  return Face();
}

}  // namespace

void ChooseFace(FaceChoice choice, const QString& preferredFile) {
  FaceState& state = Face();
  state = FaceState{};
  state.chosen = true;
  state.families = FallbackFamilies();
  if (choice == FaceChoice::kFallback) return;
  const QString file = preferredFile.isEmpty() ? QString::fromLatin1(kPreferredFaceFile) : preferredFile;
  QString family = LoadFaceFile(file);
  if (family.isEmpty() && QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) family = QStringLiteral("Tahoma");
  if (family.isEmpty()) return;
  state.families.prepend(family);
  state.preferred = true;
}

bool PreferredFaceInUse() { return ChosenFace().preferred; }

QFont SansFont() {
  QFont f;
  f.setFamilies(ChosenFace().families);
  f.setStyleHint(QFont::SansSerif);
  f.setWeight(QFont::Normal);
  return f;
}

QFont CellFont(int pixels) {
  ChosenFace();
  QHash<int, QFont>& cells = Face().cells;
  auto found = cells.constFind(pixels);
  if (found != cells.constEnd()) return *found;
  QFont f = SansFont();
  f.setPixelSize(pixels);
  const double cellPerEm = CellPerEm(f);
  if (cellPerEm > 0) f.setPixelSize(qMax(1, qRound(pixels / cellPerEm)));
  cells.insert(pixels, f);
  return f;
}

QFont CellFont(int pixels, int zoomPercent) {
  if (zoomPercent == 100) return CellFont(pixels);
  QHash<int, QFont>& zoomed = Face().zoomedCells;
  const int key = pixels * 1024 + zoomPercent;
  auto found = zoomed.constFind(key);
  if (found != zoomed.constEnd()) return *found;
  QFont f = CellFont(pixels);
  f.setPixelSize(qMax(1, (f.pixelSize() * zoomPercent + 50) / 100));
  zoomed.insert(key, f);
  return f;
}

QFont LineLabelFont() { return CellFont(kLabelFontPixels); }

}  // namespace vxc::ui
