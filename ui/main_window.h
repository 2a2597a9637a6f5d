// The calculator's one window: the four display lines, the mode radio
// groups, the digit-count boxes and the keypad, over one Engine.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <string>

#include "command_names.h"
#include "display.h"
#include "engine.h"
#include "focus.h"
#include "keypad.h"
#include "menus.h"
#include "shared_save.h"
#include "zoom_layout.h"

class QButtonGroup;
class QDialog;
class QRadioButton;

namespace vxc::ui {

class DisplayBox;
class TapePane;
class XPanel;
class GroupFrame;
class CalcArea;

// Who chooses a mode: a radio click (refused while an error shows, when the
// radios are disabled) or a focus key (taken during an error too).
enum class ModeCaller : uint8_t { kRadio, kFocusKey };

// Radio array order: REAL..BIN, DEG..GRAD, MEM 0..9, FIX..ENG, QW..B.
inline constexpr int kRadioCount = 25;
inline constexpr int kRadioBase = 0, kRadioAngle = 5, kRadioMem = 8, kRadioDisplay = 18, kRadioRange = 21;

// The radio choice of radio `index`, and the radio of a choice (-1 for a command).
Action RadioAction(int index);
int RadioIndexOf(Action action);
// The calculator area at 100%.
inline constexpr int kAreaWidth = 472;
inline constexpr int kAreaHeight = 330;

// "=VXC32= (RPN Calculator VXC32 for <platform>)".
QString WindowTitle();
// The text of the "Initialize" item for the user's country.
QString InitializeItemText(bool userInJapan);
bool UserInJapan();

class MainWindow : public QMainWindow {
 public:
  // Start-up in order: the defaults, then the settings file at
  // `settingsPath` and the tape file at `tapePath` (empty: the tape is not
  // kept), then the window built from them (not yet shown).
  explicit MainWindow(std::string settingsPath, std::string tapePath = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Every command: menus, accelerators and keypad clicks end here. The
  // display is composed once, at the end.
  void RunCommand(CommandId id);
  // A shortcut of the keyboard map: a command, or a radio choice taken as a
  // click on that radio (which does nothing while the radio is disabled).
  void RunAction(Action action);
  // Called first with every command; returning true stops it there.
  void SetCommandObserver(std::function<bool(CommandId)> observer) { observer_ = std::move(observer); }

  // The radio side of choosing a mode (check and focus the radio, set the
  // focus group), followed by the mode change.
  void SelectBaseMode(uint32_t base, ModeCaller by = ModeCaller::kRadio);
  void SelectAngleMode(uint32_t angle, ModeCaller by = ModeCaller::kRadio);
  void SelectDisplayMode(uint32_t display, ModeCaller by = ModeCaller::kRadio);
  void SelectRangeMode(uint32_t range);  // taken during an error by either caller
  void SelectMemoryRegister(uint32_t index, ModeCaller by = ModeCaller::kRadio);
  // Gives radio `index` the keyboard focus, leaving the checks as they are.
  void FocusRadio(int index);
  // The focus was moved by a key: the focused radio shows its focus rectangle.
  void ShowKeyboardFocus();

  // Option > X Panel: shows or hides the strip below the keypad.
  void ToggleXPanel();
  // Option > Tape: shows or hides the tape pane beside the keypad; shown,
  // it takes the keyboard focus.
  void ToggleTapePane();
  // A click on bit `bit` in the X panel.
  void FlipPanelBit(int bit);
  // Option > Zoom and Option > Theme (window_look.cpp); false for other ids.
  bool RunLookCommand(CommandId id);
  // The zoom and colours everything is drawn with now.
  const Look& look() const { return look_; }

  // "Initialize": defaults, window at (0, 0), every control showing them, file written.
  void Initialize();
  // Writes what this window changed into the settings file now (what other
  // programs saved meanwhile stays). A failure leaves the old file, is told
  // on standard error (once while the same failure lasts) and, with
  // kMessageBox, in a message box too. Also runs within 2 seconds of a change.
  enum class SaveNotice : uint8_t { kErrorOutput, kMessageBox };
  bool SaveNow(SaveNotice notice = SaveNotice::kErrorOutput);
  // The save that ends the run (a close, the end of the event loop, a
  // signal, whichever comes first); later calls do nothing.
  void SaveAtEnd(SaveNotice notice);
  // Shows the message of a failed save instead of the message box (tests).
  void SetSaveFailureBox(std::function<void(const QString&)> show) { saveFailureBox_ = std::move(show); }

  Engine& engine() { return engine_; }
  const DisplayFrame& frame() const { return frame_; }
  const std::string& settingsPath() const { return settings_.path; }
  FocusGroup focusGroup() const { return focusGroup_; }
  void SetFocusGroup(FocusGroup group) { focusGroup_ = group; }

  // Controls, for the focus moves and the tests.
  QRadioButton* radio(int index) const { return radios_[index]; }
  DisplayBox* valueBox(int line) const { return values_[line]; }
  DisplayBox* exponentBox(int line) const { return exponents_[line]; }
  DisplayBox* digitBox(int index) const { return digitBoxes_[index]; }
  GroupFrame* displayGroup() const { return displayGroup_; }
  GroupFrame* rangeGroup() const { return rangeGroup_; }
  QWidget* calcArea() const;
  XPanel* xPanel() const { return xPanel_; }  // null until first shown
  TapePane* tapePane() const { return tapePane_; }  // null until first shown
  const Keypad& keypad() const { return keypad_; }
  FaceModes faceModes() const;

  // Mouse on the calculator area (client pixels).
  void AreaMousePress(int x, int y);
  void AreaMouseMove(int x, int y);
  void AreaMouseRelease(int x, int y);
  // The "Initialize" menu on the window background; nothing over a key.
  void AreaContextMenu(const QPoint& local, const QPoint& global);
  // The tooltip of the key shown at `local`; empty over no key.
  QString AreaToolTip(const QPoint& local) const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildDisplay();
  void BuildRadios();
  void ApplyLanguageMenu();
  // Tooltips of the keys and radios in the menu language.
  void ApplyToolTips();
  // Help > Keyboard Shortcuts: the sheet, beside the window.
  void ShowShortcutSheet();
  // The one composition of an event: the display when the engine marked it.
  void ShowIfStale();
  // The check marks and enabled states the menus show now.
  MenuMarks CurrentMenuMarks() const;
  // The radios checked as the modes are (no focus moves).
  void CheckModeRadios();
  // Edit > Undo or Redo: the calculator goes back or forward a step, and
  // the radios follow its modes.
  void StepHistory(bool forward);
  void ApplyFrame(const DisplayFrame& frame);
  // Radios, groups, digit boxes, arrows and key faces as the modes want them.
  void ShowModes();
  // Every control from the state, as after building the window.
  void SyncWindowToState();
  void RunCommandNow(CommandId id);
  void CheckRadio(int index, bool focus);
  void PlaceWindow();
  // The X panel and the tape pane shown or hidden as the state says; the
  // window grows by the panel's height and the pane's width.
  void ApplyPanes();
  // The tape pane (tape_pane.cpp), made when first wanted, `height` high.
  void ApplyTapePane(int height);
  // Zoom and theme as the state says: places, fonts, colours, and the
  // window kept on its screen when it grows.
  void ApplyLook();
  bool WriteSettings(SaveNotice notice, SaveScope scope = SaveScope::kChanged);
  // The window's place, taken from the window while it shows.
  const WindowPosition& CurrentPosition();

  SharedSettings settings_;
  std::string lastSaveFailure_;  // told already; empty after a save that worked
  std::string tapePath_;
  Engine engine_;
  WindowPosition position_;
  DisplayFrame frame_;
  FocusGroup focusGroup_ = FocusGroup::kBase;
  std::function<bool(CommandId)> observer_;
  std::function<void(const QString&)> saveFailureBox_;
  bool savedAtEnd_ = false;

  Look look_;
  ZoomLayout zoom_;
  CalcArea* area_ = nullptr;
  XPanel* xPanel_ = nullptr;
  TapePane* tapePane_ = nullptr;
  Keypad keypad_;
  std::array<DisplayBox*, 3> lineLabels_{};
  std::array<DisplayBox*, 4> values_{};
  std::array<DisplayBox*, 4> exponents_{};
  std::array<DisplayBox*, 3> digitBoxes_{};
  std::array<QRadioButton*, kRadioCount> radios_{};
  std::array<QButtonGroup*, 5> buttonGroups_{};
  GroupFrame* baseGroup_ = nullptr;
  GroupFrame* angleGroup_ = nullptr;
  GroupFrame* memGroup_ = nullptr;
  GroupFrame* displayGroup_ = nullptr;
  GroupFrame* rangeGroup_ = nullptr;
  QPointer<QDialog> shortcutSheet_;  // Help > Keyboard Shortcuts, while open
  int menuColumn_ = -2;  // the language column of the menu bar; -2 before the first
};

}  // namespace vxc::ui
