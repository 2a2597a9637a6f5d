// The menu bar in four languages: one table, one row per entry, with the
// same command ids in every language. The Function menu has a table of its
// own (function_menu.h).
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "command_ids.h"

class QMenuBar;

namespace vxc::ui {

enum class MenuLevel : uint8_t { kPopup, kItem, kSeparator, kSubPopup, kSubItem };

// Language columns of the table: English, Japanese, Chinese (Traditional), Esperanto.
inline constexpr int kMenuLanguages = 4;

struct MenuRow {
  MenuLevel level;
  CommandId id;  // 0 for popups and separators
  std::array<const char*, kMenuLanguages> text;  // UTF-8; "\t" starts the shortcut text
};

inline constexpr int kMenuRowCount = 32;
extern const std::array<MenuRow, kMenuRowCount> kMenuTable;

// The column of a language code (0, 1, 2, 4), or -1 for an unknown code.
int MenuColumnOf(uint32_t language);

// The state the menu shows.
struct MenuMarks {
  uint32_t language = 0;  // the checked language item; unknown codes check none
  bool errorAlarm = false;
  uint8_t commandModes = 0;  // ModeBitOf(base), or 0 while an error shows: the Function menu's greying
  bool xPanel = false;
  bool tape = false;
  bool canUndo = false;  // Edit > Undo and Redo are greyed when there is nothing to do
  bool canRedo = false;
  uint32_t theme = 2;  // the checked Theme item
};

// Fills `bar` with the menus of `column` (the table's language column);
// every item calls `run` with its id.
void BuildMenuBar(QMenuBar* bar, int column, const std::function<void(CommandId)>& run);

// Sets the check marks and the enabled states of the items in `bar`.
void ApplyMenuMarks(QMenuBar* bar, const MenuMarks& marks);

}  // namespace vxc::ui
