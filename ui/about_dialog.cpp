#include "about_dialog.h"

#include <gmp.h>
#include <mpfr.h>

#include <QDialog>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>

#include "group_frame.h"
#include "key_faces.h"

namespace vxc::ui {
namespace {

// The layout is drawn up in dialog units of a 9-point "Tahoma":
// x units are a quarter of the average character width, y units an eighth
// of the character height.
struct DialogUnits {
  double x, y;
  QRect Rect(int left, int top, int width, int height) const {
    return QRect(qRound(left * x), qRound(top * y), qRound(width * x), qRound(height * y));
  }
};

DialogUnits UnitsOf(const QFont& font) {
  const QFontMetricsF fm(font);
  const double average =
      fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0;
  return {average / 4.0, fm.height() / 8.0};
}

QLabel* AddText(QDialog* dialog, const DialogUnits& du, const QString& text, QRect place) {
  auto* label = new QLabel(text, dialog);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(place);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(place.height() > qRound(12 * du.y));
  return label;
}

}  // namespace

QString ProductLine() {
  return QString::fromUtf8(kProductName) + QStringLiteral(" , Version ") + QString::fromUtf8(kProductVersion);
}

QString NumberLibraryCredit() {
  return QStringLiteral("GNU MPFR %1 and GNU GMP %2 - multiple-precision arithmetic libraries, "
                        "by the MPFR and GMP developers")
      .arg(QString::fromLatin1(mpfr_get_version()), QString::fromLatin1(gmp_version));
}

QDialog* CreateAboutDialog(QWidget* owner) {
  auto* box = new QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  QDialog& dialog = *box;
  dialog.setAttribute(Qt::WA_DeleteOnClose);
  dialog.setWindowTitle(QStringLiteral("About VXC32"));
  QFont font;
  font.setFamilies({QStringLiteral("Tahoma")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(9);
  dialog.setFont(font);
  const DialogUnits du = UnitsOf(font);
  dialog.setFixedSize(du.Rect(0, 0, 233, 120).size());

  auto* icon = new QLabel(&dialog);
  const QRect iconPlace = du.Rect(14, 14, 18, 21);
  icon->setGeometry(iconPlace);
  const int side = qMin(iconPlace.width(), iconPlace.height());
  icon->setPixmap(AppIcon().pixmap(QSize(side, side), dialog.devicePixelRatioF()));
  icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  AddText(&dialog, du, ProductLine(), du.Rect(42, 14, 176, 8));
  AddText(&dialog, du, QString::fromUtf8(kLegalNotice), du.Rect(42, 26, 146, 8));

  auto* thanks = new GroupFrame(QStringLiteral("Special thanks"), &dialog);
  thanks->setGeometry(du.Rect(14, 40, 210, 50));
  AddText(&dialog, du, QStringLiteral("To the pocket RPN calculators that came first"),
          du.Rect(20, 50, 190, 10));
  AddText(&dialog, du, NumberLibraryCredit(), du.Rect(20, 60, 190, 20));

  auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setGeometry(du.Rect(176, 99, 50, 14));
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  return box;
}

void RunAboutDialog(QWidget* owner) { CreateAboutDialog(owner)->exec(); }

}  // namespace vxc::ui
