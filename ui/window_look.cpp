// Option > Zoom and Option > Theme: the window drawn at the zoom and in the
// colours the state asks for.
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QToolTip>

#include "keypad.h"
#include "main_window.h"
#include "x_panel.h"

namespace vxc::ui {

bool MainWindow::RunLookCommand(CommandId id) {
  CalcState& s = engine_.state;
  switch (id) {
    case cmd::kZoomIn: s.zoom = ZoomStep(s.zoom, 1); break;
    case cmd::kZoomOut: s.zoom = ZoomStep(s.zoom, -1); break;
    case cmd::kZoomReset: s.zoom = kZoomMin; break;
    case cmd::kThemeLight:
    case cmd::kThemeDark:
    case cmd::kThemeSystem: s.theme = id - cmd::kThemeLight; break;
    default: return false;
  }
  ApplyLook();
  ApplyMenuMarks(menuBar(), CurrentMenuMarks());
  return true;
}

void MainWindow::ApplyLook() {
  const CalcState& s = engine_.state;
  const ThemeColours* colours = &ColoursFor(s.theme, DesktopIsDark());
  const int zoom = int(NearestZoom(s.zoom));
  if (colours != look_.colours || palette().color(QPalette::Window) != QColor(colours->window)) {
    const QPalette themed = ThemePalette(*colours, QGuiApplication::palette());
    setPalette(themed);
    if (colours->wholePalette || look_.colours->wholePalette) QToolTip::setPalette(themed);
    look_.colours = colours;
    update();
    calcArea()->update();
  }
  if (zoom == look_.zoom && zoom == zoom_.percent()) return;
  const QRect before = frameGeometry();
  look_.zoom = zoom;
  zoom_.Apply(zoom);
  PlaceKeys(keypad_);
  if (xPanel_ != nullptr) xPanel_->ApplyLook();
  ApplyPanes();  // the area's size at the zoom
  calcArea()->update();
  if (!isVisible()) return;
  // The window grows from its top left corner; what would leave the screen moves back onto it.
  layout()->activate();
  QScreen* on = QGuiApplication::screenAt(before.center());
  if (on == nullptr) on = screen();
  const QRect grown(before.topLeft(), frameGeometry().size());
  if (on != nullptr && grown.width() > before.width()) move(KeepOnScreen(grown, on->availableGeometry()));
}

}  // namespace vxc::ui
