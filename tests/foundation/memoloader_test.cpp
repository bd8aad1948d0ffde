// The memos at start-up: looked up by bare name in the working folder.
#include "documents/memoloader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tallimark;
using namespace Qt::StringLiterals;

namespace {

// Memos named without a folder are looked up in the working folder, so each test gets its own.
struct MemoFolder : ::testing::Test
{
    void SetUp() override { ASSERT_TRUE(QDir::setCurrent(dir.path())); }
    void TearDown() override { QDir::setCurrent(previous); }
    void writeMemo(const QString &name, const char *text) const
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}}\f0\fs22 )") + text
                   + "\\par\r\n}");
    }

    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    Workspace workspace;
};

} // namespace

TEST_F(MemoFolder, StartUpLeavesTheEnglishMemoLoadedAndBareNamesFollowTheWorkingFolder)
{
    writeMemo(u"Bron.rtf"_s, "Die hond blaf.");
    writeMemo(u"Source.rtf"_s, "The dog barks.");
    EXPECT_TRUE(loadBothMemos(workspace).isEmpty());
    EXPECT_EQ(workspace.memoDocument.text(), u"The dog barks."_s);
    EXPECT_EQ(workspace.memoFiles[0], u"Bron.rtf"_s);
    EXPECT_EQ(workspace.currentFile, u"Source.rtf"_s);

    QDir(dir.path()).mkdir(u"other"_s);
    writeMemo(u"other/Bron.rtf"_s, "Tweede memo.");
    ASSERT_TRUE(QDir::setCurrent(dir.filePath(u"other"_s)));
    ASSERT_FALSE(loadMemo(workspace, MemoLanguage::Afrikaans).failed());
    EXPECT_EQ(workspace.memoDocument.text(), u"Tweede memo."_s);
}

TEST_F(MemoFolder, AMissingMemoIsNamedWithItsFolderAndLeavesTheMemoBoxEmpty)
{
    writeMemo(u"Bron.rtf"_s, "Die hond blaf.");
    workspace.memoFiles[1] = u"kept.rtf"_s;
    const QList<Failure> failures = loadBothMemos(workspace);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(int(failures[0].number), int(ErrorNumber::PathFileAccess));
    EXPECT_TRUE(failures[0].description.contains(u"\"Source.rtf\""_s));
    EXPECT_TRUE(failures[0].description.contains(QDir::toNativeSeparators(QDir::currentPath())));
    // The English load emptied the box before it failed, so the Afrikaans memo is gone too,
    // and the record keeps the name it had.
    EXPECT_TRUE(workspace.memoDocument.text().isEmpty());
    EXPECT_EQ(workspace.memoFiles[1], u"kept.rtf"_s);
}
