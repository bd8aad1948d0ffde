#include "failure.h"

#include <QDir>

#include <cerrno>
#include <cstring>

namespace tallimark {

ErrorNumber errorNumberOf(int err)
{
    switch (err) {
    case 0:
    case EIO:
        return ErrorNumber::DeviceIo;
    case EACCES:
    case EPERM:
        return ErrorNumber::PermissionDenied;
    case EROFS:
        return ErrorNumber::WriteProtected;
    case ENOENT:
    case ENOTDIR:
    case EISDIR:
    case ELOOP:
    case ENAMETOOLONG:
    case EILSEQ: // a name the file system cannot hold
        return ErrorNumber::PathFileAccess;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return ErrorNumber::DiskFull;
    case EEXIST:
        return ErrorNumber::FileExists;
    case EMFILE:
    case ENFILE:
        return ErrorNumber::TooManyFiles;
    default:
        return ErrorNumber(int(ErrorNumber::ErrnoBase) + err);
    }
}

Failure Failure::fromErrno(int err, const QString &path)
{
    const ErrorNumber number = errorNumberOf(err);
    const QString reason = err == 0 ? QStringLiteral("Input/output error") : QString::fromLocal8Bit(std::strerror(err));
    QString what;
    switch (number) {
    case ErrorNumber::PermissionDenied:
        what = QStringLiteral("Permission denied");
        break;
    case ErrorNumber::WriteProtected:
        what = QStringLiteral("Disk is write-protected");
        break;
    case ErrorNumber::PathFileAccess:
        what = QStringLiteral("Path/File access error");
        break;
    case ErrorNumber::DiskFull:
        what = QStringLiteral("Disk full");
        break;
    case ErrorNumber::DeviceIo:
        what = QStringLiteral("Device I/O error");
        break;
    case ErrorNumber::FileExists:
        what = QStringLiteral("File already exists");
        break;
    case ErrorNumber::TooManyFiles:
        what = QStringLiteral("Too many files");
        break;
    default:
        what = reason;
        break;
    }
    return {number, path.isEmpty() ? what : what + QStringLiteral(": ") + QDir::toNativeSeparators(path), path, reason};
}

Failure Failure::refused(ErrorNumber number, const QString &path, const QString &reason)
{
    return {number, QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason, path, reason};
}

QString Failure::where() const
{
    if (path.isEmpty())
        return reason;
    const QString shown = QDir::toNativeSeparators(path);
    return reason.isEmpty() ? shown : shown + QStringLiteral(" (") + reason + u')';
}

} // namespace tallimark
