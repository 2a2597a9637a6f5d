#include "theme.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

namespace vxc::ui {
namespace {

constexpr QRgb Grey(int v) { return qRgb(v, v, v); }

// clang-format off
constexpr ThemeColours kLight = {
  qRgb(212, 208, 200), Grey(0), Grey(128), qRgb(255, 0, 0), Grey(0),
  Grey(128), Grey(255), Grey(64),
  qRgb(150, 146, 138),
  Grey(255), Grey(0),
  Grey(0), Grey(112), Grey(192), Grey(80),
  Grey(64), Grey(255),
  {{
    {qRgb(212, 208, 200), qRgb(212, 208, 200), Grey(128), Grey(0)},          // line label
    {qRgb(96, 102, 112), qRgb(58, 62, 70), qRgb(34, 36, 41), Grey(250)},     // function
    {qRgb(88, 106, 135), qRgb(54, 68, 92), qRgb(30, 38, 54), Grey(250)},     // bitwise
    {qRgb(246, 242, 228), qRgb(218, 211, 190), qRgb(128, 122, 104), Grey(28)},  // hex digit
    {qRgb(252, 251, 247), qRgb(226, 223, 213), qRgb(132, 128, 118), Grey(24)},  // digit
    {qRgb(222, 228, 236), qRgb(184, 194, 208), qRgb(104, 114, 130), qRgb(22, 36, 58)},  // operator
    {qRgb(204, 201, 192), qRgb(172, 168, 158), qRgb(104, 100, 92), Grey(28)},   // stack
    {qRgb(198, 208, 200), qRgb(162, 175, 166), qRgb(94, 106, 98), qRgb(24, 34, 28)},  // memory
    {qRgb(86, 130, 200), qRgb(46, 90, 160), qRgb(26, 52, 100), Grey(255)},   // enter
    {qRgb(222, 104, 72), qRgb(178, 62, 36), qRgb(110, 34, 18), Grey(255)},   // clear
    {qRgb(214, 211, 203), qRgb(176, 172, 162), qRgb(96, 92, 84), Grey(40)},  // arrow
  }},
  0.45, 0.62, false,
};

// The same families on dark keys: each keeps its hue, its lettering light.
constexpr ThemeColours kDark = {
  qRgb(40, 41, 44), Grey(232), Grey(150), qRgb(255, 105, 97), Grey(16),
  Grey(20), qRgb(78, 79, 84), Grey(8),
  Grey(150),
  qRgb(26, 27, 30), Grey(232),
  Grey(240), Grey(160), Grey(18), Grey(170),
  Grey(200), qRgb(56, 57, 62),
  {{
    {qRgb(40, 41, 44), qRgb(40, 41, 44), Grey(110), Grey(232)},             // line label
    {qRgb(70, 76, 88), qRgb(50, 54, 64), qRgb(22, 24, 28), Grey(245)},     // function
    {qRgb(58, 78, 112), qRgb(40, 54, 80), qRgb(18, 26, 42), qRgb(240, 244, 250)},  // bitwise
    {qRgb(88, 82, 62), qRgb(68, 63, 46), qRgb(34, 31, 22), qRgb(246, 238, 214)},   // hex digit
    {qRgb(80, 80, 82), qRgb(62, 62, 64), qRgb(28, 28, 30), Grey(244)},     // digit
    {qRgb(60, 74, 96), qRgb(44, 56, 76), qRgb(22, 28, 40), qRgb(214, 228, 248)},   // operator
    {qRgb(74, 72, 68), qRgb(58, 56, 52), qRgb(28, 27, 25), Grey(236)},     // stack
    {qRgb(60, 76, 66), qRgb(44, 58, 50), qRgb(22, 30, 25), qRgb(222, 242, 230)},   // memory
    {qRgb(46, 92, 166), qRgb(30, 64, 124), qRgb(16, 36, 74), Grey(255)},   // enter
    {qRgb(168, 58, 38), qRgb(132, 40, 22), qRgb(76, 20, 10), Grey(255)},   // clear
    {qRgb(76, 76, 78), qRgb(58, 58, 60), qRgb(26, 26, 28), Grey(236)},     // arrow
  }},
  0.45, 0.34, true,
};
// clang-format on

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(a.redF() * (1 - t) + b.redF() * t, a.greenF() * (1 - t) + b.greenF() * t,
                          a.blueF() * (1 - t) + b.blueF() * t);
}

class PaletteWatch : public QObject {
 public:
  PaletteWatch(QWidget* window, std::function<void()> changed) : QObject(window), changed_(std::move(changed)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::ApplicationPaletteChange) changed_();
    return false;
  }

