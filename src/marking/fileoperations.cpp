#include "fileoperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace tallimark {

namespace {

Failure failureOf(int err, const QString &path, int whenMissing)
{
    if (err == ENOENT || err == ENOTDIR)
        return Failure{whenMissing, (whenMissing == ErrorNumber::FileNotFound ? QStringLiteral("File not found: ")
                                                                              : QStringLiteral("Path not found: "))
                                        + path};
    return Failure::fromErrno(err, path);
}

} // namespace

Failure appendLine(const QString &path, const QString &line)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return Failure::fromErrno(errno, path);
    const QByteArray bytes = (line + QStringLiteral("\r\n")).toUtf8();
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush())
        return Failure::fromErrno(errno, path);
    file.close();
    return Failure::ok();
}

Failure copyReplacing(const QString &from, const QString &to)
{
    QFile source(from);
    errno = 0;
    if (!source.open(QIODevice::ReadOnly))
        return failureOf(errno, from, ErrorNumber::FileNotFound);
    const QByteArray content = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return Failure::fromErrno(errno, from);
    // A plain overwrite, as a file copy is: the original stays where it was if this fails.
    QFile target(to);
    errno = 0;
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failureOf(errno, to, ErrorNumber::PathNotFound);
    errno = 0;
    if (target.write(content) != content.size() || !target.flush())
        return Failure::fromErrno(errno, to);
    target.close();
    return Failure::ok();
}

Failure makeFolder(const QString &path)
{
    errno = 0;
    if (QDir().mkdir(path))
        return Failure::ok();
    return failureOf(errno, path, ErrorNumber::PathNotFound);
}

bool pathExists(const QString &path)
{
    return QFileInfo::exists(path);
}

} // namespace tallimark
