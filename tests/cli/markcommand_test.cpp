// `tallimark-cli mark` as a user runs it: a class folder, the memos, and the command line.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Memo = QStringLiteral("We like to read books at home. and this sentence ends the memo text here.");
const QString DoubledTest = QStringLiteral("We like like to read books at home. and this sentence ends the memo text here.");

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

class MarkCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        QDir root(m_root.path());
        root.mkpath(QStringLiteral("memos"));
        root.mkpath(QStringLiteral("Class9C"));
        root.mkpath(QStringLiteral("out"));
        write(QStringLiteral("memos/Bron.rtf"), Memo);
        write(QStringLiteral("memos/Source.rtf"), Memo);
        jan = write(QStringLiteral("Class9C/Jan.rtf"), DoubledTest);
        piet = write(QStringLiteral("Class9C/Piet.rtf"), QStringLiteral("too short"));
    }

    QString path(const QString &relative) const { return m_root.path() + u'/' + relative; }

    QString write(const QString &relative, const QString &text) const
    {
        QFile file(path(relative));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return path(relative);
    }

    QString read(const QString &relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    CliRun mark(const QStringList &arguments) const { return cli(QStringList{QStringLiteral("mark")} + arguments); }

    CliRun cli(const QStringList &arguments) const
    {
        QProcess process;
        process.start(QStringLiteral(TALLIMARK_BINARY_DIR "/cli/tallimark-cli"), arguments);
        process.closeWriteChannel(); // nobody at a terminal to answer
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QStringList standardOptions() const
    {
        return {QStringLiteral("--memos"), path(QStringLiteral("memos")), QStringLiteral("--out-root"), path(QStringLiteral("out"))};
    }

    QString jan;
    QString piet;

private:
    QTemporaryDir m_root;
};

} // namespace

