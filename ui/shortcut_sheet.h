// What the keyboard map tells the user: the tooltips of the keys and radio
// buttons, and the Keyboard Shortcuts sheet of the Help menu, in the menu
// languages.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "command_names.h"

class QDialog;
class QWidget;

namespace vxc::ui {

// The BASE modes `action` acts in (ModeMask): ANGLE and DISPLAY in REAL,
// RANGE in the integer modes, a command as the command table says.
uint8_t ActsIn(Action action);

// "REAL" or "DEC HEX OCT BIN"; empty for every mode.
QString ModesText(uint8_t modes);

// "Sine (S)": the name in language column `column` (0..3, as the menus),
// then the shortcuts when there are any.
QString ToolTipText(Action action, int column);

// One line of the sheet: the shortcuts, what the action does, where it acts.
struct SheetLine {
  QString keys;
  QString what;
  QString modes;
};
// Every named action that has a shortcut, in the order of the names table.
std::vector<SheetLine> SheetLines(int column);

// The sheet (deleted when closed), not yet shown.
QDialog* CreateShortcutSheet(QWidget* owner, int column);

}  // namespace vxc::ui
