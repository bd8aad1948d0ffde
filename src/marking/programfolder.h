// The program's own folder, inside which the destination folders of marking sessions are made.
// Shared by the window and the command line so that both mark into the same place.
#pragma once

#include <QString>

namespace tallimark {

// The executable's folder when the program may write there and it is no installation folder (a
// portable copy on a USB stick keeps its classes beside it); otherwise, for an installed
// program, the folder "Tallimark" in the user's documents. Nothing is created here.
QString programFolder();

// True for the folders an installed program lives in, which it never writes into: on Windows
// the program and system folders and any folder holding our uninstaller (a per-user install
// is writable), elsewhere the system's own trees such as /usr and any folder owned by root.
bool isInstallationFolder(const QString &folder);

// Creates the folder when it does not exist yet; false when that failed.
bool ensureFolderExists(const QString &folder);

} // namespace tallimark
