// The About box: icon, product and version, the legal notice and the credits.
#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace vxc::ui {

inline constexpr const char* kProductName = "VXC32";
inline constexpr const char* kProductVersion = "0.19 (beta)";
inline constexpr const char* kLegalNotice = "Copyright (C) Ostrano. Freeware.";

// "VXC32 , Version 0.19 (beta)"
QString ProductLine();
// The credit to the number libraries, with their versions read at run time.
QString NumberLibraryCredit();

// Builds the dialog (deleted when closed) without showing it.
QDialog* CreateAboutDialog(QWidget* owner);

// Runs the dialog modally over `owner`.
void RunAboutDialog(QWidget* owner);

}  // namespace vxc::ui
