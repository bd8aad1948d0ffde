// Loading and saving files: plain-text detection, error numbers, and saves that fail cleanly.
#include "testsupport.h"

#include "documents/platformfile.h"
#include "support/childprocess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

using testing::inChildProcess;

class DocumentFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        // An unprivileged child must be able to reach the files.
        QFile::setPermissions(m_folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                  | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    }
    QString path(const QString &name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
};

TEST_F(DocumentFile, RtfIsRecognisedByItsFirstBytes)
{
    writeBytes(path(u"a.txt"_s), "{\\rtf1 Hello\\par}");
    writeBytes(path(u"b.rtf"_s), " {\\rtf1 Hello}");
    RichDocument document;
    ASSERT_FALSE(document.loadFile(path(u"a.txt"_s)).failed());
    EXPECT_EQ(document.text(), u"Hello"_s);
    ASSERT_FALSE(document.loadFile(path(u"b.rtf"_s)).failed());
    EXPECT_EQ(document.text(), u" {\\rtf1 Hello}"_s);
}

TEST_F(DocumentFile, PlainTextEncodings)
{
    const struct
    {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"Gr\xc3\xbc\xc3\x9f \xe2\x82\xac\r\nline", u"Gr\u00FC\u00DF \u20AC\r\nline"_s}, // valid UTF-8
        {"\xef\xbb\xbf"
         "caf\xc3\xa9",
         u"caf\u00E9"_s}, // UTF-8 BOM
        {QByteArray("\xff\xfe"
                    "h\0\xe9\0",
                    6),
         u"h\u00E9"_s},                                       // UTF-16 LE
        {QByteArray("\xfe\xff\0h\x04\x16", 6), u"h\u0416"_s}, // UTF-16 BE
        {"l\xea tot \x93"
         "aan\x94\r\n",
         u"l\u00EA tot \u201Caan\u201D\r\n"_s},    // Windows-1252
        {"Results\tline\n", u"Results\tline\n"_s}, // kept as is
    };
    for (const auto &testCase : cases) {
        writeBytes(path(u"plain.txt"_s), testCase.bytes);
        RichDocument document;
        ASSERT_FALSE(document.loadFile(path(u"plain.txt"_s)).failed());
        EXPECT_EQ(document.text(), testCase.text) << testCase.bytes.toHex().toStdString();
    }
}

TEST_F(DocumentFile, MissingFileFailsWith75AndKeepsTheDocument)
{
    RichDocument document;
    document.setText(u"kept"_s);
    const Failure failure = document.loadFile(path(u"missing.rtf"_s));
    EXPECT_EQ(failure.number, ErrorNumber::PathFileAccess);
    EXPECT_TRUE(failure.description.contains(u"missing.rtf"_s));
    EXPECT_EQ(document.text(), u"kept"_s);
    EXPECT_EQ(document.loadFile(QString()).number, ErrorNumber::PathFileAccess);
    EXPECT_EQ(document.loadFile(m_folder.path()).number, ErrorNumber::PathFileAccess); // a folder
    EXPECT_EQ(document.text(), u"kept"_s);
}

TEST_F(DocumentFile, UnreadableFileFailsWithPermissionDenied)
{
    const QString file = path(u"secret.rtf"_s);
    writeBytes(file, "{\\rtf1 secret}");
    QFile::setPermissions(file, QFileDevice::Permissions());
    const int number = inChildProcess(
        [&file] {
            RichDocument document;
            document.setText(u"kept"_s);
            const Failure failure = document.loadFile(file);
            return document.text() == u"kept"_s ? int(failure.number) : 1;
        },
        true);
    EXPECT_EQ(number, int(ErrorNumber::PermissionDenied));
}

TEST_F(DocumentFile, SavingOverAReadOnlyFileFailsWith70AndLeavesIt)
{
    const QString file = path(u"readonly.rtf"_s);
    writeBytes(file, "old content");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const int number = inChildProcess(
        [&file] {
            RichDocument document;
            document.setText(u"new"_s);
            return int(document.saveFile(file).number);
        },
        true);
    EXPECT_EQ(number, int(ErrorNumber::PermissionDenied));
    EXPECT_EQ(readBytes(file), "old content");
    if (getuid() != 0) {
        RichDocument document;
        EXPECT_EQ(document.saveFile(file).number, ErrorNumber::PermissionDenied);
    }
}

TEST_F(DocumentFile, SavingIntoAFolderThatDoesNotExistFailsWith75)
{
    RichDocument document;
    document.setText(u"x"_s);
    EXPECT_EQ(document.saveFile(path(u"no/such/folder.rtf"_s)).number, ErrorNumber::PathFileAccess);
}

