// The memos at start-up: looked up by bare name in the working folder, or in a folder given.
#include "documents/memoloader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tallimark;
using namespace Qt::StringLiterals;

namespace {

void writeMemo(const QString &path, const char *text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}}\f0\fs22 )") + text + "\\par\r\n}");
}

// Memos named without a folder are looked up in the working folder, so each test gets its own.
class MemoFolder : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QDir::setCurrent(dir.path())); }
    void TearDown() override { QDir::setCurrent(previous); }

    QTemporaryDir dir;
    QString previous = QDir::currentPath();
};

} // namespace

TEST_F(MemoFolder, StartUpLeavesTheEnglishMemoLoadedAndBareNamesFollowTheWorkingFolder)
{
    writeMemo(dir.filePath(u"Bron.rtf"_s), "Die hond blaf.");
    writeMemo(dir.filePath(u"Source.rtf"_s), "The dog barks.");
    Workspace workspace;
    EXPECT_TRUE(loadBothMemos(workspace).isEmpty());
    EXPECT_EQ(workspace.memoDocument.text(), u"The dog barks."_s);
    EXPECT_EQ(workspace.memoFiles[0], u"Bron.rtf"_s);
    EXPECT_EQ(workspace.currentFile, u"Source.rtf"_s);

    QDir(dir.path()).mkdir(u"other"_s);
    writeMemo(dir.filePath(u"other/Bron.rtf"_s), "Tweede memo.");
    ASSERT_TRUE(QDir::setCurrent(dir.filePath(u"other"_s)));
    ASSERT_FALSE(loadMemo(workspace, MemoLanguage::Afrikaans).failed());
    EXPECT_EQ(workspace.memoDocument.text(), u"Tweede memo."_s);
}

TEST_F(MemoFolder, AMissingMemoIsNamedWithItsFolderAndLeavesTheMemoBoxEmpty)
{
    writeMemo(dir.filePath(u"Bron.rtf"_s), "Die hond blaf.");
    Workspace workspace;
    workspace.memoFiles[1] = u"kept.rtf"_s;
    const QList<Failure> failures = loadBothMemos(workspace);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures[0].number, ErrorNumber::PathFileAccess);
    EXPECT_TRUE(failures[0].description.contains(u"\"Source.rtf\""_s));
    EXPECT_TRUE(failures[0].description.contains(QDir::toNativeSeparators(QDir::currentPath())));
    // The English load emptied the box before it failed, so the Afrikaans memo is gone too,
    // and the record keeps the name it had.
    EXPECT_TRUE(workspace.memoDocument.text().isEmpty());
    EXPECT_EQ(workspace.memoFiles[1], u"kept.rtf"_s);
}

TEST(MemoLoader, AnExplicitMemoFolderIsRecordedWithTheName)
{
    QTemporaryDir dir;
    writeMemo(dir.filePath(u"Source.rtf"_s), "A memo elsewhere.");
    Workspace workspace;
    ASSERT_FALSE(loadMemo(workspace, MemoLanguage::English, dir.path()).failed());
    EXPECT_EQ(workspace.memoFile(MemoLanguage::English), dir.filePath(u"Source.rtf"_s));
    EXPECT_EQ(workspace.memoDocument.text(), u"A memo elsewhere."_s);
}
