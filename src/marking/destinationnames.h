// The destination folder's name, and the names the tests of a session get in it.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace tallimark {

// Why a destination folder name cannot be used, as the message that refuses it (a CR between
// its two lines), or an empty string when it can: a name with "/" or "\", "." or ".." (a path,
// not a new folder), an empty name, or one longer than a file system takes. The window's
// destination box and the command line's --dest refuse what the session's question refuses.
QString destinationNameProblem(const QString &name);

// Whether the destination already holds another learner's test under a name (its file name,
// e.g. "Jan.rtf"), for the test at path: an earlier session copied a different test there.
using HeldByAnother = std::function<bool(const QString &name, const QString &path)>;

// One name per test, in order. A test keeps its own file name unless an earlier test of the
// session, from another folder, already has it (a class kept as one folder per learner, each
// holding "Toets.rtf"), or unless heldByAnother says an earlier session gave it to another
// learner: then its folder's name goes in front ("Anika - Toets.rtf"), with a number after the
// folder's name if even that is taken. Names are compared without regard to case, because the
// destination may be on a disk that ignores it. The same path given twice keeps one name.
QStringList destinationFileNames(const QStringList &tests, const HeldByAnother &heldByAnother = {});

} // namespace tallimark
