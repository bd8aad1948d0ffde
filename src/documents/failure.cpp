#include "failure.h"

#include <cerrno>
#include <cstring>

namespace tallimark {

Failure Failure::fromErrno(int err, const QString &path)
{
    const QString reason = QString::fromLocal8Bit(std::strerror(err));
    const QString where = path.isEmpty() ? reason : reason + QStringLiteral(": ") + path;
    switch (err) {
    case 0:
        return {ErrorNumber::DeviceIo, where};
    case EACCES:
    case EPERM:
        return {ErrorNumber::PermissionDenied, QStringLiteral("Permission denied: ") + path};
    case EROFS:
        return {ErrorNumber::WriteProtected, QStringLiteral("Disk is write-protected: ") + path};
    case ENOENT:
    case ENOTDIR:
    case EISDIR:
    case ELOOP:
    case ENAMETOOLONG:
        return {ErrorNumber::PathFileAccess, QStringLiteral("Path/File access error: ") + path};
    case ENOSPC:
    case EDQUOT:
        return {ErrorNumber::DiskFull, QStringLiteral("Disk full: ") + path};
    case EIO:
        return {ErrorNumber::DeviceIo, QStringLiteral("Device I/O error: ") + path};
    case EEXIST:
        return {ErrorNumber::FileExists, QStringLiteral("File already exists: ") + path};
    case EMFILE:
    case ENFILE:
        return {ErrorNumber::TooManyFiles, QStringLiteral("Too many files: ") + path};
    default:
        return {ErrorNumber::ErrnoBase + err, where};
    }
}

} // namespace tallimark
