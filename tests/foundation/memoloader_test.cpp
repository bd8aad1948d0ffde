#include "documents/memoloader.h"

#include <QDir>
#include <QFile>
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
