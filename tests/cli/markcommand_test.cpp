// `tallimark-cli mark` as a user runs it: a class folder, the memos, and the command line.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

const QString Memo = QStringLiteral("We like to read books at home. and this sentence ends the memo text here.");
const QString DoubledTest = QStringLiteral("We like like to read books at home. and this sentence ends the memo text here.");
const QString AfrikaansTest = QStringLiteral("Ons het 'n hond en 'n kat wat saam in die tuin speel as die son skyn.");

// The child process finds a full disk after this many bytes of any file it writes.
std::function<void(QProcess &)> diskFullAfter(rlim_t bytes)
{
    return [bytes](QProcess &process) {
        process.setChildProcessModifier([bytes] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{bytes, bytes};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    };
}

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

    CliRun mark(const QStringList &arguments, const std::function<void(QProcess &)> &prepare = {}) const
    {
        QProcess process;
        if (prepare)
            prepare(process);
        process.start(QStringLiteral(TALLIMARK_BINARY_DIR "/cli/tallimark-cli"), QStringList{QStringLiteral("mark")} + arguments);
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

// Write failures: a result or an output that was not written never ends in success.
TEST_F(MarkCommand, WritesThatFailEndWithAMessageAndExitCodeOne)
{
    const QString dest = path(QStringLiteral("out/Class9C"));
    ASSERT_EQ(mark(standardOptions() + QStringList{jan}).exitCode, 0);
    const QString goodCopy = read(QStringLiteral("out/Class9C/Jan.rug"));
    const auto toDevFull = [](QProcess &process) { process.setStandardOutputFile(QStringLiteral("/dev/full")); };
    const struct
    {
        QStringList arguments;
        std::function<void(QProcess &)> prepare;
        QString message;
        int resultLines; // the marking itself still succeeds when only an output fails
    } cases[] = {
        {{QStringLiteral("--reuse"), jan}, diskFullAfter(200), QStringLiteral("Error: The disk is full."), 1},
        {{QStringLiteral("--reuse"), jan}, toDevFull, QStringLiteral("standard output could not be written"), 2},
        {{QStringLiteral("--reuse"), QStringLiteral("--json"), QStringLiteral("/dev/full"), jan}, {},
         QStringLiteral("/dev/full: could not be written"), 3},
    };
    for (const auto &testCase : cases) {
        const CliRun run = mark(standardOptions() + testCase.arguments, testCase.prepare);
        EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(testCase.message)) << run.err.toStdString();
        EXPECT_EQ(read(QStringLiteral("out/Class9C/Jan.rug")), goodCopy); // the earlier copy, whole
        EXPECT_EQ(read(QStringLiteral("out/Class9C/Resultaat.res")).count(QStringLiteral(" wpm\r\n")), testCase.resultLines);
    }
    // The disk-full message names the file that could not be written.
    EXPECT_TRUE(mark(standardOptions() + QStringList{QStringLiteral("--reuse"), jan}, diskFullAfter(200))
                    .err.contains(dest + QStringLiteral("/Jan.rug")));

    QProcess text;
    text.setStandardOutputFile(QStringLiteral("/dev/full"));
    text.start(QStringLiteral(TALLIMARK_BINARY_DIR "/cli/tallimark-cli"), {QStringLiteral("text"), jan});
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_EQ(text.exitCode(), 1);
}

// Inputs: only .rtf files are tests; a folder gives its .rtf files in name order; nothing else
// given is ever copied over the destination's own files.
TEST_F(MarkCommand, OnlyRtfFilesAreMarkedAndAFolderInNameOrder)
{
    const QString sarie = write(QStringLiteral("Class9C/abel.RTF"), DoubledTest);
    const QString stray = write(QStringLiteral("Class9C/Resultaat.res"), QStringLiteral("stray line\r\n"));
    write(QStringLiteral("Class9C/notes.txt"), DoubledTest);
    QDir(path(QStringLiteral("out"))).mkpath(QStringLiteral("Class9C"));
    write(QStringLiteral("out/Class9C/Resultaat.res"), QStringLiteral("earlier line\r\n"));

    const CliRun byName = mark(standardOptions() + QStringList{QStringLiteral("--reuse"), jan, stray});
    EXPECT_EQ(byName.exitCode, 0) << byName.err.toStdString();
    EXPECT_TRUE(byName.err.contains(QStringLiteral("not marked: ") + stray + QStringLiteral(" is not a speed test")));
    const CliRun byFolder = mark(standardOptions() + QStringList{QStringLiteral("--reuse"), path(QStringLiteral("Class9C"))});
    EXPECT_EQ(byFolder.exitCode, 0) << byFolder.err.toStdString();
    EXPECT_EQ(byFolder.out.count(QStringLiteral(".......")), 3);
    EXPECT_LT(byFolder.out.indexOf(sarie), byFolder.out.indexOf(jan));
    EXPECT_LT(byFolder.out.indexOf(jan), byFolder.out.indexOf(piet));
    const QString results = read(QStringLiteral("out/Class9C/Resultaat.res"));
    EXPECT_TRUE(results.startsWith(QStringLiteral("earlier line\r\n"))) << results.toStdString();
    EXPECT_FALSE(results.contains(QStringLiteral("stray")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out/Class9C/notes.txt"))));
    EXPECT_EQ(mark(standardOptions() + QStringList{path(QStringLiteral("memos/none"))}).exitCode, 1);
}

// Memos: only from --memos (or the current folder); an unusable memo gives its tests no result.
TEST_F(MarkCommand, AnUnusableMemoGivesItsTestsNoResult)
{
    const QString afrikaans = write(QStringLiteral("Class9C/Anika.rtf"), AfrikaansTest);
    write(QStringLiteral("Bron.rtf"), AfrikaansTest + AfrikaansTest); // a stray memo in the current folder
    const struct
    {
        QByteArray bron; // null: none in the memo folder
        QString reason;
    } cases[] = {
        {QByteArray(), QStringLiteral("No such file or directory")},
        {QByteArray("Ons het 'n hond."), QStringLiteral("it has 16 characters; a memo needs at least 50")},
    };
    for (const auto &testCase : cases) {
        QFile::remove(path(QStringLiteral("memos/Bron.rtf")));
        if (!testCase.bron.isNull())
            write(QStringLiteral("memos/Bron.rtf"), QString::fromUtf8(testCase.bron));
        const CliRun run = mark(standardOptions() + QStringList{QStringLiteral("--reuse"), afrikaans},
                                [this](QProcess &process) { process.setWorkingDirectory(path(QString())); });
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(path(QStringLiteral("memos/Bron.rtf")))) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(testCase.reason)) << run.err.toStdString();
        EXPECT_FALSE(read(QStringLiteral("out/Class9C/Resultaat.res")).contains(QStringLiteral(" wpm")));
    }
}
