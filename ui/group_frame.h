// A group box frame: an etched rectangle with its title set into the top
// line. Only a frame: the radio buttons sit beside it as siblings, and
// mouse clicks fall through to the window.
#pragma once

#include <QString>
#include <QWidget>

#include "zoom_layout.h"

namespace vxc::ui {

class GroupFrame : public QWidget {
 public:
  // Drawn at the zoom and in the colours of `look` (Light at 100% without one).
  GroupFrame(const QString& title, QWidget* parent, const Look* look = nullptr);
  const QString& title() const { return title_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString title_;
  const Look* look_;
};

}  // namespace vxc::ui
