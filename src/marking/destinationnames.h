// The names the tests of one session get in the destination folder.
#pragma once

#include <QString>
#include <QStringList>

namespace tallimark {

// One name per test, in order. A test keeps its own file name unless an earlier test of the
// session, from another folder, already has it (a class kept as one folder per learner, each
// holding "Toets.rtf"): then its folder's name goes in front ("Anika - Toets.rtf"), with a
// number after the folder's name if even that is taken. Names are compared without regard to
// case, because the destination may be on a disk that ignores it. The same path given twice
// keeps one name.
QStringList destinationFileNames(const QStringList &tests);

} // namespace tallimark
