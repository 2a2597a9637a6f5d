// The display draws every text whole: the widest text each mode can put
// into the eight boxes of the four lines, the digit-count boxes and the
// labels, rendered with the preferred face and with the fallback faces.
// What is drawn must hold every character and its ink must stay inside the
// box's text area, at 100% and at 200%, where a text is twice as large.
#include <QFontMetricsF>
#include <QImage>

#include "fonts.h"
#include "text_fit.h"
#include "window_test_support.h"
#include "zoom_layout.h"

namespace vxc::ui {
namespace {

// A case of tests/cases/display_fit.txt: the modes, the digit count, and
// the texts T Z Y X, the entry, the exponent and the error.
struct FitCase {
  std::string what;
  uint32_t base = 0, range = 0, display = 0;
  int digits = 0;
  QStringList texts;
};

std::vector<FitCase> LoadCases() {
  std::vector<FitCase> cases;
  QFile file(QStringLiteral(VXC_CASES_DIR "/display_fit.txt"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    if (line.startsWith(QLatin1Char('#'))) continue;
    QStringList fields = line.split(QStringLiteral(" | "));
    FitCase& c = cases.emplace_back();
    c.what = fields.takeFirst().toStdString();
    for (const QString& word : fields.takeFirst().split(QLatin1Char(' '))) {
      const ActionName* mode = FindActionToken(word.toStdString());
      const ActionKind kind = mode ? mode->action.kind : ActionKind::kCommand;
      if (kind == ActionKind::kCommand) c.digits = word.toInt();  // not a mode: the digit count
      else (kind == ActionKind::kBase ? c.base : kind == ActionKind::kRange ? c.range : c.display) = mode->action.value;
    }
    c.texts = fields + QStringList(7 - fields.size(), QString());
  }
  EXPECT_GT(cases.size(), 10u);
  return cases;
}

// -1e-99, whose entry is too long even at the floor.
const QString kMinNeg = QStringLiteral("-0.") + QString(98, QLatin1Char('0')) + QStringLiteral("1");

// Pixels drawn by the text (black, or red for an error): clearly darker than the panel behind it.
bool IsInk(QRgb pixel) { return qGray(pixel) < 150; }

// A window at the zoom, drawing with the face.
class DisplayFitTest : public testing_window::WindowFixture,
                       public ::testing::WithParamInterface<std::tuple<FaceChoice, int>> {
 protected:
  void SetUp() override {
    if (face_ == FaceChoice::kPreferred && !QFile::exists(QString::fromLatin1(kPreferredFaceFile)))
      GTEST_SKIP() << kPreferredFaceFile << " is missing (Debian package fonts-wine)";
    WindowFixture::SetUp();
    ChooseFace(face_);
    EXPECT_EQ(PreferredFaceInUse(), face_ == FaceChoice::kPreferred);
    WriteIni("[Option]\nZoom=" + QByteArray::number(zoom_));
    Reopen();
  }
  void TearDown() override {
    window_.reset();
    ChooseFace(FaceChoice::kPreferred);
  }

  static void Show(MainWindow& w, const FitCase& c) {
    CalcState& s = w.engine().state;
    s.base = c.base, s.range = c.range, s.display = c.display;
    s.digits = {c.digits, c.digits, c.digits};
    const auto text = [&c](int i) { return c.texts[i].toStdString(); };
    s.stackT = text(0), s.stackZ = text(1), s.stackY = text(2), s.stackX = text(3);
    s.entryText = text(4), s.exponentText = text(5), s.entryTyped = !c.texts[4].isEmpty();
    s.errorText = text(6), s.errorShown = !c.texts[6].isEmpty();
    MarkDisplayStale(w.engine());
    w.RunCommand(0);  // no command: only shows the display anew
    QApplication::processEvents();
  }

  // The box draws its whole text, at the floor size or larger, inside its text area.
  void ExpectWhole(DisplayBox* box, const std::string& what) const {
    const std::string where = what + ": \"" + box->text().toStdString() + "\"";
    const QImage image = box->grab().toImage();  // paints the box
    const FittedText drawn = box->lastDrawn();
    const QRect area = box->TextArea();
    EXPECT_EQ(drawn.text, box->text()) << where;
    if (box->text().isEmpty()) return;
    EXPECT_TRUE(drawn.whole) << where;
    EXPECT_GE(drawn.cellPixels, kFloorFontPixels) << where;
    EXPECT_LE(QFontMetricsF(drawn.font).horizontalAdvance(drawn.text), area.width()) << where;
    const QRect ink = InkOf(image, zoom_);
    EXPECT_FALSE(ink.isEmpty()) << where;
    EXPECT_TRUE(area.contains(ink)) << where << ": ink " << ink.x() << ".." << ink.right()
                                                           << ", area " << area.x() << ".." << area.right();
  }

  // The ink inside the sunken edge.
  static QRect InkOf(const QImage& image, int zoom) {
    const int edge = Zoomed(2, zoom);
    return testing_window::InkIn(image, image.rect().adjusted(edge, edge, -edge, -edge), IsInk);
  }

  const FaceChoice face_ = std::get<0>(GetParam());
  const int zoom_ = std::get<1>(GetParam());
};

// Exponents of every width, "-34" to "-792", and digit counts "0" to "32".
TEST_P(DisplayFitTest, EveryLineAndDigitCountOfEveryModeIsDrawnWhole) {
  const std::vector<FitCase> cases = LoadCases();
  for (const FitCase& c : cases) {
    Show(*window_, c);
    for (int line = 0; line < 4; ++line) {
      const std::string where = c.what + ", line " + "TZYX"[line];
      ExpectWhole(window_->valueBox(line), where + " (value)");
      ExpectWhole(window_->exponentBox(line), where + " (exponent)");
    }
    if (c.base != kBaseReal) continue;
    for (int i = 0; i < 3; ++i) ExpectWhole(window_->digitBox(i), c.what + ", digit count");
    EXPECT_EQ(window_->digitBox(0)->text(), QString::number(c.digits)) << c.what;
  }
  if (zoom_ != 200) return;
  // At 200% a FIX 32 line takes the size it takes at 100%, doubled.
  const auto at100 = std::make_unique<MainWindow>(dir_.path().toStdString() + "/none.ini");  // 100%: the default
  at100->show();
  for (MainWindow* w : {window_.get(), at100.get()}) Show(*w, cases[0]);
  DisplayBox *large = window_->valueBox(kLineX), *small = at100->valueBox(kLineX);
  const QRect largeInk = InkOf(large->grab().toImage(), 200), smallInk = InkOf(small->grab().toImage(), 100);
  EXPECT_EQ(large->lastDrawn().cellPixels, small->lastDrawn().cellPixels);
  EXPECT_EQ(large->lastDrawn().font.pixelSize(), 2 * small->lastDrawn().font.pixelSize());
  EXPECT_NEAR(largeInk.width(), 2 * smallInk.width(), 4);
  EXPECT_NEAR(largeInk.height(), 2 * smallInk.height(), 2);
}

TEST_P(DisplayFitTest, PastTheFloorTheLowDigitsStay) {
  // +/- on 1e-99 makes an entry of 102 characters: too long even at the floor.
  Show(*window_, {"entry", kBaseReal, kRangeQW, kDisplayFix, 2, {"0", "0", "0", "0", kMinNeg, "", ""}});
  DisplayBox* x = window_->valueBox(kLineX);
  x->grab();
  const FittedText fitted = x->lastDrawn();
  EXPECT_EQ(x->text(), kMinNeg);  // kept whole for Copy
  EXPECT_FALSE(fitted.whole);
  EXPECT_EQ(fitted.cellPixels, kFloorFontPixels);
  EXPECT_TRUE(fitted.text.startsWith(QChar(0x2026)));  // "…" at the left
  EXPECT_TRUE(fitted.text.endsWith(QStringLiteral("00001")));
  EXPECT_LE(QFontMetricsF(fitted.font).horizontalAdvance(fitted.text), x->TextArea().width());
}

// Past the floor: PastTheFloorTheLowDigitsStay.
TEST(FitText, ShrinksOnlyWhatDoesNotFit) {
  const QString digits(40, QChar('8'));
  const FittedText wide = FitText(digits, 24, 10000);
  EXPECT_EQ(wide.cellPixels, 24);
  EXPECT_TRUE(wide.whole);
  const int at24 = qCeil(QFontMetricsF(CellFont(24)).horizontalAdvance(digits));
  const FittedText smaller = FitText(digits, 24, at24 - 20);
  EXPECT_LT(smaller.cellPixels, 24);
  EXPECT_GE(smaller.cellPixels, kFloorFontPixels);
  EXPECT_TRUE(smaller.whole);
  // One size up would not have fitted: the largest size that fits is taken.
  EXPECT_GT(QFontMetricsF(CellFont(smaller.cellPixels + 1)).horizontalAdvance(digits), at24 - 20);
  EXPECT_EQ(FitText(QString(), 24, 0).text, QString());
}

INSTANTIATE_TEST_SUITE_P(Faces, DisplayFitTest,
                         ::testing::Combine(::testing::Values(FaceChoice::kPreferred, FaceChoice::kFallback),
                                            ::testing::Values(100, 200)),
                         [](const ::testing::TestParamInfo<std::tuple<FaceChoice, int>>& info) {
                           return std::string(std::get<0>(info.param) == FaceChoice::kPreferred ? "Tahoma" : "Fallback") +
                                  std::to_string(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace vxc::ui

int main(int argc, char** argv) { return vxc::ui::testing_window::RunWindowTests(argc, argv); }
