#include "keypad.h"

#include <QAccessible>
#include <QPainter>

namespace vxc::ui {

KeyFaceWidget::KeyFaceWidget(Keypad& keypad, int row, QWidget* parent)
    : QWidget(parent), keypad_(keypad), row_(row) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_OpaquePaintEvent);  // the faces carry the background
  hide();
}

void KeyFaceWidget::SetFace(Face face) {
  if (face == face_) return;
  const bool wasDisabled = face_ == Face::kDisabled;
  face_ = face;
  if (wasDisabled != (face == Face::kDisabled)) {
    QAccessible::State changed;
    changed.disabled = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
  }
  const KeyDef& key = kKeypad[row_];
  const bool visible = face == Face::kNormal || face == Face::kPressed ||
                       (face == Face::kDisabled && key.hasDisabledFace);
  setVisible(visible);
  if (visible) repaint();  // a held key is shown at once, as the button goes down
}

void KeyFaceWidget::Activate() {
  if (keypad_.activate) keypad_.activate(row_);
}

void KeyFaceWidget::paintEvent(QPaintEvent*) {
  EnsureFacesFor(keypad_, devicePixelRatioF());
  const QPixmap& pix = FacePixmap(keypad_, row_, face_);
  QPainter p(this);
  if (pix.isNull()) {
    p.fillRect(rect(), QColor(keypad_.facesColours != nullptr ? keypad_.facesColours->window : LightColours().window));
    return;
  }
  p.drawPixmap(0, 0, pix);
}

const QPixmap& FacePixmap(Keypad& keypad, int row, Face face) {
  static const QPixmap kNone;
  if (row < 0 || row >= kKeyCount || face == Face::kHidden) return kNone;
  FaceSet& set = keypad.faces[row];
  const qreal dpr = keypad.facesDpr > 0 ? keypad.facesDpr : 1.0;
  const ThemeColours& colours = keypad.facesColours != nullptr ? *keypad.facesColours : LightColours();
  auto paint = [&](QPixmap& pix, FaceLook look) -> const QPixmap& {
    if (pix.isNull()) pix = PaintKeyFace(kKeypad[row], look, dpr, colours, keypad.facesZoom);
    return pix;
  };
  switch (face) {
    case Face::kPressed: return paint(set.pressed, FaceLook::kPressed);
    case Face::kDisabled: return paint(set.disabled, FaceLook::kDisabled);
    default: return paint(set.normal, FaceLook::kNormal);
  }
}

void EnsureFacesFor(Keypad& keypad, qreal dpr) {
  const int zoom = keypad.look != nullptr ? keypad.look->zoom : 100;
  const ThemeColours* colours = keypad.look != nullptr ? keypad.look->colours : &LightColours();
  if (dpr <= 0 || (dpr == keypad.facesDpr && zoom == keypad.facesZoom && colours == keypad.facesColours)) return;
  keypad.faces = {};
  keypad.facesDpr = dpr;
  keypad.facesZoom = zoom;
  keypad.facesColours = colours;
  for (KeyFaceWidget* w : keypad.keys) {
    if (w != nullptr && w->isVisible()) w->update();
  }
}

void BuildKeypad(Keypad& keypad, QWidget* parent) {
  EnsureFacesFor(keypad, parent->devicePixelRatioF());
  for (int row = 0; row < kKeyCount; ++row) keypad.keys[row] = new KeyFaceWidget(keypad, row, parent);
  PlaceKeys(keypad);
}

void PlaceKeys(Keypad& keypad) {
  const int zoom = keypad.look != nullptr ? keypad.look->zoom : 100;
  for (int row = 0; row < kKeyCount; ++row) {
    const KeyDef& key = kKeypad[row];
    if (keypad.keys[row] != nullptr) keypad.keys[row]->setGeometry(Zoomed(QRect(key.x, key.y, key.width, key.height), zoom));
  }
}

void ApplyKeyFaces(Keypad& keypad, const FaceModes& modes) {
  for (int row = 0; row < kKeyCount; ++row) {
    if (keypad.keys[row] != nullptr) keypad.keys[row]->SetFace(ShownFace(row, modes, keypad.press));
  }
}

void KeypadPress(Keypad& keypad, int x, int y, const FaceModes& modes) {
  if (KeypadButtonDown(keypad.press, x, y, modes)) ApplyKeyFaces(keypad, modes);
}

void KeypadMove(Keypad& keypad, int x, int y, const FaceModes& modes) {
  if (KeypadMouseMove(keypad.press, x, y)) ApplyKeyFaces(keypad, modes);
}

int KeypadRelease(Keypad& keypad, int x, int y, const FaceModes& modes) {
  const bool held = keypad.press.pressedRow >= 0;
  const int row = KeypadButtonUp(keypad.press, x, y, modes);
  if (held) ApplyKeyFaces(keypad, modes);
  return row;
}

}  // namespace vxc::ui
