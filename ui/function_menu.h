// The Function menu: the functions that have no key of their own, in
// groups (powers and roots, parts and percent, hyperbolic, combinatorics,
// angle conversion, the integer group with L.C.M. and G.C.D.), in the four
// menu languages. An item shows the first shortcut the keyboard map gives
// its command, and is greyed where the command table says it does not act.
#pragma once

#include <array>
#include <functional>

#include "menus.h"

class QMenu;
class QMenuBar;

namespace vxc::ui {

inline constexpr int kFunctionMenuRowCount = 35;
// The popup row first; kSeparator rows part the groups; the hyperbolic
// functions are a kSubPopup with kSubItem rows.
extern const std::array<MenuRow, kFunctionMenuRowCount> kFunctionMenuTable;

// Makes the menu in language `column`, placed before the last menu of `bar`
// (Help); every item calls `run` with its id.
QMenu* AddFunctionMenu(QMenuBar* bar, int column, const std::function<void(CommandId)>& run);

}  // namespace vxc::ui
