// The file operations of a marking session, each reporting its failure by number.
#pragma once

#include "documents/failure.h"

#include <QString>

namespace tallimark {

namespace ErrorNumber {
constexpr int FileNotFound = 53;
constexpr int PathNotFound = 76;
} // namespace ErrorNumber

// Appends one line and CR LF to a UTF-8 text file, creating it when missing; opened and
// closed for the one line.
[[nodiscard]] Failure appendLine(const QString &path, const QString &line);

// Copies a file, replacing the target when it exists.
[[nodiscard]] Failure copyReplacing(const QString &from, const QString &to);

// Creates one folder (its parent must exist).
[[nodiscard]] Failure makeFolder(const QString &path);

bool pathExists(const QString &path);

} // namespace tallimark
