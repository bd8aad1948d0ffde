// The file operations of a marking session, each reporting its failure by number.
#pragma once

#include "documents/failure.h"

#include <QString>

namespace tallimark {

// Appends one line and CR LF to a UTF-8 text file, creating it when missing; opened and
// closed for the one line. The line is written whole or not at all.
[[nodiscard]] Failure appendLine(const QString &path, const QString &line);

// Copies a regular file through a temporary file renamed into place, so that a reader (or a
// second session) never sees a half copy. A symbolic link at the target is replaced. Not
// synced: the session syncs its files once, at its end.
[[nodiscard]] Failure copyReplacing(const QString &from, const QString &to);

// Creates one folder (its parent must exist).
[[nodiscard]] Failure makeFolder(const QString &path);

bool pathExists(const QString &path);

// Removes the temporary files (".tallimark-PID-N.tmp", up to a test's size each) that a session
// killed while it replaced a file left in folder: those whose process no longer runs.
void removeLeftoverTemporaries(const QString &folder);

// True when path is a regular file (not a link) whose last line has no line end, as a file
// edited by hand or cut short may be: the next line appended must start a line of its own.
bool endsInsideALine(const QString &path);

} // namespace tallimark
