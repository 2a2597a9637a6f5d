// The display draws every text whole: the widest text each mode can put
// into the eight boxes of the four lines, the digit-count boxes and the
// labels, rendered with the preferred face and with the fallback faces.
// What is drawn must hold every character and its ink must stay inside the
// box's text area, at 100% and at 200%, where a text is twice as large.
#include <QFontMetricsF>
#include <QImage>
#include <string>

#include "display_box.h"
#include "fonts.h"
#include "text_fit.h"
#include "window_test_support.h"
#include "zoom_layout.h"

namespace vxc::ui {
namespace {

struct FitCase {
  const char* what;
  uint32_t base, range, display;
  int digits;
  const char *t, *z, *y, *x;
  const char* entry = "";     // typed into X (shown as typed)
  const char* exponent = "";  // typed after EEX
  const char* error = "";     // shown in X instead
};

// The largest magnitude below the overflow limit, with all 77 digits.
constexpr const char* kMaxNeg =
    "-99999999999999999999999999999999.999999999999999999999999999999999999999999999";
constexpr const char* kMaxPos = "99999999999999999999999999999999.4999999999999999999999999999999999999999999";
constexpr const char* kMinNeg = "-0.0000000000000000000000000000000000000000000000000000000000000000000000000"
                                "00000000000000000000000001";  // -1e-99
constexpr const char* kThird = "-0.3333333333333333333333333333333333333333333333333333333333333333333333333333";

// clang-format off
const FitCase kCases[] = {
  {"FIX 32 at the range edges", kBaseReal, kRangeQW, kDisplayFix, 32, kMaxNeg, kMinNeg, kMaxPos, kMaxNeg},
  {"FIX 0 at the range edges", kBaseReal, kRangeQW, kDisplayFix, 0, kMaxNeg, kMinNeg, kMaxPos, kMaxNeg},
  {"SCI 32, exponents beyond -99", kBaseReal, kRangeQW, kDisplaySci, 32, kMaxNeg, "-1.5e-100", "-7.77e-792", kMinNeg},
  {"SCI 0", kBaseReal, kRangeQW, kDisplaySci, 0, kMaxNeg, "-1.5e-100", kMinNeg, "-6.626e-34"},
  {"ENG 32, exponents beyond -99", kBaseReal, kRangeQW, kDisplayEng, 32, kMaxNeg, "-1.5e-100", "-7.77e-792", kMinNeg},
  {"a REAL entry of every digit", kBaseReal, kRangeQW, kDisplayFix, 32, kMaxNeg, kMaxNeg, kMaxNeg, "0", kThird},
  {"a REAL entry with an exponent", kBaseReal, kRangeQW, kDisplayEng, 32, kMaxNeg, kMaxNeg, kMaxNeg, "0",
   "-99999999999999999999999999999999.", "-99"},
  {"BIN QW", kBaseBin, kRangeQW, kDisplayFix, 2, "18446744073709551615", "-1", "9223372036854775808", "0",
   "1111111111111111111111111111111111111111111111111111111111111111"},
  {"BIN B", kBaseBin, kRangeB, kDisplayFix, 2, "255", "-1", "128", "255"},
  {"OCT QW", kBaseOct, kRangeQW, kDisplayFix, 2, "18446744073709551615", "-1", "1", "0", "1777777777777777777777"},
  {"DEC QW", kBaseDec, kRangeQW, kDisplayFix, 2, "-9223372036854775808", "9223372036854775807", "-1", "0",
   "-9223372036854775808"},
  {"DEC DW", kBaseDec, kRangeDW, kDisplayFix, 2, "-2147483648", "2147483647", "-1", "-2147483648"},
  {"HEX QW", kBaseHex, kRangeQW, kDisplayFix, 2, "18446744073709551615", "-1", "0", "0", "FFFFFFFFFFFFFFFF"},
  {"Overflow", kBaseReal, kRangeQW, kDisplayFix, 32, kMaxNeg, kMaxNeg, kMaxNeg, "0", "", "", "Overflow !"},
  {"Devide by zero", kBaseReal, kRangeQW, kDisplayFix, 32, kMaxNeg, kMaxNeg, kMaxNeg, "0", "", "", "Devide by zero !"},
  {"Upper than 1", kBaseReal, kRangeQW, kDisplaySci, 32, kMaxNeg, kMaxNeg, kMaxNeg, "0", "", "", "Upper than 1 !"},
  {"Minus or zero", kBaseReal, kRangeQW, kDisplayEng, 32, kMaxNeg, kMaxNeg, kMaxNeg, "0", "", "", "Minus or zero !"},
  {"Not Integer", kBaseDec, kRangeQW, kDisplayFix, 2, "-9223372036854775808", "1", "1", "0", "", "", "Not Integer !"},
};
// clang-format on

// Pixels drawn by the text (black, or red for an error): clearly darker than the panel behind it.
bool IsInk(QRgb pixel) { return qGray(pixel) < 150; }

class DisplayFitTest : public ::testing::TestWithParam<std::tuple<FaceChoice, int>> {
 protected:
  void SetUp() override {
    if (face_ == FaceChoice::kPreferred && !QFile::exists(QString::fromLatin1(kPreferredFaceFile)))
      GTEST_SKIP() << kPreferredFaceFile << " is missing (Debian package fonts-wine)";
    ASSERT_TRUE(dir_.isValid());
    ChooseFace(face_);
    EXPECT_EQ(PreferredFaceInUse(), face_ == FaceChoice::kPreferred);
    window_ = Open(zoom_);
  }
  std::unique_ptr<MainWindow> Open(int zoom) {
    const QString ini = dir_.path() + QStringLiteral("/%1.ini").arg(zoom);
    { QFile f(ini); EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write("[Option]\nZoom=" + QByteArray::number(zoom)) > 0); }
    auto window = std::make_unique<MainWindow>(ini.toStdString());
    window->show();
    return window;
  }
  void TearDown() override {
    window_.reset();
    ChooseFace(FaceChoice::kPreferred);
  }

