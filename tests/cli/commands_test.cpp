// tallimark-cli as a user runs it: `text` on a few files, `mark` on a class folder, `summary` of it,
// and where its destination folders go when nobody names a place.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString Memo = u"We like to read books at home. and this sentence ends the memo text here."_s;
const QString DoubledTest = u"We like like to read books at home. and this sentence ends the memo text here."_s;
const QString AfrikaansTest = u"Ons het 'n hond en 'n kat wat saam in die tuin speel as die son skyn."_s;

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

const QString Program = u"" TALLIMARK_BINARY_DIR "/cli/tallimark-cli"_s;
using Prepare = std::function<void(QProcess &)>;

// The child process finds a full disk after this many bytes of any file it writes.
Prepare diskFullAfter(rlim_t bytes)
{
    return [bytes](QProcess &process) {
        process.setChildProcessModifier([bytes] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{bytes, bytes};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    };
}

// The program runs with this home folder, and as nobody when the tests run as root (to whom
// every folder is writable).
Prepare withHome(const QString &home)
{
    return [home](QProcess &process) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, home);
        environment.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
        process.setProcessEnvironment(environment);
        if (geteuid() == 0)
            process.setChildProcessModifier([] {
                if (setgid(65534) != 0 || setuid(65534) != 0)
                    _exit(99);
            });
    };
}

CliRun runCli(const QStringList &arguments, const Prepare &prepare = {}, const QString &program = Program)
{
    QProcess process;
    if (prepare)
        prepare(process);
    process.start(program, arguments);
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
    CliRun mark(const QStringList &arguments, const Prepare &prepare = {}) const
    {
        return runCli(markArguments(arguments), prepare);
    }
    QStringList markArguments(const QStringList &arguments) const
    {
        return QStringList{u"mark"_s, u"--memos"_s, path(u"memos"_s), u"--out-root"_s, path(u"out"_s)} + arguments;
    }

    QTemporaryDir root;
    QString jan;
    QString piet;
};

} // namespace

// In order, on one class folder: the exit code, what standard output and standard error contain,
// and how many lines the class's results file has afterwards.
TEST_F(Cli, ExitCodesAndMessages)
{
    const QString gone = path(u"Class9C/gone.rtf"_s);
    const QString version = u"tallimark-cli " TALLIMARK_VERSION ""_s;
    const QStringList noMemos{u"mark"_s, u"--memos"_s, path(u"Class9C"_s), u"--out-root"_s, path(u"out"_s), jan};
    // clang-format off
    const struct { QStringList arguments; int exitCode; QString out; QStringList err; int resultLines; } rows[] = {
        {{}, 2, {}, {}, 0}, {{u"frobnicate"_s}, 2, {}, {}, 0}, {{u"text"_s}, 2, {}, {}, 0}, {{u"mark"_s}, 2, {}, {}, 0},
        {{u"mark"_s, u"--frobnicate"_s, jan}, 2, {}, {}, 0}, {{u"mark"_s, u"--memos"_s, path(u"nowhere"_s), jan}, 2, {}, {}, 0},
        {{u"mark"_s, u"--dest"_s, u"a/b"_s, jan}, 2, {}, {}, 0}, {{u"summary"_s}, 2, {}, {}, 0},
        {{u"summary"_s, path(u"memos"_s)}, 1, {}, {path(u"memos/Tallimark.csv"_s) + u": no class record"_s}, 0}, {{u"--help"_s}, 0, u"mark [options] TEST..."_s, {}, 0},
        {{u"mark"_s, u"--help"_s}, 0, u"--reuse"_s, {}, 0}, {{u"--version"_s}, 0, version, {}, 0},
        {noMemos, 1, {}, {u"Error: Source Document missing, or too small..."_s, u"warning:"_s}, 0},
        {markArguments({jan}), 0, {}, {}, 1},
        {markArguments({jan}), 1, {}, {u"Type new foldername or click Enter to proceed"_s}, 1}, // needs --reuse
        {markArguments({u"--reuse"_s, jan}), 0, {}, {}, 2},
        {markArguments({u"--dest"_s, u"Retake"_s, jan}), 0, {}, {}, 2},
        // A test that cannot be read is reported and gets no result, and the run ends in failure.
        {markArguments({u"--reuse"_s, gone}), 1, gone + u".......could not be read: no such file"_s, {}, 2}};
    // clang-format on
    for (const auto &row : rows) {
        const CliRun run = runCli(row.arguments);
        EXPECT_EQ(run.exitCode, row.exitCode) << qPrintable(row.arguments.join(u' '));
        EXPECT_TRUE(run.out.contains(row.out)) << run.out.toStdString();
        for (const QString &message : row.err)
            EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
        EXPECT_EQ(read(u"out/Class9C/Resultaat.res"_s).count(u"\r\n"_s), row.resultLines);
    }
    EXPECT_EQ(read(u"out/Retake/Resultaat.res"_s).count(u"\r\n"_s), 1);
}

