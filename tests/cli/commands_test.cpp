// tallimark-cli as a user runs it: `text` on a few files, `mark` on a class folder, and where its
// destination folders go when nobody names a place.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

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

const QString Program = u"" TALLIMARK_BINARY_DIR "/cli/tallimark-cli"_s;

// With a home folder given, the program runs with it, and as nobody when the tests run as root
// (to whom every folder is writable).
CliRun runCli(const QStringList &arguments, const QString &program = Program, const QString &home = {})
{
    QProcess process;
    if (!home.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, home);
        environment.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
        process.setProcessEnvironment(environment);
        if (geteuid() == 0)
            process.setChildProcessModifier([] {
                if (setgid(65534) != 0 || setuid(65534) != 0)
                    _exit(99);
            });
    }
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
    const QString noAccess = u"Error: Tallimark does not have access to certain documents."_s;
    const QStringList noMemos{u"mark"_s, u"--memos"_s, path(u"Class9C"_s), u"--out-root"_s, path(u"out"_s), jan};
    // clang-format off
    const struct { QStringList arguments; int exitCode; QString out; QStringList err; int resultLines; } rows[] = {
        {{}, 2, {}, {}, 0}, {{u"frobnicate"_s}, 2, {}, {}, 0}, {{u"text"_s}, 2, {}, {}, 0}, {{u"mark"_s}, 2, {}, {}, 0},
        {{u"mark"_s, u"--frobnicate"_s, jan}, 2, {}, {}, 0}, {{u"mark"_s, u"--memos"_s, path(u"nowhere"_s), jan}, 2, {}, {}, 0},
        {{u"mark"_s, u"--dest"_s, u"a/b"_s, jan}, 2, {}, {}, 0}, {{u"--help"_s}, 0, u"mark [options] TEST..."_s, {}, 0},
        {{u"mark"_s, u"--help"_s}, 0, u"--reuse"_s, {}, 0}, {{u"--version"_s}, 0, version, {}, 0},
        {noMemos, 1, {}, {u"Error: Source Document missing, or too small..."_s, u"warning:"_s}, 0},
        {markArguments({jan}), 0, {}, {}, 1},
        {markArguments({jan}), 1, {}, {u"Type new foldername or click Enter to proceed"_s}, 1}, // needs --reuse
        {markArguments({u"--reuse"_s, jan}), 0, {}, {}, 2},
        {markArguments({u"--dest"_s, u"Retake"_s, jan}), 0, {}, {}, 2},
        {markArguments({u"--reuse"_s, gone}), 1, {}, {u"warning: error 53"_s, noAccess}, 2}};
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
    const CliRun run =
        runCli({u"mark"_s, u"--memos"_s, path(u"memos"_s), jan}, path(u"bin/tallimark-cli"_s), path(u"home"_s));
    QFile::setPermissions(path(u"bin"_s), open);
    ASSERT_NE(run.exitCode, 99) << "could not become nobody";
    const QString expected = writable ? u"bin/Class9C"_s : u"home/Documents/Tallimark/Class9C"_s;
    EXPECT_TRUE(QFile::exists(path(expected + u"/Resultaat.res"_s))) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rule, ProgramFolder, ::testing::Bool());
