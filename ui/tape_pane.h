// The tape pane, beside the keypad: the tape's lines right-aligned like a
// paper tape, newest last and kept in view, selectable, with Copy, Clear and
// Save As. It shows the lines display/ composed and nothing else.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "command_ids.h"
#include "engine.h"

class QListWidget;
class QHBoxLayout;
class QPushButton;

namespace vxc::ui {

inline constexpr int kTapePaneWidth = 220;

class TapePane : public QWidget {
 public:
  explicit TapePane(QWidget* parent);

  // Shows `tape`: its `added` newest lines are new since the last call, or
  // everything is shown afresh when `added` is more than that.
  void Show(const Tape& tape, size_t added);
  // The button texts and tooltips in the menu language `column`.
  void SetLanguage(int column);
  // Lines, buttons and margins at the window's zoom (percent); the colours
  // come with the window's palette.
  void SetZoom(int percent);
  // The buttons' commands go to `run` (the window's RunCommand).
  void SetCommandHandler(std::function<void(CommandId)> run) { run_ = std::move(run); }
  // Where Escape sends the keyboard focus back to.
  void SetLeaveHandler(std::function<void()> leave) { leave_ = std::move(leave); }

  // The selected lines, or every line when none is selected; one a line.
  QString CopyText() const;

  QListWidget* list() const { return list_; }
  QPushButton* button(int index) const { return buttons_[index]; }  // Copy, Clear, Save As

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidget* list_ = nullptr;
  QPushButton* buttons_[3] = {};
  QHBoxLayout* row_ = nullptr;
  std::function<void(CommandId)> run_;
  std::function<void()> leave_;
};

class MainWindow;

// The window's tape commands: Option > Tape and the pane's buttons. Returns
// false for any other id. Clear asks first when the tape holds more than
// 20 lines; Save As writes plain text through the desktop's file dialog.
bool RunTapeCommand(MainWindow& window, CommandId id);

// What the pane asks the user, replaceable for the tests: whether to clear
// `lines` lines, and the file to save into (empty: cancelled).
struct TapeDialogs {
  std::function<bool(QWidget* parent, int lines, int column)> confirmClear;
  std::function<QString(QWidget* parent, int column)> saveAsPath;
};
void SetTapeDialogs(TapeDialogs dialogs);

}  // namespace vxc::ui