TEST_F(Cli, TextPrintsUtf8WithCrLfKeptAndGoesOnPastAnUnreadableFile)
{
    const QString rtf = write(u"test.rtf"_s,
                              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 Die skool se "
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
    const CliRun run = runCli(markArguments({jan, piet}));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out,
              u"               Marking speed tests in Class9C\n\n"_s + jan + u".......Successful\n"_s + piet
                  + u".......too short or empty\n"_s);
    const QString dest = path(u"out/Class9C"_s);
    EXPECT_EQ(run.err, u"Done: End of this marking session.\nResults have been saved in "_s + dest + u"\n"_s);
    EXPECT_EQ(read(u"out/Class9C/Resultaat.res"_s),
              dest + u"/Jan   0 wpm\r\n"_s + piet.chopped(4) + u".rug  0  wpm\r\n"_s);
    EXPECT_TRUE(QFile::exists(dest + u"/Jan.rug"_s));
}

TEST_F(Cli, JsonLinesCarryEveryFigure)
{
    const CliRun run = runCli(markArguments({u"--integer"_s, u"--json"_s, u"-"_s, jan, piet}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The report moves to standard error, so that standard output is JSON Lines only.
    EXPECT_TRUE(run.err.contains(jan + u".......Successful"_s));
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject marked = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    // clang-format off
    const QJsonObject expected{
        {u"path"_s, jan}, {u"status"_s, u"marked"_s}, {u"language"_s, u"en"_s}, {u"testText"_s, DoubledTest},
        {u"memoText"_s, Memo}, {u"memoCutLength"_s, Memo.size()}, {u"charCount"_s, 79}, {u"grossWords"_s, 16},
        {u"errorCount"_s, 1}, {u"wpm"_s, 1.5}, {u"finalWpm"_s, 2}, {u"doubleCounted"_s, 1},
        {u"excessWords"_s, QJsonArray{u"(like )"_s}}, {u"testStops"_s, 2}, {u"memoStops"_s, 2}, {u"testLineFeeds"_s, 1},
        {u"verdict"_s, u".......Successful"_s}, {u"resultsLine"_s, path(u"out/Class9C/Jan   2 wpm"_s)},
        {u"errors"_s, QJsonArray{QJsonObject{{u"word"_s, u"like "_s}, {u"start"_s, 9}, {u"kind"_s, 0}}}},
        // The error, then the excess word in the report block: "(like )" and its line end.
        {u"highlights"_s, QJsonArray{QJsonObject{{u"start0"_s, 8}, {u"length"_s, 4}, {u"kind"_s, u"error"_s}},
                                     QJsonObject{{u"start0"_s, 108}, {u"length"_s, 8}, {u"kind"_s, u"excess"_s}}}}};
    // clang-format on
    for (auto field = expected.begin(); field != expected.end(); ++field)
        EXPECT_EQ(marked[field.key()], field.value()) << qPrintable(field.key());
    const QJsonObject rejected = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    EXPECT_EQ(rejected[u"status"_s].toString(), u"too short"_s);
    EXPECT_EQ(rejected[u"resultsLine"_s].toString(), path(u"Class9C/Piet.rug  0  wpm"_s));
}

// The program's own folder when it may write there, otherwise Tallimark in the user's documents
// (an installed program in /usr/bin).
struct ProgramFolder : Cli, ::testing::WithParamInterface<bool>
{ };

TEST_P(ProgramFolder, TakesTheDestinationsUnlessReadOnly)
{
    const bool writable = GetParam();
    const auto readable =
        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    const auto open = readable | QFile::WriteOwner | QFile::WriteOther;
    for (const QString &folder : {u"bin"_s, u"home"_s})
        QDir(root.path()).mkpath(folder);
    ASSERT_TRUE(QFile::copy(Program, path(u"bin/tallimark-cli"_s)));
    QFile::setPermissions(root.path(), open);
    QFile::setPermissions(path(u"home"_s), open);
    QFile::setPermissions(path(u"bin"_s), writable ? open : readable);
    const CliRun run = runCli({u"mark"_s, u"--memos"_s, path(u"memos"_s), jan}, withHome(path(u"home"_s)),
                              path(u"bin/tallimark-cli"_s));
    QFile::setPermissions(path(u"bin"_s), open);
    ASSERT_NE(run.exitCode, 99) << "could not become nobody";
    const QString expected = writable ? u"bin/Class9C"_s : u"home/Documents/Tallimark/Class9C"_s;
    EXPECT_TRUE(QFile::exists(path(expected + u"/Resultaat.res"_s))) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rule, ProgramFolder, ::testing::Bool());

// Write failures: a result or an output that was not written never ends in success.
TEST_F(Cli, WritesThatFailEndWithAMessageAndExitCodeOne)
{
    const QString dest = path(u"out/Class9C"_s);
    ASSERT_EQ(mark({jan}).exitCode, 0);
    const QString goodCopy = read(u"out/Class9C/Jan.rug"_s);
    const auto toDevFull = [](QProcess &process) { process.setStandardOutputFile(u"/dev/full"_s); };
    const struct
    {
        QStringList arguments;
        Prepare prepare;
        QString message;
        int resultLines; // the marking itself still succeeds when only an output fails
    } cases[] = {
        {{u"--reuse"_s, jan}, diskFullAfter(200), u"Error: The disk is full."_s, 1},
        {{u"--reuse"_s, jan}, toDevFull, u"standard output could not be written"_s, 2},
        {{u"--reuse"_s, u"--json"_s, u"/dev/full"_s, jan}, {}, u"/dev/full: could not be written"_s, 3},
    };
    for (const auto &testCase : cases) {
        const CliRun run = mark(testCase.arguments, testCase.prepare);
        EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(testCase.message)) << run.err.toStdString();
        EXPECT_EQ(read(u"out/Class9C/Jan.rug"_s), goodCopy); // the earlier copy, whole
        EXPECT_EQ(read(u"out/Class9C/Resultaat.res"_s).count(u" wpm\r\n"_s), testCase.resultLines);
    }
    // The disk-full message names the file that could not be written.
    EXPECT_TRUE(mark({u"--reuse"_s, jan}, diskFullAfter(200)).err.contains(dest + u"/Jan.rug"_s));
    EXPECT_EQ(runCli({u"text"_s, jan}, toDevFull).exitCode, 1);
}

// Inputs: only .rtf files are tests; a folder gives its .rtf files in name order; nothing else
// given is ever copied over the destination's own files.
TEST_F(Cli, OnlyRtfFilesAreMarkedAndAFolderInNameOrder)
{
    const QString abel = write(u"Class9C/abel.RTF"_s, DoubledTest.toUtf8());
    const QString stray = write(u"Class9C/Resultaat.res"_s, "stray line\r\n");
    write(u"Class9C/notes.txt"_s, DoubledTest.toUtf8());
    QDir(path(u"out"_s)).mkpath(u"Class9C"_s);
    write(u"out/Class9C/Resultaat.res"_s, "earlier line\r\n");

    const CliRun byName = mark({u"--reuse"_s, jan, stray});
    EXPECT_EQ(byName.exitCode, 0) << byName.err.toStdString();
    EXPECT_TRUE(byName.err.contains(u"not marked: "_s + stray + u" is not a speed test"_s));
    const CliRun byFolder = mark({u"--reuse"_s, path(u"Class9C"_s)});
    EXPECT_EQ(byFolder.exitCode, 0) << byFolder.err.toStdString();
    EXPECT_EQ(byFolder.out.count(u"......."_s), 3);
    EXPECT_LT(byFolder.out.indexOf(abel), byFolder.out.indexOf(jan));
    EXPECT_LT(byFolder.out.indexOf(jan), byFolder.out.indexOf(piet));
    const QString results = read(u"out/Class9C/Resultaat.res"_s);
    EXPECT_TRUE(results.startsWith(u"earlier line\r\n"_s)) << results.toStdString();
    EXPECT_FALSE(results.contains(u"stray"_s));
    EXPECT_FALSE(QFile::exists(path(u"out/Class9C/notes.txt"_s)));
    EXPECT_EQ(mark({path(u"memos/none"_s)}).exitCode, 1);
}

// Memos: only from --memos (or the current folder); an unusable memo gives its tests no result.
TEST_F(Cli, AnUnusableMemoGivesItsTestsNoResult)
{
    const QString anika = write(u"Class9C/Anika.rtf"_s, AfrikaansTest.toUtf8());
    write(u"Bron.rtf"_s, (AfrikaansTest + AfrikaansTest).toUtf8()); // a stray memo in the current folder
    const struct
    {
        QByteArray bron; // null: none in the memo folder
        QString reason;
    } cases[] = {
        {QByteArray(), u"No such file or directory"_s},
        {QByteArray("Ons het 'n hond."), u"it has 16 characters; a memo needs at least 50"_s},
    };
    for (const auto &testCase : cases) {
        QFile::remove(path(u"memos/Bron.rtf"_s));
        if (!testCase.bron.isNull())
            write(u"memos/Bron.rtf"_s, testCase.bron);
        const CliRun run =
            mark({u"--reuse"_s, anika}, [this](QProcess &process) { process.setWorkingDirectory(root.path()); });
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(path(u"memos/Bron.rtf"_s))) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(testCase.reason)) << run.err.toStdString();
        EXPECT_FALSE(read(u"out/Class9C/Resultaat.res"_s).contains(u" wpm"_s));
    }
}