 private:
  std::function<void()> changed_;
};

}  // namespace

const ThemeColours& LightColours() { return kLight; }
const ThemeColours& DarkColours() { return kDark; }

const ThemeColours& ColoursFor(uint32_t theme, bool desktopDark) {
  if (theme == 0) return kLight;
  if (theme == 1) return kDark;
  return desktopDark ? kDark : kLight;
}

bool DesktopIsDark() { return QGuiApplication::palette().color(QPalette::Window).lightness() < 128; }

QPalette ThemePalette(const ThemeColours& c, QPalette pal) {
  pal.setColor(QPalette::Window, c.window);
  pal.setColor(QPalette::Active, QPalette::WindowText, c.text);
  pal.setColor(QPalette::Inactive, QPalette::WindowText, c.text);
  pal.setColor(QPalette::Disabled, QPalette::WindowText, c.disabledText);
  pal.setColor(QPalette::Button, c.window);
  if (!c.wholePalette) return pal;
  // Menus, the X panel's boxes, tooltips and the shortcut sheet.
  const QColor raised = Mix(QColor(c.window), QColor(c.text), 0.12);
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
    pal.setColor(g, QPalette::ButtonText, c.text);
    pal.setColor(g, QPalette::Text, c.panelText);
    pal.setColor(g, QPalette::BrightText, c.text);
  }
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    pal.setColor(g, QPalette::Window, c.window);
    pal.setColor(g, QPalette::Button, c.window);
    pal.setColor(g, QPalette::Base, c.panelBox);
    pal.setColor(g, QPalette::AlternateBase, raised);
    pal.setColor(g, QPalette::ToolTipBase, c.panelBox);
    pal.setColor(g, QPalette::ToolTipText, c.panelText);
    pal.setColor(g, QPalette::Light, c.edgeLight);
    pal.setColor(g, QPalette::Midlight, raised);
    pal.setColor(g, QPalette::Mid, c.edgeShadow);
    pal.setColor(g, QPalette::Dark, c.edgeShadow);
    pal.setColor(g, QPalette::Shadow, c.edgeDark);
    pal.setColor(g, QPalette::Highlight, c.tones[size_t(KeyTone::kEnter)].bottom);
    pal.setColor(g, QPalette::HighlightedText, c.tones[size_t(KeyTone::kEnter)].text);
    pal.setColor(g, QPalette::PlaceholderText, c.disabledText);
  }
  pal.setColor(QPalette::Disabled, QPalette::ButtonText, c.disabledText);
  pal.setColor(QPalette::Disabled, QPalette::Text, c.disabledText);
  pal.setColor(QPalette::Disabled, QPalette::BrightText, c.disabledText);
  return pal;
}

FaceColours FaceColoursOf(const ThemeColours& c, KeyTone tone, FaceLook look) {
  const ToneColours& t = c.tones[size_t(tone)];
  FaceColours f{QColor(t.top), QColor(t.bottom), QColor(t.border), QColor(t.text)};
  if (tone == KeyTone::kLineLabel) {
    if (look == FaceLook::kDisabled) f.ink = QColor(c.labelDisabled);
    return f;
  }
  if (look == FaceLook::kDisabled) {
    // A flatter, paler key: it is there but does nothing now.
    const QColor window(c.window);
    f.top = Mix(f.top, window, c.disabledKeyMix);
    f.bottom = Mix(f.bottom, window, c.disabledKeyMix);
    f.border = Mix(f.border, window, c.disabledKeyMix);
    f.ink = Mix(f.ink, Mix(f.top, f.bottom, 0.5), c.disabledInkMix);
  }
  if (look == FaceLook::kPressed) {
    f.top = f.top.darker(112);
    f.bottom = f.bottom.darker(106);
  }
  return f;
}

void FollowDesktopPalette(QWidget* window, std::function<void()> changed) {
  window->installEventFilter(new PaletteWatch(window, std::move(changed)));
}

}  // namespace vxc::ui
