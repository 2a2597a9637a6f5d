// The keypad widgets: one face widget per table row, showing the face the
// rules pick. The widgets take no mouse input; the calculator area
// hit-tests the table and calls the handlers here.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "key_faces.h"
#include "key_rules.h"
#include "zoom_layout.h"

namespace vxc::ui {

struct Keypad;

// Shows one of a key's faces. Hidden when the key shows none.
class KeyFaceWidget : public QWidget {
 public:
  KeyFaceWidget(Keypad& keypad, int row, QWidget* parent);
  int row() const { return row_; }
  Face face() const { return face_; }
  void SetFace(Face face);
  // A press from outside the mouse (a screen reader): runs the key's command.
  void Activate();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Keypad& keypad_;
  int row_;
  Face face_ = Face::kHidden;
};

struct Keypad {
  std::array<KeyFaceWidget*, kKeyCount> keys{};
  std::array<FaceSet, kKeyCount> faces;  // painted when first shown
  const Look* look = nullptr;  // the zoom and colours to paint at; Light at 100% when null
  // What the faces are painted for: the pixel ratio, the zoom and the colours.
  qreal facesDpr = 0;
  int facesZoom = 100;
  const ThemeColours* facesColours = nullptr;
  KeyPressState press;
  std::function<void(int row)> activate;  // runs a key's command
};

// The pixmap of one face of `row`, painted on first use; null when the key
// has no such face.
const QPixmap& FacePixmap(Keypad& keypad, int row, Face face);

// Creates the 64 face widgets on `parent`, all hidden, at the zoom.
void BuildKeypad(Keypad& keypad, QWidget* parent);
// Puts every key at its place times the zoom of `keypad.look`.
void PlaceKeys(Keypad& keypad);

// Shows every key's face for the modes (and the held key pushed in).
void ApplyKeyFaces(Keypad& keypad, const FaceModes& modes);

// Drops the painted faces when the screen's pixel ratio, the zoom or the
// colours are not the painted ones.
void EnsureFacesFor(Keypad& keypad, qreal dpr);

// Mouse handlers; each shows the faces it changes. Up returns the command
// row to fire, or -1.
void KeypadPress(Keypad& keypad, int x, int y, const FaceModes& modes);
void KeypadMove(Keypad& keypad, int x, int y, const FaceModes& modes);
int KeypadRelease(Keypad& keypad, int x, int y, const FaceModes& modes);

}  // namespace vxc::ui