TEST_F(Cli, SummaryShowsTheClassRecordThatMarkingWrote)
{
    ASSERT_EQ(mark({jan, piet}).exitCode, 0);
    ASSERT_EQ(mark({u"--reuse"_s, u"--integer"_s, jan}).exitCode, 0);
    const QString dest = path(u"out/Class9C"_s);
    const CliRun run = runCli({u"summary"_s, dest, u"--csv"_s, path(u"class.csv"_s), u"--pdf"_s, path(u"class.pdf"_s)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Jan's second marking is current: 2 wpm as an integer, after 0 as a multiple of 5.
    const QStringList expectedLines{u"Jan +\\S+ \\S+ +English +79 +16 +1 +2 +\\+2 +Successful$"_s,
                                    u"Piet +\\S+ \\S+ +Too short or empty$"_s,
                                    u"^Tests marked: +1$"_s,
                                    u"^Tests rejected: +1$"_s,
                                    u"^Mean: +2 wpm$"_s,
                                    u"^Standard deviation \\(population\\): +0 wpm$"_s,
                                    u"^ +0-4  # 1$"_s};
    for (const QString &line : expectedLines)
        EXPECT_TRUE(run.out.contains(QRegularExpression(line, QRegularExpression::MultilineOption)))
            << qPrintable(line);

    const QStringList csv = read(u"class.csv"_s).split(u"\r\n"_s, Qt::SkipEmptyParts);
    ASSERT_EQ(csv.size(), 3);
    EXPECT_TRUE(csv[1].startsWith(u"Jan,"_s)) << qPrintable(csv[1]);
    EXPECT_TRUE(csv[1].endsWith(u",English,79,16,1,2,+2,Successful,"_s)) << qPrintable(csv[1]);
    // A cover page and Jan's marked copy; Piet's test was rejected and has none.
    QFile pdf(path(u"class.pdf"_s));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray pdfBytes = pdf.readAll();
    EXPECT_TRUE(pdfBytes.startsWith("%PDF"));
    EXPECT_EQ(pdfBytes.count("/Type /Page\n"), 2);

    const QStringList json = runCli({u"summary"_s, u"--json"_s, dest}).out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(json.size(), 2);
    const QJsonObject first = QJsonDocument::fromJson(json[0].toUtf8()).object();
    EXPECT_EQ(first[u"source"_s].toString(), jan);
    EXPECT_EQ(first[u"markedCopy"_s].toString(), dest + u"/Jan.rug"_s);
    EXPECT_EQ(first[u"rounding"_s].toString(), u"integer"_s);
    EXPECT_DOUBLE_EQ(first[u"wpm"_s].toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(first[u"previousResult"_s].toDouble(), 0);
    EXPECT_TRUE(QJsonDocument::fromJson(json[1].toUtf8()).object()[u"finalResult"_s].isNull());
}