TEST_F(MarkCommand, BadUsageExitsWith2)
{
    EXPECT_EQ(mark({}).exitCode, 2);
    EXPECT_EQ(mark({QStringLiteral("--frobnicate"), jan}).exitCode, 2);
    EXPECT_EQ(mark({QStringLiteral("--memos"), path(QStringLiteral("nowhere")), jan}).exitCode, 2);
    EXPECT_EQ(mark({QStringLiteral("--dest"), QStringLiteral("a/b"), jan}).exitCode, 2);
    const CliRun help = mark({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--reuse")));
}

TEST_F(MarkCommand, MarksTheClassAndReportsAsItGoes)
{
    const CliRun run = mark(standardOptions() + QStringList{jan, piet});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("               Marking speed tests in Class9C\n\n") + jan
                           + QStringLiteral(".......Successful\n") + piet + QStringLiteral(".......too short or empty\n"));
    const QString dest = path(QStringLiteral("out/Class9C"));
    EXPECT_EQ(run.err, QStringLiteral("Done: End of this marking session.\nResults have been saved in ") + dest
                           + QStringLiteral("\n"));
    EXPECT_EQ(read(QStringLiteral("out/Class9C/Resultaat.res")),
              dest + QStringLiteral("/Jan   0 wpm\r\n") + path(QStringLiteral("Class9C/Piet.rug  0  wpm\r\n")));
    EXPECT_TRUE(QFile::exists(dest + QStringLiteral("/Jan.rug")));
}

TEST_F(MarkCommand, JsonLinesCarryEveryFigure)
{
    const CliRun run = mark(standardOptions() + QStringList{QStringLiteral("--integer"), QStringLiteral("--json"), QStringLiteral("-"), jan, piet});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The report moves to standard error, so that standard output is JSON Lines only.
    EXPECT_TRUE(run.err.contains(jan + QStringLiteral(".......Successful")));
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);

    const QJsonObject marked = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    EXPECT_EQ(marked[QStringLiteral("path")].toString(), jan);
    EXPECT_EQ(marked[QStringLiteral("status")].toString(), QStringLiteral("marked"));
    EXPECT_EQ(marked[QStringLiteral("language")].toString(), QStringLiteral("en"));
    EXPECT_EQ(marked[QStringLiteral("testText")].toString(), DoubledTest);
    EXPECT_EQ(marked[QStringLiteral("memoText")].toString(), Memo);
    EXPECT_EQ(marked[QStringLiteral("memoCutLength")].toInt(), Memo.size());
    EXPECT_EQ(marked[QStringLiteral("charCount")].toInt(), 79);
    EXPECT_EQ(marked[QStringLiteral("grossWords")].toInt(), 16);
    EXPECT_EQ(marked[QStringLiteral("errorCount")].toInt(), 1);
    EXPECT_DOUBLE_EQ(marked[QStringLiteral("wpm")].toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(marked[QStringLiteral("finalWpm")].toDouble(), 2);
    EXPECT_EQ(marked[QStringLiteral("doubleCounted")].toInt(), 1);
    EXPECT_EQ(marked[QStringLiteral("excessWords")].toArray(), QJsonArray{QStringLiteral("(like )")});
    EXPECT_EQ(marked[QStringLiteral("testStops")].toInt(), 2);
    EXPECT_EQ(marked[QStringLiteral("memoStops")].toInt(), 2);
    EXPECT_EQ(marked[QStringLiteral("testLineFeeds")].toInt(), 1);
    const QJsonArray errors = marked[QStringLiteral("errors")].toArray();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0].toObject()[QStringLiteral("word")].toString(), QStringLiteral("like "));
    EXPECT_EQ(errors[0].toObject()[QStringLiteral("start")].toInt(), 9);
    EXPECT_EQ(marked[QStringLiteral("verdict")].toString(), QStringLiteral(".......Successful"));
    EXPECT_EQ(marked[QStringLiteral("resultsLine")].toString(), path(QStringLiteral("out/Class9C/Jan   2 wpm")));
    // The error, then the excess word in the report block: "(like )" and its line end.
    const QJsonArray highlights = marked[QStringLiteral("highlights")].toArray();
    ASSERT_EQ(highlights.size(), 2);
    EXPECT_EQ(highlights[0].toObject(), (QJsonObject{{QStringLiteral("start0"), 8}, {QStringLiteral("length"), 4},
                                                     {QStringLiteral("kind"), QStringLiteral("error")}}));
    EXPECT_EQ(highlights[1].toObject(), (QJsonObject{{QStringLiteral("start0"), 108}, {QStringLiteral("length"), 8},
                                                     {QStringLiteral("kind"), QStringLiteral("excess")}}));

    const QJsonObject rejected = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    EXPECT_EQ(rejected[QStringLiteral("status")].toString(), QStringLiteral("too short"));
    EXPECT_EQ(rejected[QStringLiteral("resultsLine")].toString(), path(QStringLiteral("Class9C/Piet.rug  0  wpm")));
}

TEST_F(MarkCommand, AnExistingDestinationNeedsReuseWhenNobodyCanBeAsked)
{
    ASSERT_EQ(mark(standardOptions() + QStringList{jan}).exitCode, 0);
    const CliRun again = mark(standardOptions() + QStringList{jan});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("Type new foldername or click Enter to proceed"))) << again.err.toStdString();
    EXPECT_EQ(read(QStringLiteral("out/Class9C/Resultaat.res")).count(QStringLiteral("\r\n")), 1);

    const CliRun reused = mark(standardOptions() + QStringList{QStringLiteral("--reuse"), jan});
    EXPECT_EQ(reused.exitCode, 0);
    EXPECT_EQ(read(QStringLiteral("out/Class9C/Resultaat.res")).count(QStringLiteral("\r\n")), 2);
}

TEST_F(MarkCommand, DestinationNameOfOurOwn)
{
    ASSERT_EQ(mark(standardOptions() + QStringList{QStringLiteral("--dest"), QStringLiteral("Retake"), jan}).exitCode, 0);
    EXPECT_FALSE(read(QStringLiteral("out/Retake/Resultaat.res")).isEmpty());
}

