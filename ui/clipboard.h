// Edit > Copy and Edit > Paste.
#pragma once

namespace vxc::ui {

class MainWindow;

// The X line as displayed, to the clipboard as plain text. Nothing while an error shows.
void CopyX(MainWindow& window);
// Edit > Copy Full Precision: X's whole value (the integer modes: as Copy).
void CopyFullX(MainWindow& window);
// The clipboard's plain text into the entry line. Nothing while an error shows.
void PasteClipboard(MainWindow& window);

}  // namespace vxc::ui
