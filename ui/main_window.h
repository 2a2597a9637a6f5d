// The calculator's one window: the four display lines, the mode radio
// groups, the digit-count boxes and the keypad, over one Engine.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <string>

#include "display.h"
#include "engine.h"
#include "keypad.h"
#include "settings.h"

class QButtonGroup;
class QRadioButton;

namespace vxc::ui {

class DisplayBox;
class GroupFrame;
class CalcArea;

// The group that holds the keyboard focus for the arrow keys.
enum class FocusGroup : uint8_t { kBase, kAngle, kMem, kDisplay, kRange };

// Radio array order: REAL..BIN, DEG..GRAD, MEM 0..9, FIX..ENG, QW..B.
inline constexpr int kRadioCount = 25;
inline constexpr int kRadioBase = 0, kRadioAngle = 5, kRadioMem = 8, kRadioDisplay = 18, kRadioRange = 21;

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
  // `settingsPath`, then the window built from them (not yet shown).
  explicit MainWindow(std::string settingsPath, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Every command: menus, accelerators and keypad clicks end here.
  void RunCommand(CommandId id);
  // Called first with every command; returning true stops it there.
  void SetCommandObserver(std::function<bool(CommandId)> observer) { observer_ = std::move(observer); }

  // The radio side of choosing a mode, followed by the mode change.
  void SelectBaseMode(uint32_t base);
  void SelectAngleMode(uint32_t angle);
  void SelectDisplayMode(uint32_t display);
  void SelectRangeMode(uint32_t range);
  void SelectMemoryRegister(uint32_t index);

  // "Initialize": defaults, window at (0, 0), every control showing them, file written.
  void Initialize();
  // Writes the settings file now.
  void SaveNow();

  Engine& engine() { return engine_; }
  const DisplayFrame& frame() const { return frame_; }
  const std::string& settingsPath() const { return settingsPath_; }
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
  const Keypad& keypad() const { return keypad_; }
  FaceModes faceModes() const;

  // Mouse on the calculator area (client pixels).
  void AreaMousePress(int x, int y);
  void AreaMouseMove(int x, int y);
  void AreaMouseRelease(int x, int y);
  // The "Initialize" menu on the window background; nothing over a key.
  void AreaContextMenu(const QPoint& local, const QPoint& global);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildDisplay();
  void BuildRadios();
  void ApplyLanguageMenu();
  void ApplyFrame(const DisplayFrame& frame);
  // Radios, groups, digit boxes, arrows and key faces as the modes want them.
  void ShowModes();
  // Every control from the state, as after building the window.
  void SyncWindowToState();
  void CheckRadio(int index, bool focus);
  void PlaceWindow();

  std::string settingsPath_;
  Engine engine_;
  WindowPosition position_;
  uint32_t startBase_ = 0;
  DisplayFrame frame_;
  FocusGroup focusGroup_ = FocusGroup::kBase;
  std::function<bool(CommandId)> observer_;

  CalcArea* area_ = nullptr;
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
  int menuColumn_ = -2;  // the language column of the menu bar; -2 before the first
};

}  // namespace vxc::ui
