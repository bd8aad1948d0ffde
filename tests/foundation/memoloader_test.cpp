#include "documents/memoloader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tallimark;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray rtfWith(const char *text)
{
    return QByteArray(R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}}\f0\fs22 )") + text + "\\par\r\n}";
}

// Runs a test body with the process's working folder moved into a fresh temporary folder,
// because memos named without a folder are looked up there.
class MemoFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
    }
    void TearDown() override { QDir::setCurrent(previous); }

    QTemporaryDir dir;
    QString previous;
};

} // namespace

TEST_F(MemoFolder, startUpLeavesTheEnglishMemoLoadedAndRecordsBothNames)
{
    writeFile(dir.filePath(QStringLiteral("Bron.rtf")), rtfWith("Die hond blaf."));
    writeFile(dir.filePath(QStringLiteral("Source.rtf")), rtfWith("The dog barks."));

    Workspace workspace;
    EXPECT_TRUE(loadBothMemos(workspace).isEmpty());
    EXPECT_EQ(workspace.memoDocument.text(), QStringLiteral("The dog barks."));
    EXPECT_EQ(workspace.memoFiles[0], QStringLiteral("Bron.rtf"));
    EXPECT_EQ(workspace.memoFiles[1], QStringLiteral("Source.rtf"));
    EXPECT_EQ(workspace.currentFile, QStringLiteral("Source.rtf"));
}

TEST_F(MemoFolder, bareNamesFollowTheWorkingFolderAtLoadTime)
{
    QDir(dir.path()).mkdir(QStringLiteral("other"));
    writeFile(dir.filePath(QStringLiteral("Bron.rtf")), rtfWith("Eerste memo."));
    writeFile(dir.filePath(QStringLiteral("other/Bron.rtf")), rtfWith("Tweede memo."));

    Workspace workspace;
    ASSERT_FALSE(loadMemo(workspace, MemoLanguage::Afrikaans).failed());
    EXPECT_EQ(workspace.memoDocument.text(), QStringLiteral("Eerste memo."));

    ASSERT_TRUE(QDir::setCurrent(dir.filePath(QStringLiteral("other"))));
    ASSERT_FALSE(loadMemo(workspace, MemoLanguage::Afrikaans).failed());
    EXPECT_EQ(workspace.memoDocument.text(), QStringLiteral("Tweede memo."));
}

TEST_F(MemoFolder, aMissingMemoIsNamedWithItsFolderAndLeavesTheMemoBoxEmpty)
{
    writeFile(dir.filePath(QStringLiteral("Bron.rtf")), rtfWith("Die hond blaf."));

    Workspace workspace;
    workspace.memoFiles[1] = QStringLiteral("kept.rtf");
    const QList<Failure> failures = loadBothMemos(workspace);

    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(int(failures[0].number), int(ErrorNumber::PathFileAccess));
    EXPECT_TRUE(failures[0].description.contains(QStringLiteral("\"Source.rtf\"")));
    EXPECT_TRUE(failures[0].description.contains(QDir::toNativeSeparators(QDir::currentPath())));
    // The English load emptied the box before it failed, so the Afrikaans memo is gone too,
    // and the record keeps the name it had.
    EXPECT_TRUE(workspace.memoDocument.text().isEmpty());
    EXPECT_EQ(workspace.memoFiles[1], QStringLiteral("kept.rtf"));
    EXPECT_EQ(workspace.memoFiles[0], QStringLiteral("Bron.rtf"));
}

TEST(MemoLoader, anExplicitMemoFolderIsRecordedWithTheName)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("Source.rtf")), rtfWith("A memo elsewhere."));

    Workspace workspace;
    ASSERT_FALSE(loadMemo(workspace, MemoLanguage::English, dir.path()).failed());
    EXPECT_EQ(workspace.memoFile(MemoLanguage::English), dir.filePath(QStringLiteral("Source.rtf")));
    EXPECT_EQ(workspace.memoDocument.text(), QStringLiteral("A memo elsewhere."));
}

// A memo that tests cannot be marked against is refused, and the failure says which and why.
TEST(MemoLoader, AnUnusableMemoIsRefusedWithItsNameAndReason)
{
    QTemporaryDir dir;
    const auto rtf = [](const QByteArray &text) { return "{\\rtf1\\ansi\\deff0 " + text + "\\par}"; };
    const struct
    {
        const char *name;
        QByteArray content; // null: no file
        const char *reason;
    } cases[] = {
        {"missing/Bron.rtf", QByteArray(), "No such file or directory"},
        {"empty/Bron.rtf", "", "it is empty"},
        {"emptyrtf/Bron.rtf", rtf(""), "it is empty"},
        {"pdf/Bron.rtf", "%PDF-1.5 binary", "a PDF document saved under an .rtf name"},
        {"short/Bron.rtf", rtf(QByteArray(49, 'm')), "it has 49 characters; a memo needs at least 50"},
        {"enough/Bron.rtf", rtf(QByteArray(50, 'm')), nullptr},
    };
    for (const auto &testCase : cases) {
        const QString path = dir.filePath(QString::fromUtf8(testCase.name));
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!testCase.content.isNull())
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(testCase.content) == testCase.content.size());
        file.close();
        RichDocument memo;
        const Failure failure = loadUsableMemo(memo, path);
        if (!testCase.reason) {
            EXPECT_FALSE(failure.failed()) << failure.description.toStdString();
            continue;
        }
        EXPECT_TRUE(failure.description.startsWith(QStringLiteral("The memo ") + path)) << testCase.name;
        EXPECT_TRUE(failure.description.endsWith(QString::fromUtf8(testCase.reason))) << failure.description.toStdString();
    }
}
