#include "fileoperations.h"

#include "documents/platformfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>

namespace tallimark {

namespace {

Failure failureOf(int err, const QString &path, ErrorNumber whenMissing)
{
    if (err == ENOENT || err == ENOTDIR) {
        Failure failure = Failure::fromErrno(err, path);
        failure.number = whenMissing;
        failure.description = (whenMissing == ErrorNumber::FileNotFound ? QStringLiteral("File not found: ")
                                                                        : QStringLiteral("Path not found: "))
            + path;
        return failure;
    }
    return Failure::fromErrno(err, path);
}

} // namespace

Failure appendLine(const QString &path, const QString &line)
{
    // A CR or LF inside a file name must not split the line in two.
    QString oneLine = line;
    oneLine.replace(u'\r', u'?').replace(u'\n', u'?');
    if (endsInsideALine(path))
        oneLine.prepend(QStringLiteral("\r\n"));
    const int error = platform::appendWhole(path, (oneLine + QStringLiteral("\r\n")).toUtf8());
    return error == 0 ? Failure::ok() : Failure::fromErrno(error, path);
}

Failure copyReplacing(const QString &from, const QString &to)
{
    const platform::FileRead source = platform::readRegularFile(from);
    if (source.error != 0)
        return failureOf(source.error, from, ErrorNumber::FileNotFound);
    if (source.refusal == platform::Refusal::NotRegularFile)
        return Failure::refused(ErrorNumber::PathFileAccess, from, QStringLiteral("not a regular file"));
    if (source.refusal == platform::Refusal::TooLarge)
        return Failure::refused(ErrorNumber::TooLarge, from,
                                QStringLiteral("larger than 64 MB, too large for a document"));
    const int error = platform::replaceFile(to, source.bytes, false);
    return error == 0 ? Failure::ok() : failureOf(error, to, ErrorNumber::PathNotFound);
}

Failure makeFolder(const QString &path)
{
    const int error = platform::makeFolder(path);
    return error == 0 ? Failure::ok() : failureOf(error, path, ErrorNumber::PathNotFound);
}

bool pathExists(const QString &path)
{
    return platform::exists(path);
}

void removeLeftoverTemporaries(const QString &folder)
{
    static const QRegularExpression temporary(QStringLiteral("^\\.tallimark-(\\d+)-\\d+\\.tmp$"));
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral(".tallimark-*.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = temporary.match(name);
        if (match.hasMatch() && !platform::processRunning(match.captured(1).toLongLong()))
            QFile::remove(dir.filePath(name));
    }
}

bool endsInsideALine(const QString &path)
{
    // Not through a link: appending replaces a link by a new file.
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile() || info.size() == 0)
        return false;
    QFile file(path);
    char last = 0;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(info.size() - 1) || !file.getChar(&last))
        return false;
    return last != '\n' && last != '\r';
}

} // namespace tallimark
