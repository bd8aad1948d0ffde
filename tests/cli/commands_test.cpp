// tallimark-cli as a user runs it: `text` on a few files, `mark` on a class folder.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Memo = u"We like to read books at home. and this sentence ends the memo text here."_s;
const QString DoubledTest = u"We like like to read books at home. and this sentence ends the memo text here."_s;

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TALLIMARK_BINARY_DIR "/cli/tallimark-cli"), arguments);
    process.closeWriteChannel(); // nobody at a terminal to answer
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class Cli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const QString &folder : {u"memos"_s, u"Class9C"_s, u"out"_s})
            QDir(root.path()).mkpath(folder);
        write(u"memos/Bron.rtf"_s, Memo.toUtf8());
        write(u"memos/Source.rtf"_s, Memo.toUtf8());
        jan = write(u"Class9C/Jan.rtf"_s, DoubledTest.toUtf8());
        piet = write(u"Class9C/Piet.rtf"_s, "too short");
    }
    QString path(const QString &relative) const { return root.filePath(relative); }
    QString write(const QString &relative, const QByteArray &content) const
    {
        QFile file(path(relative));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path(relative);
    }
    QString read(const QString &relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    CliRun mark(const QStringList &arguments) const
    {
        return runCli(QStringList{u"mark"_s, u"--memos"_s, path(u"memos"_s), u"--out-root"_s, path(u"out"_s)} + arguments);
    }

    QTemporaryDir root;
    QString jan;
    QString piet;
};

} // namespace

TEST_F(Cli, UsageAndExitCodes)
{
    const QList<std::pair<QStringList, int>> rows{
        {{}, 2}, {{u"frobnicate"_s}, 2}, {{u"text"_s}, 2}, {{u"mark"_s}, 2}, {{u"mark"_s, u"--frobnicate"_s, jan}, 2},
        {{u"mark"_s, u"--memos"_s, path(u"nowhere"_s), jan}, 2}, {{u"mark"_s, u"--dest"_s, u"a/b"_s, jan}, 2},
        {{u"--help"_s}, 0}, {{u"mark"_s, u"--help"_s}, 0}, {{u"--version"_s}, 0}};
    for (const auto &[arguments, exitCode] : rows)
        EXPECT_EQ(runCli(arguments).exitCode, exitCode) << qPrintable(arguments.join(u' '));
    EXPECT_TRUE(runCli({u"--help"_s}).out.contains(u"mark [options] TEST..."_s));
    EXPECT_TRUE(runCli({u"mark"_s, u"--help"_s}).out.contains(u"--reuse"_s));
    EXPECT_TRUE(runCli({u"--version"_s}).out.startsWith(u"tallimark-cli " TALLIMARK_VERSION ""_s));
}

TEST_F(Cli, TextPrintsUtf8WithCrLfKeptAndGoesOnPastAnUnreadableFile)
{
    const QString rtf = write(u"test.rtf"_s, "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 Die skool se "
                                             "h\\'ea k\\'eb.\\par\r\nTweede\\tab lyn\\par\r\n}");
    const QString plain = write(u"plain.txt"_s, "one\r\ntwo");
    const CliRun run = runCli({u"text"_s, rtf, path(u"missing.rtf"_s), plain});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, u"Die skool se hê kë.\r\nTweede\tlynone\r\ntwo"_s);
    EXPECT_EQ(run.err.count(u'\n'), 1);
    EXPECT_TRUE(run.err.contains(u"missing.rtf"_s));
}

TEST_F(Cli, MarksTheClassAndReportsAsItGoes)
{
    const CliRun run = mark({jan, piet});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u"               Marking speed tests in Class9C\n\n"_s + jan + u".......Successful\n"_s + piet
                           + u".......too short or empty\n"_s);
    const QString dest = path(u"out/Class9C"_s);
    EXPECT_EQ(run.err, u"Done: End of this marking session.\nResults have been saved in "_s + dest + u"\n"_s);
    EXPECT_EQ(read(u"out/Class9C/Resultaat.res"_s), dest + u"/Jan   0 wpm\r\n"_s + piet.chopped(4) + u".rug  0  wpm\r\n"_s);
    EXPECT_TRUE(QFile::exists(dest + u"/Jan.rug"_s));
}

