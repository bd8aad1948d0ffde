// The program's own folder, inside which the destination folders of marking sessions are made.
// Shared by the window and the command line so that both mark into the same place.
#pragma once

#include <QString>

namespace tallimark {

// The executable's folder when the program may write there; otherwise (an installed program in
// /usr/bin) the folder "Tallimark" in the user's documents. Nothing is created here.
QString programFolder();

// Creates the folder when it does not exist yet; false when that failed.
bool ensureFolderExists(const QString &folder);

} // namespace tallimark
