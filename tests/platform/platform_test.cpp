// The platform unit as a teacher's files meet it: any name, any length, devices refused, a
// file held open by another program, and the same failure numbers on Linux and Windows.
#include "documents/failure.h"
#include "documents/platformfile.h"
#include "marking/markingoutput.h"
#include "marking/programfolder.h"
#include "support/childprocess.h"
#include "support/qstringprinting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstdio>

#ifndef Q_OS_WIN
#include <unistd.h>
#else
#include <windows.h>
#endif

using namespace tallimark;
using namespace Qt::StringLiterals;

namespace {

struct PlatformFiles : ::testing::Test
{
    QString path(const QString &name) const { return m_folder.filePath(name); }
    QTemporaryDir m_folder;
};

QByteArray contentsOf(const QString &file)
{
    return platform::readRegularFile(file).bytes;
}

} // namespace

TEST_F(PlatformFiles, NamesOfAnyCharacterAndLengthAreWrittenReadAndAppendedTo)
{
    // A folder path well past Windows' old 260-character limit.
    QString deep = path(u"Graad 10 Afrikaans"_s);
    while (deep.size() < 300)
        deep += u"/Klas van Mnr. Steyn se leerders"_s;
    QString made = m_folder.path();
    for (const QString &part : deep.mid(m_folder.path().size() + 1).split(u'/')) {
        made += u'/' + part;
        ASSERT_EQ(platform::makeFolder(made), 0) << made.toStdString();
    }
    // Accents, letters outside Latin-1 and a character beyond the 16-bit range in one name.
    const QString name = u"Ñandú – 漢字 😀.rtf"_s;
    for (const QString &folder : {m_folder.path(), deep}) {
        const QString file = folder + u'/' + name;
        ASSERT_EQ(platform::replaceFile(file, "first", true), 0) << file.toStdString();
        ASSERT_EQ(platform::replaceFile(file, "{\\rtf1 second}", false), 0) << file.toStdString();
        ASSERT_EQ(platform::appendWhole(file, " and more"), 0) << file.toStdString();
        EXPECT_TRUE(platform::exists(file)) << file.toStdString();
        EXPECT_EQ(contentsOf(file), "{\\rtf1 second} and more") << file.toStdString();
    }
    EXPECT_EQ(platform::syncFiles({deep + u'/' + name}).error, 0);
}

// A folder or a missing file under a test's name is refused in the document file tests.
TEST_F(PlatformFiles, DevicesAreNoTestsAndNoFolderIsWrittenOver)
{
#ifdef Q_OS_WIN
    const QString devices[] = {u"NUL"_s, u"\\\\.\\NUL"_s};
#else
    const QString devices[] = {u"/dev/null"_s, u"/dev/zero"_s};
#endif
    for (const QString &device : devices)
        EXPECT_EQ(platform::readRegularFile(device).refusal, platform::Refusal::NotRegularFile) << device.toStdString();
    EXPECT_EQ(errorNumberOf(platform::replaceFile(m_folder.path(), "x", false)), ErrorNumber::PathFileAccess);
}

// Windows refuses to rename over a file that another program holds open without sharing its
// deletion (a marked copy open in a word processor); the old copy must stay whole. POSIX lets
// the rename happen and the reader keeps the old contents.
TEST_F(PlatformFiles, AFileHeldOpenByAnotherProgramIsNeverLeftHalfWritten)
{
    const QString file = path(u"Jan.rug"_s);
    ASSERT_EQ(platform::replaceFile(file, "old copy", false), 0);
#ifdef Q_OS_WIN
    HANDLE held = ::CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(file).utf16()), GENERIC_READ,
                                FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(errorNumberOf(platform::replaceFile(file, "new copy", false)), ErrorNumber::PermissionDenied);
    ::CloseHandle(held);
    EXPECT_EQ(contentsOf(file), "old copy");
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"Jan.rug"_s})
        << "no temporary file is left behind";
#else
    QFile held(file);
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    EXPECT_EQ(platform::replaceFile(file, "new copy", false), 0);
    EXPECT_EQ(held.readAll(), "old copy");
    EXPECT_EQ(contentsOf(file), "new copy");
#endif
}

TEST_F(PlatformFiles, AReadOnlyFileIsNotReplaced)
{
    const QString file = path(u"Resultaat.res"_s);
    ASSERT_EQ(platform::replaceFile(file, "kept", false), 0);
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser));
    const auto refused = [&] {
        return errorNumberOf(platform::replaceFile(file, "lost", false)) == ErrorNumber::PermissionDenied ? 0 : 1;
    };
#ifdef Q_OS_WIN
    EXPECT_EQ(refused(), 0);
#else
    // Root writes whatever the permissions say: the teacher's attempt is made by an ordinary user
    // who owns the folder, so that only the file's own permission can stop it.
    if (getuid() == 0) {
        ASSERT_TRUE(QFile::setPermissions(m_folder.path(),
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                              | QFile::ExeOther));
        ASSERT_EQ(chown(QFile::encodeName(m_folder.path()).constData(), 65534, 65534), 0);
        ASSERT_EQ(chown(QFile::encodeName(file).constData(), 65534, 65534), 0);
    }
    EXPECT_EQ(tallimark::testing::inChildProcess(refused), 0);
