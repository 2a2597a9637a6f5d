// What the window does with a command, a radio click, the mouse on the
// keypad and the "Initialize" item.
#include <QDesktopServices>
#include <QDialog>
#include <QMenu>
#include <QRadioButton>
#include <QUrl>

#include "about_dialog.h"
#include "clipboard.h"
#include "command_table.h"
#include "focus.h"
#include "languages.h"
#include "main_window.h"
#include "shortcut_sheet.h"
#include "tape_pane.h"

namespace vxc::ui {

namespace {
constexpr const char* kWebSiteUrl = "https://ostrano.example.org/vxc32/";
}  // namespace

void MainWindow::RunCommand(CommandId id) {
  RunCommandNow(id);
  ShowIfStale();
}

void MainWindow::RunCommandNow(CommandId id) {
  if (observer_ && observer_(id)) return;
  if (RunLookCommand(id)) return;
  CalcState& s = engine_.state;
  if (const Language* language = LanguageOfItem(id)) {
    s.language = language->code;
    ApplyLanguageMenu();
    return;
  }
  if (RunTapeCommand(*this, id)) return;
  switch (id) {
    case cmd::kWebSite: QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebSiteUrl))); return;
    case cmd::kErrorAlarm:
      ToggleErrorAlarm(engine_);
      ApplyLanguageMenu();
      return;
    case cmd::kAbout: RunAboutDialog(this); return;
    case cmd::kXPanel: ToggleXPanel(); return;
    case cmd::kKeyboardHelp: ShowShortcutSheet(); return;
    case cmd::kExit: close(); return;
    case cmd::kInitialize: Initialize(); return;
    case cmd::kFocusUp:
    case cmd::kFocusDown:
    case cmd::kFocusLeft:
    case cmd::kFocusRight:
    case cmd::kFocusNext:
    case cmd::kFocusPrev: MoveFocus(*this, id); return;
    case cmd::kPaste: PasteClipboard(*this); return;
    case cmd::kCopy: CopyX(*this); return;
    case cmd::kCopyFull: CopyFullX(*this); return;
    case cmd::kUndo: StepHistory(false); return;
    case cmd::kRedo: StepHistory(true); return;
    default: break;
  }
  if (FindCommand(id) != nullptr) Dispatch(engine_, id);  // the gates are the command table's
}

Action RadioAction(int index) {
  if (index < kRadioAngle) return Action{ActionKind::kBase, uint32_t(index - kRadioBase)};
  if (index < kRadioMem) return Action{ActionKind::kAngle, uint32_t(index - kRadioAngle)};
  if (index < kRadioDisplay) return Action{ActionKind::kMemory, uint32_t(index - kRadioMem)};
  if (index < kRadioRange) return Action{ActionKind::kDisplay, uint32_t(index - kRadioDisplay)};
  return Action{ActionKind::kRange, uint32_t(index - kRadioRange)};
}

int RadioIndexOf(Action action) {
  for (int i = 0; i < kRadioCount; ++i) {
    if (RadioAction(i) == action) return i;
  }
  return -1;
}

void MainWindow::RunAction(Action action) {
  if (action.kind == ActionKind::kCommand) return RunCommand(action.value);
  const int index = RadioIndexOf(action);
  if (index >= 0) radios_[size_t(index)]->click();
}

void MainWindow::ShowShortcutSheet() {
  // One sheet at a time; it stays open beside the window while the user types.
  if (shortcutSheet_ == nullptr) shortcutSheet_ = CreateShortcutSheet(this, menuColumn_);
  shortcutSheet_->show();
  shortcutSheet_->raise();
  shortcutSheet_->activateWindow();
}

void MainWindow::SelectBaseMode(uint32_t base, ModeCaller by) {
  focusGroup_ = FocusGroup::kBase;
  CheckRadio(kRadioBase + int(IsIntegerBase(base) ? base : kBaseReal), true);
  // Converts the registers and refreshes.
  if (by == ModeCaller::kFocusKey) FocusSelectBase(engine_, base);
  else SelectBase(engine_, base);
  ShowModes();
  ShowIfStale();
}

