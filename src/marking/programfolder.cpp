#include "programfolder.h"

#include "documents/platformfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tallimark {

namespace {

// Whether folder is root or lies below it, compared as the file system compares names.
bool isWithin(const QString &folder, const QString &root)
{
    if (root.isEmpty())
        return false;
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity sensitivity = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity sensitivity = Qt::CaseSensitive;
#endif
    const QString cleanRoot = QDir::cleanPath(QDir::fromNativeSeparators(root));
    return folder.compare(cleanRoot, sensitivity) == 0
        || folder.startsWith(cleanRoot.endsWith(u'/') ? cleanRoot : cleanRoot + u'/', sensitivity);
}

} // namespace

bool isInstallationFolder(const QString &folder)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(folder));
#ifdef Q_OS_WIN
    for (const char *variable : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "SystemRoot"}) {
        if (isWithin(clean, qEnvironmentVariable(variable)))
            return true;
    }
    // The setup installs for the current user into a folder the user may write to; the
    // uninstaller it leaves there tells an installed copy from a portable one.
    return QFileInfo::exists(clean + QStringLiteral("/Uninstall Tallimark.exe"));
#else
    for (const char *root : {"/usr", "/bin", "/sbin", "/lib", "/opt", "/etc"}) {
        if (isWithin(clean, QString::fromLatin1(root)))
            return true;
    }
    // Root may write anywhere, so "writable" tells nothing when root runs a program installed
    // elsewhere; the owner does. A portable copy is unpacked by its user, not by root.
    return platform::ownedByAdministrator(clean);
#endif
}

QString programFolder()
{
    QString executableFolder = QCoreApplication::applicationDirPath();
    if (QFileInfo(executableFolder).isWritable() && !isInstallationFolder(executableFolder))
        return executableFolder;

    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir(documents).filePath(QStringLiteral("Tallimark"));
}

bool ensureFolderExists(const QString &folder)
{
    return QFileInfo(folder).isDir() || QDir().mkpath(folder);
}

} // namespace tallimark
