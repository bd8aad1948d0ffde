// Loading and saving files: plain-text detection, error numbers, and saves that fail cleanly.
#include "testsupport.h"

#include "documents/platformfile.h"
#include "support/childprocess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace tallimark {
namespace {

using testing::inChildProcess;

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

struct DocumentFile : ::testing::Test
{
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

// RTF is known by its first bytes, whatever the file's name; anything else is plain text in its
// encoding. Whatever is not a regular text file under a test's name is refused with its reason,
// unread, and the document stays as it was.
TEST_F(DocumentFile, TextFilesAreReadAndTheRestRefused)
{
    QByteArray noise(600, '\0');
    for (int i = 0; i < 600; ++i)
        noise[i] = char(1 + (i * 37) % 255);
    // clang-format off
    const struct {
        const char *name; QByteArray bytes; QString textOrReason; ErrorNumber number = ErrorNumber::None;
    } rows[] = {
        {"rtf.txt", "{\\rtf1 Hello\\par}", u"Hello"_s},
        {"blank first.rtf", " {\\rtf1 Hello}", u" {\\rtf1 Hello}"_s},
        {"utf8.txt", "Gr\xc3\xbc\xc3\x9f \xe2\x82\xac\r\nline", u"Gr\u00FC\u00DF \u20AC\r\nline"_s},
        {"bom.txt", "\xef\xbb\xbf" "caf\xc3\xa9", u"caf\u00E9"_s},
        {"utf16le.txt", QByteArray("\xff\xfe" "h\0\xe9\0", 6), u"h\u00E9"_s},
        {"utf16be.txt", QByteArray("\xfe\xff\0h\x04\x16", 6), u"h\u0416"_s},
        {"cp1252.txt", "l\xea tot \x93" "aan\x94\r\n", u"l\u00EA tot \u201Caan\u201D\r\n"_s},
        // "missing", "fifo", "folder" and "huge" are made otherwise
        {"missing.rtf", "missing", u"No such file or directory"_s, ErrorNumber::PathFileAccess},
        {"pipe.rtf", "fifo", u"not a regular file"_s, ErrorNumber::PathFileAccess},
        {"folder.rtf", "folder", u"not a regular file"_s, ErrorNumber::PathFileAccess},
        {"huge.rtf", "huge", u"larger than 64 MB"_s, ErrorNumber::TooLarge},
        {"essay.rtf", "PK\x03\x04\x14\0\x06\0word/document.xml", u"a Word document saved under an .rtf name"_s,
         ErrorNumber::NotText},
        {"scan.RTF", "%PDF-1.4\n%\xe2\xe3", u"a PDF document saved under an .rtf name"_s, ErrorNumber::NotText},
        {"old.rtf", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", u"an old Word document (.doc) saved"_s, ErrorNumber::NotText},
        {"photo.rtf", "\x89PNG\r\n\x1a\n", u"a picture saved under an .rtf name"_s, ErrorNumber::NotText},
        {"nul-bytes.txt", QByteArray("Some text\0with a NUL", 21), u"NUL bytes), not RTF or plain text"_s, ErrorNumber::NotText},
        {"noise.rtf", noise, u"binary data (mostly control characters)"_s, ErrorNumber::NotText},
    };
    // clang-format on
    for (const auto &row : rows) {
        const QString file = path(QString::fromUtf8(row.name));
        if (row.bytes == "fifo") {
            if (!testing::makeFifo(file))
                continue; // no FIFOs on Windows; its devices are refused in the platform tests
        } else if (row.bytes == "folder") {
            ASSERT_TRUE(QDir().mkdir(file));
        } else if (row.bytes == "huge") {
            QFile sparse(file); // no disk space used, and never read
            ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(65 * 1024 * 1024));
        } else if (row.bytes != "missing") {
            writeBytes(file, row.bytes);
        }
        RichDocument document;
        document.setText(u"kept"_s);
        const Failure failure = document.loadFile(file);
        EXPECT_EQ(int(failure.number), int(row.number)) << row.name;
        if (!failure.failed()) {
            EXPECT_EQ(document.text(), row.textOrReason) << row.name;
            continue;
        }
        EXPECT_TRUE(failure.reason.contains(row.textOrReason)) << failure.reason;
        EXPECT_EQ(failure.path, file);
        EXPECT_TRUE(failure.description.contains(QDir::toNativeSeparators(file))) << failure.description;
        EXPECT_EQ(document.text(), u"kept"_s);
    }
    EXPECT_EQ(RichDocument().loadFile(QString()).number, ErrorNumber::PathFileAccess);
}

TEST_F(DocumentFile, SaveReplacesTheWholeFileOrFailsWith75WithoutItsFolder)
{
    writeBytes(path(u"copy.rtf"_s), "something much longer than what replaces it, to see no tail is left");
    ASSERT_FALSE(documentWithText(u"short"_s).saveFile(path(u"copy.rtf"_s)).failed());
    EXPECT_TRUE(platform::readRegularFile(path(u"copy.rtf"_s)).bytes.endsWith("short\r\n\\par}"));
    EXPECT_EQ(documentWithText(u"x"_s).saveFile(path(u"no/such/folder.rtf"_s)).number, ErrorNumber::PathFileAccess);
}

// Faults made in a child process: a file the unprivileged user may not read or write (the tests
// may run as root), and a full disk made by a file-size limit. Each fails with its number, loses
// nothing and leaves the file as it was, whole, with no temporary file beside it.
TEST_F(DocumentFile, FaultsFailWithTheirNumberAndKeepTheOldFile)
{
    TALLIMARK_POSIX_ONLY("faults made in a child process with a file-size limit or another user");
    const QByteArray old = "{\\rtf1 the old copy}\r\n";
    const auto save = [](int size, bool sync) {
        return [=](const QString &file) { return documentWithText(QString(size, u'x')).saveFile(file, sync).number; };
    };
    const auto load = [](const QString &file) {
        RichDocument document = documentWithText(u"kept"_s);
        const ErrorNumber number = document.loadFile(file).number;
        return document.text() == u"kept"_s ? number : ErrorNumber::None;
    };
    const auto append = [](const QString &file) {
        return errorNumberOf(platform::appendWhole(file, QByteArray(3000, 'y') + "   35 wpm\r\n"));
    };
    const QFileDevice::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    // clang-format off
    const struct {
        const char *what; ErrorNumber number; std::function<ErrorNumber(const QString &)> write;
        QFileDevice::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    } rows[] = {
        {"a file nobody may read, loaded", ErrorNumber::PermissionDenied, load, {}},
        {"a read-only file, saved over", ErrorNumber::PermissionDenied, save(3, true), readOnly},
        {"a small save that only fails when flushed", ErrorNumber::DiskFull, save(3000, false)},
        {"a large save", ErrorNumber::DiskFull, save(100000, true)},
        {"a line appended to the results", ErrorNumber::DiskFull, append},
    };
    // clang-format on
    for (const auto &row : rows) {
        const QString file = path(u"Anika Botha.rug"_s);
        QFile::remove(file);
        writeBytes(file, old);
        QFile::setPermissions(file, row.permissions);
        // The unprivileged user may not write into the folder: a full disk is the own user's.
        const bool unprivileged = row.number == ErrorNumber::PermissionDenied;
        const int number = inChildProcess(
            [&] {
                platform::limitFileSize(1024);
                return int(row.write(file));
            },
            unprivileged);
        EXPECT_EQ(number, int(row.number)) << row.what;
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        EXPECT_EQ(platform::readRegularFile(file).bytes, old) << row.what;
        EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"Anika Botha.rug"_s});
    }
}

TEST(ErrorNumbers, EveryErrnoHasItsNumber)
{
    // clang-format off
    const struct { int err; ErrorNumber number; } rows[] = {
        {EROFS, ErrorNumber::WriteProtected}, {ENOSPC, ErrorNumber::DiskFull},
        {EFBIG, ErrorNumber::DiskFull}, {EIO, ErrorNumber::DeviceIo}, {EMFILE, ErrorNumber::TooManyFiles},
        {EACCES, ErrorNumber::PermissionDenied}, {EPERM, ErrorNumber::PermissionDenied},
        {ENOENT, ErrorNumber::PathFileAccess}, {ELOOP, ErrorNumber::PathFileAccess}, {EEXIST, ErrorNumber::FileExists},
        {EBUSY, ErrorNumber(int(ErrorNumber::ErrnoBase) + EBUSY)},
#ifdef EDQUOT
        {EDQUOT, ErrorNumber::DiskFull},
#endif
    };
    // clang-format on
    for (const auto &row : rows)
        EXPECT_EQ(int(errorNumberOf(row.err)), int(row.number)) << std::strerror(row.err);
}

} // namespace
} // namespace tallimark
