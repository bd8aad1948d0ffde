// Some checks only mean something on a POSIX system: a FIFO under a test's name, a child process
// with a file-size limit or without root's privileges. On Windows they say so and skip; what they
// stand for there is checked by the platform tests.
#pragma once

#include <QString>

#ifdef Q_OS_WIN
#define TALLIMARK_POSIX_ONLY(why) GTEST_SKIP() << "POSIX only: " << why
#else
#include <sys/stat.h>
#define TALLIMARK_POSIX_ONLY(why) (void)0
#endif

namespace tallimark::testing {

// Makes a FIFO (a named pipe in the file system); false where there are none.
inline bool makeFifo(const QString &path)
{
#ifdef Q_OS_WIN
    (void)path;
    return false;
#else
    return mkfifo(path.toLocal8Bit().constData(), 0600) == 0;
#endif
}

} // namespace tallimark::testing