TEST_F(Cli, JsonLinesCarryEveryFigure)
{
    const CliRun run = mark({u"--integer"_s, u"--json"_s, u"-"_s, jan, piet});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The report moves to standard error, so that standard output is JSON Lines only.
    EXPECT_TRUE(run.err.contains(jan + u".......Successful"_s));
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject marked = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    const QJsonObject expected{
        {u"path"_s, jan}, {u"status"_s, u"marked"_s}, {u"language"_s, u"en"_s}, {u"testText"_s, DoubledTest},
        {u"memoText"_s, Memo}, {u"memoCutLength"_s, Memo.size()}, {u"charCount"_s, 79}, {u"grossWords"_s, 16},
        {u"errorCount"_s, 1}, {u"wpm"_s, 1.5}, {u"finalWpm"_s, 2}, {u"doubleCounted"_s, 1},
        {u"excessWords"_s, QJsonArray{u"(like )"_s}}, {u"testStops"_s, 2}, {u"memoStops"_s, 2}, {u"testLineFeeds"_s, 1},
        {u"verdict"_s, u".......Successful"_s}, {u"resultsLine"_s, path(u"out/Class9C/Jan   2 wpm"_s)},
        // The error, then the excess word in the report block: "(like )" and its line end.
        {u"highlights"_s, QJsonArray{QJsonObject{{u"start0"_s, 8}, {u"length"_s, 4}, {u"kind"_s, u"error"_s}},
                                     QJsonObject{{u"start0"_s, 108}, {u"length"_s, 8}, {u"kind"_s, u"excess"_s}}}}};
    for (auto field = expected.begin(); field != expected.end(); ++field)
        EXPECT_EQ(marked[field.key()], field.value()) << qPrintable(field.key());
    const QJsonArray errors = marked[u"errors"_s].toArray();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0][u"word"_s], u"like "_s);
    EXPECT_EQ(errors[0][u"start"_s], 9);

    const QJsonObject rejected = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    EXPECT_EQ(rejected[u"status"_s].toString(), u"too short"_s);
    EXPECT_EQ(rejected[u"resultsLine"_s].toString(), path(u"Class9C/Piet.rug  0  wpm"_s));
}

TEST_F(Cli, AnExistingDestinationNeedsReuseOrAnotherName)
{
    ASSERT_EQ(mark({jan}).exitCode, 0);
    const CliRun again = mark({jan});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains(u"Type new foldername or click Enter to proceed"_s)) << again.err.toStdString();
    EXPECT_EQ(read(u"out/Class9C/Resultaat.res"_s).count(u"\r\n"_s), 1);
    EXPECT_EQ(mark({u"--reuse"_s, jan}).exitCode, 0);
    EXPECT_EQ(read(u"out/Class9C/Resultaat.res"_s).count(u"\r\n"_s), 2);
    ASSERT_EQ(mark({u"--dest"_s, u"Retake"_s, jan}).exitCode, 0);
    EXPECT_FALSE(read(u"out/Retake/Resultaat.res"_s).isEmpty());
}

TEST_F(Cli, FailuresEndWithExit1AndLeaveATrace)
{
    const CliRun noMemos = runCli({u"mark"_s, u"--memos"_s, path(u"Class9C"_s), u"--out-root"_s, path(u"out"_s), jan});
    EXPECT_EQ(noMemos.exitCode, 1);
    EXPECT_TRUE(noMemos.err.contains(u"Error: Source Document missing, or too small..."_s));
    EXPECT_TRUE(noMemos.err.contains(u"warning:"_s));
    const CliRun missing = mark({path(u"Class9C/gone.rtf"_s)});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(u"warning: error 53"_s));
    EXPECT_TRUE(missing.err.contains(u"Error: Tallimark does not have access to certain documents."_s));
}