  static void Show(MainWindow& w, const FitCase& c) {
    CalcState& s = w.engine().state;
    s.base = c.base, s.range = c.range, s.display = c.display;
    s.digits = {c.digits, c.digits, c.digits};
    s.stackT = c.t, s.stackZ = c.z, s.stackY = c.y, s.stackX = c.x;
    s.entryText = c.entry, s.exponentText = c.exponent, s.entryTyped = *c.entry != '\0';
    s.errorText = c.error, s.errorShown = *c.error != '\0';
    MarkDisplayStale(w.engine());
    w.RunCommand(0);  // no command: only shows the display anew
    QApplication::processEvents();
  }

  // The box draws its whole text, at the floor size or larger, inside its text area.
  void ExpectWhole(DisplayBox* box, const std::string& where) const {
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
    QRect ink;
    for (int y = edge; y < image.height() - edge; ++y)
      for (int x = edge; x < image.width() - edge; ++x)
        if (IsInk(image.pixel(x, y))) ink |= QRect(x, y, 1, 1);
    return ink;
  }

  const FaceChoice face_ = std::get<0>(GetParam());
  const int zoom_ = std::get<1>(GetParam());
  QTemporaryDir dir_;
  std::unique_ptr<MainWindow> window_;
};

// Exponents of every width, "-34" to "-792", and digit counts "0" to "32".
TEST_P(DisplayFitTest, EveryLineAndDigitCountOfEveryModeIsDrawnWhole) {
  static const char* const kLines[4] = {"T", "Z", "Y", "X"};
  for (const FitCase& c : kCases) {
    Show(*window_, c);
    for (int line = 0; line < 4; ++line) {
      const std::string where = std::string(c.what) + ", line " + kLines[line] + ": \"" +
                                window_->valueBox(line)->text().toStdString() + "\" \"" +
                                window_->exponentBox(line)->text().toStdString() + "\"";
      ExpectWhole(window_->valueBox(line), where + " (value)");
      ExpectWhole(window_->exponentBox(line), where + " (exponent)");
    }
    if (c.base != kBaseReal) continue;
    for (int i = 0; i < 3; ++i) ExpectWhole(window_->digitBox(i), std::string(c.what) + ", digit count");
    EXPECT_EQ(window_->digitBox(0)->text(), QString::number(c.digits)) << c.what;
  }
  if (zoom_ != 200) return;
  // At 200% a FIX 32 line takes the size it takes at 100%, doubled.
  const std::unique_ptr<MainWindow> at100 = Open(100);
  for (MainWindow* w : {window_.get(), at100.get()}) Show(*w, kCases[0]);
  DisplayBox *large = window_->valueBox(kLineX), *small = at100->valueBox(kLineX);
  const QRect largeInk = InkOf(large->grab().toImage(), 200), smallInk = InkOf(small->grab().toImage(), 100);
  EXPECT_EQ(large->lastDrawn().cellPixels, small->lastDrawn().cellPixels);
  EXPECT_EQ(large->lastDrawn().font.pixelSize(), 2 * small->lastDrawn().font.pixelSize());
  EXPECT_NEAR(largeInk.width(), 2 * smallInk.width(), 4);
  EXPECT_NEAR(largeInk.height(), 2 * smallInk.height(), 2);
}

TEST_P(DisplayFitTest, PastTheFloorTheLowDigitsStay) {
  // +/- on 1e-99 makes an entry of 102 characters: too long even at the floor.
  Show(*window_, {"entry", kBaseReal, kRangeQW, kDisplayFix, 2, "0", "0", "0", "0", kMinNeg});
  DisplayBox* x = window_->valueBox(kLineX);
  x->grab();
  const FittedText fitted = x->lastDrawn();
  EXPECT_EQ(x->text(), QString::fromLatin1(kMinNeg));  // kept whole for Copy
  EXPECT_FALSE(fitted.whole);
  EXPECT_EQ(fitted.cellPixels, kFloorFontPixels);
  EXPECT_TRUE(fitted.text.startsWith(QChar(0x2026)));  // "…" at the left
  EXPECT_TRUE(fitted.text.endsWith(QStringLiteral("00001")));
  EXPECT_LE(QFontMetricsF(fitted.font).horizontalAdvance(fitted.text), x->TextArea().width());
}

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
  const FittedText none = FitText(digits, 24, 3);
  EXPECT_FALSE(none.whole);
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
