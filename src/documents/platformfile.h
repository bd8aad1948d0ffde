// The few file operations that need the platform's own calls: reading only regular files,
// replacing a file by renaming a complete new one over it, appending whole lines, and syncing a
// session's files once at its end. platform_posix.cpp and platform_win32.cpp implement them.
// Every function reports the failure as an errno value (0: success); the Windows half maps the
// system's error codes onto the errno of the same fault, so both builds number a fault alike.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>

namespace tallimark::platform {

// File names as the system's bytes. Valid UTF-8 decodes as usual; each byte that is not part
// of valid UTF-8 becomes one of U+DC80..U+DCFF, which encodeName turns back into that byte, so
// a name such as "bad\xff.rtf" survives the trip through a QString (QFile's own decoding
// would replace the byte and lose the file).
QString decodeName(QByteArrayView name);
QByteArray encodeName(const QString &name);

// Creates one folder; its parent must exist.
int makeFolder(const QString &path);
// True when something (a file, a folder, a link, even a dangling one) has that name.
bool exists(const QString &path);

// Larger than any test or memo, pictures included: such a file is refused without reading it.
constexpr qint64 MaxDocumentSize = qint64(64) * 1024 * 1024;

enum class Refusal { None, NotRegularFile, TooLarge };

struct FileRead
{
    QByteArray bytes;
    int error = 0;
    Refusal refusal = Refusal::None;
};

// Reads a regular file of at most maxSize bytes. Opened non-blocking, so a FIFO or a device
// under a test's name is refused instead of waiting forever.
FileRead readRegularFile(const QString &path, qint64 maxSize = MaxDocumentSize);

// Writes bytes into a new file beside path and renames it over path: the old file stays whole
// when anything fails. A symbolic link at path is replaced, never written through; an existing
// file that is not writable is left alone (EACCES). With syncNow the data and the rename are
// on the disk before this returns; without it, syncFiles does it later for many files at once.
int replaceFile(const QString &path, const QByteArray &bytes, bool syncNow);

// Appends bytes as a whole or not at all: a write that fails half-way is cut back to the
// file's old length. A symbolic link at path is replaced by a new file.
int appendWhole(const QString &path, const QByteArray &bytes);

struct SyncFailure
{
    int error = 0;
    QString path;
};

// Makes the files and their names durable: on Linux one syncfs of each file system that holds
// them, elsewhere fdatasync of every file and one fsync of each folder holding them.
SyncFailure syncFiles(const QStringList &paths);

// The errno value of a Windows system error code (GetLastError), so that a fault gets the same
// number and reason on both platforms. Only the Windows build has such codes; elsewhere EIO.
int errnoOfSystemError(unsigned long systemError);

// True when the stream is an interactive terminal or console, not a file or a pipe.
bool isTerminal(FILE *stream);
// Makes the console show UTF-8 text as such; nothing to do where terminals take UTF-8 already.
void useUtf8Console();

// Runs work with C's number formatting on this thread set to the C locale ("54.4"), whatever the
// user's locale, and the thread's own afterwards; other threads keep theirs. For a C library
// that writes numbers into a file format with printf, as the workbook writer does: under af_ZA
// it would write "54,4".
void withCNumbers(const std::function<void()> &work);

// Whether a process of this host has that id: a file a process
// left behind is not taken away while it runs.
bool processRunning(qint64 pid);

// True when the system's administrator owns the folder (root on POSIX), as the folders of a
// program installed by the package manager are. False where the system has no such owner
// (Windows: installed folders are known by their place there) or the folder cannot be read.
bool ownedByAdministrator(const QString &folder);

// For tests: writes beyond this many bytes fail with EFBIG, as on a full disk (the signal that
// would kill the process is ignored). Meant for a child process; false where the system has no
// such limit (Windows).
bool limitFileSize(qint64 bytes);

} // namespace tallimark::platform
