// Loading and saving files: plain-text detection, error numbers, and saves that fail cleanly.
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
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

// Runs a check in a child process, as an unprivileged user when the tests run as root (root
// may read and write any file). The child's exit code is what the check returns.
int inChildProcess(const std::function<int()> &check, bool dropPrivileges)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (dropPrivileges && getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(255);
        _exit(check() & 0xFF);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class DocumentFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        // An unprivileged child must be able to reach the files.
        QFile::setPermissions(m_folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                   | QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup
                                                   | QFile::ExeGroup);
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
        {"Gr\xc3\xbc\xc3\x9f \xe2\x82\xac\r\nline", u"Gr\u00FC\u00DF \u20AC\r\nline"_s},   // valid UTF-8
        {"\xef\xbb\xbf" "caf\xc3\xa9", u"caf\u00E9"_s},                                    // UTF-8 BOM
        {QByteArray("\xff\xfe" "h\0\xe9\0", 6), u"h\u00E9"_s},                             // UTF-16 LE
        {QByteArray("\xfe\xff\0h\x04\x16", 6), u"h\u0416"_s},                              // UTF-16 BE
        {"l\xea tot \x93" "aan\x94\r\n", u"l\u00EA tot \u201Caan\u201D\r\n"_s},            // Windows-1252
        {"Results\tline\n", u"Results\tline\n"_s},                                          // kept as is
        {QByteArray("\x00\x01\xff", 3), QString::fromUtf16(u"\u0000\u0001\u00FF", 3)},      // binary
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
            return document.text() == u"kept"_s ? failure.number : 1;
        },
        true);
    EXPECT_EQ(number, ErrorNumber::PermissionDenied);
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
            return document.saveFile(file).number;
        },
        true);
    EXPECT_EQ(number, ErrorNumber::PermissionDenied);
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

TEST_F(DocumentFile, AFailedSaveLeavesTheOldFileIntact)
{
    const QString file = path(u"marked.rug"_s);
    writeBytes(file, "{\\rtf1 the old copy}");
    // The file-size limit makes the write fail half-way, whoever runs the test.
    const int number = inChildProcess(
        [&file] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
            RichDocument document;
            document.setText(QString(100000, u'x'));
            return document.saveFile(file).failed() ? 0 : 1;
        },
        false);
    EXPECT_EQ(number, 0);
    EXPECT_EQ(readBytes(file), "{\\rtf1 the old copy}");
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files), QStringList{u"marked.rug"_s}); // no leftovers
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