void MainWindow::SelectAngleMode(uint32_t angle, ModeCaller by) {
  focusGroup_ = FocusGroup::kAngle;
  if (angle <= kAngleGrad) CheckRadio(kRadioAngle + int(angle), true);
  if (by == ModeCaller::kFocusKey) FocusSelectAngle(engine_, angle);
  else SelectAngle(engine_, angle);
  ShowIfStale();
}

void MainWindow::SelectDisplayMode(uint32_t display, ModeCaller by) {
  focusGroup_ = FocusGroup::kDisplay;
  if (display <= kDisplayEng) CheckRadio(kRadioDisplay + int(display), true);
  // Refreshes with the entry formatted.
  if (by == ModeCaller::kFocusKey) FocusSelectDisplayFormat(engine_, display);
  else SelectDisplayFormat(engine_, display);
  ShowModes();
  ShowIfStale();
}

void MainWindow::SelectRangeMode(uint32_t range) {
  focusGroup_ = FocusGroup::kRange;
  if (range <= kRangeB) CheckRadio(kRadioRange + int(range), true);
  SetRange(engine_, range);
  ShowIfStale();
}

void MainWindow::SelectMemoryRegister(uint32_t index, ModeCaller by) {
  focusGroup_ = FocusGroup::kMem;
  if (by == ModeCaller::kFocusKey) {
    if (index < uint32_t(kMemoryCount)) CheckRadio(kRadioMem + int(index), true);
    FocusSelectMemory(engine_, index);
  } else {
    SelectMemory(engine_, index);
  }
  ShowIfStale();
}

void MainWindow::ToggleXPanel() {
  engine_.state.xPanel = !engine_.state.xPanel;
  ApplyPanes();
  ApplyLanguageMenu();
  MarkDisplayStale(engine_);  // the panel is composed only while it is on
  ShowIfStale();
}

void MainWindow::FlipPanelBit(int bit) {
  if (bit >= 0) FlipBit(engine_, uint32_t(bit));
  ShowIfStale();
}

void MainWindow::StepHistory(bool forward) {
  if (!(forward ? Redo(engine_) : Undo(engine_))) return;
  keypad_.press = KeyPressState{};
  CheckModeRadios();
  ShowModes();  // the display follows from the stale mark
}

void MainWindow::FocusRadio(int index) {
  if (index >= 0 && index < kRadioCount) radios_[index]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::Initialize() {
  ResetWindowHooks hooks;
  hooks.moveToOrigin = [this] { move(0, 0); };
  hooks.refresh = [this] { MarkDisplayStale(engine_); };
  ResetCalculator(engine_, &position_, &hooks);
  SyncWindowToState();  // radios, faces and menu marks show the reset state too
  ShowIfStale();
  WriteSettings(SaveNotice::kMessageBox, SaveScope::kEverything);  // the defaults on disk, every key
}

void MainWindow::AreaMousePress(int x, int y) { KeypadPress(keypad_, x, y, faceModes()); }

void MainWindow::AreaMouseMove(int x, int y) { KeypadMove(keypad_, x, y, faceModes()); }

void MainWindow::AreaMouseRelease(int x, int y) {
  const int row = KeypadRelease(keypad_, x, y, faceModes());
  if (row >= 0) RunCommand(kKeypad[row].commandId);
}

QString MainWindow::AreaToolTip(const QPoint& local) const {
  for (int row = 0; row < kKeyCount; ++row) {
    if (kKeypad[size_t(row)].Contains(local.x(), local.y()) && RestingFace(row, faceModes()) != Face::kHidden)
      return keypad_.keys[size_t(row)]->toolTip();
  }
  return {};
}

void MainWindow::AreaContextMenu(const QPoint& local, const QPoint& global) {
  for (int row = 0; row < kKeyCount; ++row) {
    if (kKeypad[row].Contains(local.x(), local.y()) && RestingFace(row, faceModes()) != Face::kHidden) return;
  }
  QMenu menu(this);
  menu.setAttribute(Qt::WA_WindowPropagation);  // the window's theme
  QAction* item = menu.addAction(InitializeItemText(UserInJapan()));
  if (menu.exec(global) == item) RunCommand(cmd::kInitialize);
}

}  // namespace vxc::ui