#endif
    EXPECT_EQ(contentsOf(file), "kept");
}

// The same fault gets the same number on both platforms, so messages and the session's
// handling of failures do not depend on where Tallimark runs.
TEST(PlatformErrors, WindowsCodesGetTheNumbersOfTheSameFaultOnLinux)
{
#ifndef Q_OS_WIN
    GTEST_SKIP() << "Windows system error codes exist only in the Windows build";
#else
    using enum ErrorNumber;
    // clang-format off
    const std::pair<DWORD, ErrorNumber> rows[] = {
        {ERROR_ACCESS_DENIED, PermissionDenied}, {ERROR_WRITE_PROTECT, WriteProtected}, {ERROR_DISK_FULL, DiskFull},
        {ERROR_FILE_NOT_FOUND, PathFileAccess}, {ERROR_FILENAME_EXCED_RANGE, PathFileAccess},
        {ERROR_TOO_MANY_OPEN_FILES, TooManyFiles}, {ERROR_FILE_EXISTS, FileExists}, {ERROR_CRC, DeviceIo}};
    // clang-format on
    for (const auto &[code, number] : rows)
        EXPECT_EQ(errorNumberOf(platform::errnoOfSystemError(code)), number) << code;
#endif
}

TEST(PlatformPaths, PathsAreShownWithTheSystemsSeparator)
{
#ifdef Q_OS_WIN
    EXPECT_EQ(resultsLine(u"C:/Tallimark/Gr10"_s, u"C:/Klas/Jan.rtf"_s, 55), u"C:\\Tallimark\\Gr10\\Jan   55 wpm"_s);
    EXPECT_EQ(zeroResultLine(u"//skool/klasse/Jan.rtf"_s), u"\\\\skool\\klasse\\Jan.rug  0  wpm"_s);
    EXPECT_EQ(Failure::fromErrno(ENOSPC, u"D:/Gr10/Jan.rug"_s).description, u"Disk full: D:\\Gr10\\Jan.rug"_s);
#else
    EXPECT_EQ(resultsLine(u"/srv/Tallimark/Gr10"_s, u"/home/a/Jan.rtf"_s, 55), u"/srv/Tallimark/Gr10/Jan   55 wpm"_s);
    EXPECT_EQ(Failure::fromErrno(ENOSPC, u"/media/usb/Jan.rug"_s).description, u"Disk full: /media/usb/Jan.rug"_s);
#endif
}

TEST(PlatformPaths, AnInstalledProgramNeverMarksIntoItsOwnFolder)
{
    QTemporaryDir portable;
#ifndef Q_OS_WIN
    // A copy a user unpacked belongs to the user; what root put anywhere else belongs to root.
    // Root (as in CI) makes both; a user takes the root folder for root's.
    QTemporaryDir rootsOwn;
    QString byRoot = u"/"_s;
    if (geteuid() == 0) {
        ASSERT_EQ(chown(QFile::encodeName(portable.path()).constData(), 65534, 65534), 0);
        byRoot = rootsOwn.path();
    }
#endif
    const struct
    {
        QString folder;
        bool installed;
    } rows[] = {
#ifdef Q_OS_WIN
        {qEnvironmentVariable("ProgramFiles") + u"\\Tallimark"_s, true},
        {qEnvironmentVariable("SystemRoot"), true},
#else
        {u"/usr/bin"_s, true},    {u"/opt/tallimark/bin"_s, true}, {u"/usrlocal/bin"_s, false}, {byRoot, true},
#endif
        {portable.path(), false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(isInstallationFolder(row.folder), row.installed) << row.folder.toStdString();
#ifdef Q_OS_WIN
    // A per-user setup's folder is writable; its uninstaller gives it away.
    QFile uninstaller(portable.filePath(u"Uninstall Tallimark.exe"_s));
    ASSERT_TRUE(uninstaller.open(QIODevice::WriteOnly));
    uninstaller.close();
    EXPECT_TRUE(isInstallationFolder(portable.path()));
#endif
}

// A C library's printf writes numbers with a decimal point inside withCNumbers, and with the
// locale's own separator again after it, under a locale whose separator is a comma.
TEST(PlatformLocale, NumbersAreWrittenWithAPointOnlyWhileTheWorkRuns)
{
    const auto printed = [](double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        return QString::fromLatin1(text);
    };
    const char *commaLocale = nullptr;
    for (const char *name : {"af_ZA.UTF-8", "en_ZA.UTF-8", "de_DE.UTF-8", "nl_NL.UTF-8", "German_Germany.1252"}) {
        if (std::setlocale(LC_ALL, name) && printed(54.4) == QStringLiteral("54,4")) {
            commaLocale = name;
            break;
        }
    }
    if (!commaLocale) {
        std::setlocale(LC_ALL, "C");
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    QString inside;
    platform::withCNumbers([&] { inside = printed(54.4); });
    const QString after = printed(54.4);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(inside, QStringLiteral("54.4")) << commaLocale;
    EXPECT_EQ(after, QStringLiteral("54,4")) << commaLocale;
}
