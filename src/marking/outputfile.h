// Files written where the user asks (a class table as CSV, a class pack as PDF): only over a
// regular file or under a new name, so that a device, a FIFO or a folder named by mistake is
// never replaced by a file nor written into (as root, "/dev/full" would have been replaced).
#pragma once

#include <QByteArray>
#include <QString>

namespace tallimark {

// Why nothing may be written at path ("path: reason"), or empty when it may.
QString outputRefusal(const QString &path);

// Writes the bytes as the whole new content of path, through a new file renamed into place, so
// that a failure leaves the old file as it was. Empty on success, else "path: reason".
QString writeOutputFile(const QString &path, const QByteArray &bytes);

} // namespace tallimark
