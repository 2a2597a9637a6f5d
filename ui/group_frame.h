// A group box frame: an etched rectangle with its title set into the top
// line. Only a frame: the radio buttons sit beside it as siblings, and
// mouse clicks fall through to the window.
#pragma once

#include <QString>
#include <QWidget>

namespace vxc::ui {

class GroupFrame : public QWidget {
 public:
  GroupFrame(const QString& title, QWidget* parent);
  const QString& title() const { return title_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString title_;
};

}  // namespace vxc::ui