TEST(ErrorNumbers, EveryErrnoHasItsNumber)
{
    const struct
    {
        int err;
        ErrorNumber number;
    } cases[] = {
        {EROFS, ErrorNumber::WriteProtected},
        {ENOSPC, ErrorNumber::DiskFull},
        {EDQUOT, ErrorNumber::DiskFull},
        {EFBIG, ErrorNumber::DiskFull},
        {EIO, ErrorNumber::DeviceIo},
        {EMFILE, ErrorNumber::TooManyFiles},
        {EACCES, ErrorNumber::PermissionDenied},
        {EPERM, ErrorNumber::PermissionDenied},
        {ENOENT, ErrorNumber::PathFileAccess},
        {ELOOP, ErrorNumber::PathFileAccess},
        {EEXIST, ErrorNumber::FileExists},
        {EBUSY, ErrorNumber(int(ErrorNumber::ErrnoBase) + EBUSY)},
    };
    for (const auto &testCase : cases)
        EXPECT_EQ(int(errorNumberOf(testCase.err)), int(testCase.number)) << std::strerror(testCase.err);
}

// Whatever is not a regular text file under a test's name is refused with its reason, unread.
TEST_F(DocumentFile, OnlyRegularTextFilesAreLoaded)
{
    const QByteArray noise = [] {
        QByteArray bytes;
        for (int i = 0; i < 600; ++i)
            bytes.append(char(1 + (i * 37) % 255));
        return bytes;
    }();
    const struct
    {
        const char *name;
        QByteArray bytes; // "fifo", "folder" and "huge" are made otherwise
        ErrorNumber number;
        const char *reason;
    } cases[] = {
        {"pipe.rtf", "fifo", ErrorNumber::PathFileAccess, "not a regular file"},
        {"folder.rtf", "folder", ErrorNumber::PathFileAccess, "not a regular file"},
        {"huge.rtf", "huge", ErrorNumber::TooLarge, "larger than 64 MB"},
        {"essay.rtf", "PK\x03\x04\x14\0\x06\0word/document.xml", ErrorNumber::NotText,
         "a Word document saved under an .rtf name"},
        {"scan.RTF", "%PDF-1.4\n%\xe2\xe3", ErrorNumber::NotText, "a PDF document saved under an .rtf name"},
        {"old.rtf", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", ErrorNumber::NotText, "an old Word document (.doc) saved"},
        {"photo.rtf", "\x89PNG\r\n\x1a\n", ErrorNumber::NotText, "a picture saved under an .rtf name"},
        {"nul.txt", QByteArray("Some text\0with a NUL", 21), ErrorNumber::NotText, "NUL bytes), not RTF or plain text"},
        {"noise.rtf", noise, ErrorNumber::NotText, "binary data (mostly control characters)"},
    };
    for (const auto &testCase : cases) {
        const QString file = path(QString::fromUtf8(testCase.name));
        if (testCase.bytes == "fifo") {
            ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else if (testCase.bytes == "folder") {
            ASSERT_TRUE(QDir().mkdir(file));
        } else if (testCase.bytes == "huge") {
            QFile sparse(file); // no disk space used, and never read
            ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(65 * 1024 * 1024));
        } else {
            writeBytes(file, testCase.bytes);
        }
        RichDocument document;
        document.setText(u"kept"_s);
        const Failure failure = document.loadFile(file);
        EXPECT_EQ(int(failure.number), int(testCase.number)) << testCase.name;
        EXPECT_TRUE(failure.reason.contains(QString::fromUtf8(testCase.reason))) << failure.reason;
        EXPECT_EQ(failure.path, file);
        EXPECT_EQ(document.text(), u"kept"_s);
    }
}

// A full disk, made by a file-size limit in a child process: each write that finds no room
// fails with the disk-full number and leaves the file as it was, whole.
TEST_F(DocumentFile, WritesThatFindNoRoomFailAndKeepTheOldFile)
{
    const QByteArray old = "{\\rtf1 the old copy}\r\n";
    const struct
    {
        const char *what;
        std::function<int(const QString &)> write;
    } cases[] = {
        {"a small save that only fails when flushed",
         [](const QString &file) {
             RichDocument document;
             document.setText(QString(3000, u'x'));
             return int(document.saveFile(file, false).number);
         }},
        {"a large save",
         [](const QString &file) {
             RichDocument document;
             document.setText(QString(100000, u'x'));
             return int(document.saveFile(file).number);
         }},
        {"a line appended to the results",
         [](const QString &file) {
             return int(errorNumberOf(platform::appendWhole(file, QByteArray(3000, 'y') + "   35 wpm\r\n")));
         }},
    };
    for (const auto &testCase : cases) {
        const QString file = path(u"Anika Botha.rug"_s);
        writeBytes(file, old);
        const int number = inChildProcess(
            [&] {
                platform::limitFileSize(1024);
                return testCase.write(file);
            },
            false);
        EXPECT_EQ(number, int(ErrorNumber::DiskFull)) << testCase.what;
        EXPECT_EQ(readBytes(file), old) << testCase.what;
        EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"Anika Botha.rug"_s});
    }
}

TEST_F(DocumentFile, SaveReplacesAnExistingFile)
{
    const QString file = path(u"copy.rtf"_s);
    writeBytes(file, "something much longer than what replaces it, to see no tail is left");
    RichDocument document;
    document.setText(u"short"_s);
    ASSERT_FALSE(document.saveFile(file).failed());
    const QByteArray saved = readBytes(file);
    EXPECT_TRUE(saved.startsWith("{\\rtf1"));
    EXPECT_TRUE(saved.endsWith("short\r\n\\par}"));
}

} // namespace
} // namespace tallimark