TEST_F(MarkCommand, FailuresEndWithExit1AndLeaveATrace)
{
    const CliRun noMemos = mark({QStringLiteral("--memos"), path(QStringLiteral("Class9C")), QStringLiteral("--out-root"),
                              path(QStringLiteral("out")), jan});
    EXPECT_EQ(noMemos.exitCode, 1);
    EXPECT_TRUE(noMemos.err.contains(QStringLiteral("Error: Source Document missing, or too small...")));
    EXPECT_TRUE(noMemos.err.contains(QStringLiteral("warning:")));

    const CliRun missing = mark(standardOptions() + QStringList{path(QStringLiteral("Class9C/gone.rtf"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("warning: error 53")));
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Error: Tallimark does not have access to certain documents.")));
}

TEST_F(MarkCommand, SummaryShowsTheClassRecordThatMarkingWrote)
{
    ASSERT_EQ(mark(standardOptions() + QStringList{jan, piet}).exitCode, 0);
    ASSERT_EQ(mark(standardOptions() + QStringList{QStringLiteral("--reuse"), QStringLiteral("--integer"), jan}).exitCode, 0);
    const QString dest = path(QStringLiteral("out/Class9C"));
    const CliRun run = cli({QStringLiteral("summary"), dest, QStringLiteral("--csv"), path(QStringLiteral("class.csv")),
                            QStringLiteral("--pdf"), path(QStringLiteral("class.pdf"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Jan's second marking is current: 2 wpm as an integer, after 0 as a multiple of 5.
    const QStringList expectedLines{
        QStringLiteral("Jan +\\S+ \\S+ +English +79 +16 +1 +2 +\\+2 +Successful$"),
        QStringLiteral("Piet +\\S+ \\S+ +Too short or empty$"),
        QStringLiteral("^Tests marked: +1$"), QStringLiteral("^Tests rejected: +1$"), QStringLiteral("^Mean: +2 wpm$"),
        QStringLiteral("^Standard deviation \\(population\\): +0 wpm$"), QStringLiteral("^ +0-4  # 1$")};
    for (const QString &line : expectedLines)
        EXPECT_TRUE(run.out.contains(QRegularExpression(line, QRegularExpression::MultilineOption))) << line.toStdString();

    const QStringList csv = read(QStringLiteral("class.csv")).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(csv.size(), 3);
    EXPECT_TRUE(csv[1].startsWith(QStringLiteral("Jan,"))) << csv[1].toStdString();
    EXPECT_TRUE(csv[1].endsWith(QStringLiteral(",English,79,16,1,2,+2,Successful,"))) << csv[1].toStdString();
    // A cover page and Jan's marked copy; Piet's test was rejected and has none.
    const QByteArray pdf = read(QStringLiteral("class.pdf")).toLatin1();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n"), 2);

    const QStringList json = cli({QStringLiteral("summary"), QStringLiteral("--json"), dest}).out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(json.size(), 2);
    const QJsonObject first = QJsonDocument::fromJson(json[0].toUtf8()).object();
    EXPECT_EQ(first[QStringLiteral("source")].toString(), jan);
    EXPECT_EQ(first[QStringLiteral("markedCopy")].toString(), dest + QStringLiteral("/Jan.rug"));
    EXPECT_EQ(first[QStringLiteral("rounding")].toString(), QStringLiteral("integer"));
    EXPECT_DOUBLE_EQ(first[QStringLiteral("wpm")].toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(first[QStringLiteral("previousResult")].toDouble(), 0);
    EXPECT_TRUE(QJsonDocument::fromJson(json[1].toUtf8()).object()[QStringLiteral("finalResult")].isNull());
}

TEST_F(MarkCommand, SummaryNamesWhatIsMissing)
{
    EXPECT_EQ(cli({QStringLiteral("summary")}).exitCode, 2);
    const CliRun none = cli({QStringLiteral("summary"), path(QStringLiteral("memos"))});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains(path(QStringLiteral("memos/Tallimark.csv")) + QStringLiteral(": no class record")));
}
