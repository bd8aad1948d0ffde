// tallimark-cli as a user runs it: `text` on a few files, `mark` on a class folder, `summary` of it,
// and where its destination folders go when nobody names a place.
#include "support/qstringprinting.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString Memo = u"We like to read books at home. and this sentence ends the memo text here."_s;
const QString DoubledTest = u"We like like to read books at home. and this sentence ends the memo text here."_s;
const QString Program = u"" TALLIMARK_BINARY_DIR "/cli/tallimark-cli"_s;

struct CliRun
{
    int exitCode = -1;
    QString out, err;
};
using Prepare = std::function<void(QProcess &)>;

// A class folder with two tests, the memos in their own folder, and a second pair of memos in the
// folder the program runs in, which it must never take for the missing ones.
class Cli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const QString &folder : {u"memos"_s, u"Class9C"_s, u"out"_s})
            QDir(root.path()).mkpath(folder);
        for (const QString &memo : {u"memos/Bron.rtf"_s, u"memos/Source.rtf"_s, u"Bron.rtf"_s, u"Source.rtf"_s})
            write(memo, Memo.toUtf8());
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
    CliRun run(const QStringList &arguments, const Prepare &prepare = {}, const QString &program = Program) const
    {
        QProcess process;
        process.setWorkingDirectory(root.path());
        if (prepare)
            prepare(process);
        process.start(program, arguments);
        process.closeWriteChannel(); // nobody at a terminal to answer
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QStringList markArguments(const QStringList &arguments) const
    {
        return QStringList{u"mark"_s, u"--memos"_s, path(u"memos"_s), u"--out-root"_s, path(u"out"_s)} + arguments;
    }

    QTemporaryDir root;
    QString jan, piet;
};

} // namespace

// In order, on one class folder: the exit code, what standard output and standard error contain,
// and how many lines the class's results file has afterwards. Once Jan is marked, no failure
// leaves his marked copy other than whole, and nothing given is copied over the results file.
TEST_F(Cli, ExitCodesAndMessages)
{
    const QString stray = write(u"Class9C/Resultaat.res"_s, "stray line\r\n");
    const Prepare stdoutToDevFull = [](QProcess &process) { process.setStandardOutputFile(u"/dev/full"_s); };
    // clang-format off
    const struct { QStringList arguments; int exitCode; QString out; QStringList err; int resultLines; Prepare prepare = {}; } rows[] = {
        {{}, 2, {}, {}, 0}, {{u"frobnicate"_s}, 2, {}, {}, 0}, {{u"text"_s}, 2, {}, {}, 0}, {{u"mark"_s}, 2, {}, {}, 0},
        {{u"mark"_s, u"--frobnicate"_s, jan}, 2, {}, {}, 0}, {{u"mark"_s, u"--memos"_s, path(u"nowhere"_s), jan}, 2, {}, {}, 0},
        {{u"summary"_s}, 2, {}, {}, 0},
        // The destination is a folder of its own (the names refused are those of the session's own check).
        {{u"mark"_s, u"--dest"_s, u"."_s, jan}, 2, {}, {u"--dest: \".\" is a path, not a folder name."_s}, 0},
        {{u"summary"_s, path(u"memos"_s)}, 1, {}, {path(u"memos/Tallimark.csv"_s) + u": no class record"_s}, 0},
        {{u"--help"_s}, 0, u"mark [options] TEST..."_s, {}, 0}, {{u"mark"_s, u"--help"_s}, 0, u"--reuse"_s, {}, 0},
        {{u"--version"_s}, 0, u"tallimark-cli " TALLIMARK_VERSION ""_s, {}, 0}, {markArguments({path(u"memos/none"_s)}), 1, {}, {}, 0},
        // Memos come from --memos only, never from the folder the program runs in.
        {{u"mark"_s, u"--memos"_s, path(u"Class9C"_s), u"--out-root"_s, path(u"out"_s), jan}, 1, {},
         {u"Error: Source Document missing, or too small..."_s, u"The memo "_s + path(u"Class9C/Bron.rtf"_s) + u" cannot be used"_s}, 0},
        {markArguments({jan}), 0, {}, {}, 1},
        {markArguments({jan}), 1, {}, {u"Type new foldername or click Enter to proceed"_s}, 1}, // needs --reuse
        // The JSON never takes the place of a file that marking writes in the destination.
        {markArguments({u"--reuse"_s, u"--json"_s, path(u"out/Class9C/tallimark.CSV"_s), jan}), 2, {}, {u"--json: "_s}, 1},
        {markArguments({u"--reuse"_s, u"--json"_s, path(u"out/../out/Class9C/Jan.rug"_s), jan}), 2, {}, {u"--json: "_s}, 1},
        {markArguments({u"--reuse"_s, jan, stray}), 0, {}, {u"not marked: "_s + stray + u" is not a speed test"_s}, 2},
        {markArguments({u"--dest"_s, u"Retake"_s, jan}), 0, {}, {}, 2},
        // JSON Lines on standard output move the report to standard error.
        {markArguments({u"--reuse"_s, u"--json"_s, u"-"_s, jan}), 0, u"\"status\":\"marked\""_s, {jan + u".......Successful"_s}, 3},
        // An output that was not written never ends in success; the marking itself still counts.
        {markArguments({u"--reuse"_s, jan}), 1, {}, {u"standard output could not be written: No space left on device"_s}, 4, stdoutToDevFull},
        {markArguments({u"--reuse"_s, u"--json"_s, u"/dev/full"_s, jan}), 1, {}, {u"/dev/full: could not be written"_s}, 5},
        {{u"text"_s, jan}, 1, {}, {}, 5, stdoutToDevFull}};
    // clang-format on
    QString markedCopy;
    for (const auto &row : rows) {
        SCOPED_TRACE(qPrintable(row.arguments.join(u' ')));
        const CliRun result = run(row.arguments, row.prepare);
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err.toStdString();
        EXPECT_TRUE(result.out.contains(row.out)) << result.out.toStdString();
        for (const QString &message : row.err)
            EXPECT_TRUE(result.err.contains(message)) << result.err.toStdString();
        EXPECT_EQ(read(u"out/Class9C/Resultaat.res"_s).count(u" wpm\r\n"_s), row.resultLines);
        if (markedCopy.isEmpty())
            markedCopy = read(u"out/Class9C/Jan.rug"_s);
        EXPECT_EQ(read(u"out/Class9C/Jan.rug"_s), markedCopy);
    }
    EXPECT_EQ(read(u"out/Retake/Resultaat.res"_s).count(u" wpm\r\n"_s), 1);
}

TEST_F(Cli, TextPrintsUtf8WithCrLfKeptAndGoesOnPastAnUnreadableFile)
{
    const QString rtf = write(
        u"test.rtf"_s, "{\\rtf1\\ansi\\ansicpg1252 Die skool se h\\'ea k\\'eb.\\par\r\nTweede\\tab lyn\\par\r\n}");
    const CliRun result = run({u"text"_s, rtf, path(u"missing.rtf"_s), write(u"plain.txt"_s, "one\r\ntwo")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, u"Die skool se hê kë.\r\nTweede\tlynone\r\ntwo"_s);
    EXPECT_EQ(result.err,
              u"tallimark-cli text: %1: Path/File access error: %1 (error 75)\n"_s.arg(path(u"missing.rtf"_s)));
}

// A folder gives its .rtf files, in any case, in name order, and nothing else, whatever their
// names: one whose name is not valid UTF-8 is marked like the others, a FIFO gets its report line,
// and a hidden file or a folder with a test's name is named on standard error. The report goes to
// standard output as it goes, the closing message to standard error, and every figure of each test
// to the JSON Lines file.
TEST_F(Cli, MarksFoldersAndReportsEveryFigure)
{
    const QString abel = write(u"Class9C/abel.RTF"_s, DoubledTest.toUtf8());
    write(u"Class9C/notes.txt"_s, DoubledTest.toUtf8());
    QDir(root.path()).mkpath(u"Odd/sub.rtf"_s);
    write(u"Odd/.hidden.rtf"_s, DoubledTest.toUtf8());
    const QByteArray odd = QFile::encodeName(path(u"Odd"_s));
    const int fd = ::open((odd + "/bad\xff.rtf").constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    const QByteArray text = DoubledTest.toUtf8();
    ASSERT_EQ(::write(fd, text.constData(), size_t(text.size())), text.size());
    ::close(fd);
    ASSERT_EQ(mkfifo((odd + "/pipe.rtf").constData(), 0600), 0);
    const CliRun result =
        run(markArguments({u"--integer"_s, u"--json"_s, path(u"figures"_s), path(u"Class9C"_s), path(u"Odd"_s)}));
    EXPECT_EQ(result.exitCode, 1); // the FIFO got no result
    EXPECT_TRUE(result.out.startsWith(u"               Marking speed tests in Class9C\n\n"_s + abel
                                      + u".......Successful\n"_s + jan + u".......Successful\n"_s + piet
                                      + u".......too short or empty\n"_s))
        << qPrintable(result.out);
    EXPECT_EQ(result.out.count(u".......Successful"_s), 3) << qPrintable(result.out);
    EXPECT_TRUE(result.out.contains(path(u"Odd/pipe.rtf"_s) + u".......could not be read: not a regular file"_s));
    EXPECT_TRUE(result.err.contains(u"not marked: "_s + path(u"Odd/.hidden.rtf"_s) + u" is a hidden file"_s));
    EXPECT_TRUE(result.err.contains(u"not marked: "_s + path(u"Odd/sub.rtf"_s) + u" is a folder"_s));
    EXPECT_TRUE(result.err.endsWith(u"Done: End of this marking session.\nResults have been saved in "_s
                                    + path(u"out/Class9C"_s) + u"\n"_s))
        << qPrintable(result.err);
    EXPECT_EQ(read(u"out/Class9C/Resultaat.res"_s).count(u" wpm\r\n"_s), 4);

    const QStringList lines = read(u"figures"_s).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    const QJsonObject marked = QJsonDocument::fromJson(lines[1].toUtf8()).object();
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
    const QJsonObject rejected = QJsonDocument::fromJson(lines[2].toUtf8()).object();
    EXPECT_EQ(rejected[u"status"_s].toString(), u"too short"_s);
    EXPECT_EQ(rejected[u"resultsLine"_s].toString(), path(u"Class9C/Piet.rug  0  wpm"_s));
}

// The program's own folder when its user may write there, otherwise Tallimark in the user's
// documents (whether root's folders count as installed is checked in the platform tests). Root
// writes anywhere, so under root the copy belongs to nobody and runs as nobody.
TEST_F(Cli, DestinationsGoBesideAUsersWritableCopyOrIntoDocuments)
{
    const bool asNobody = geteuid() == 0;
    chmod(QFile::encodeName(root.path()).constData(), 0777);
    for (const bool writable : {true, false}) {
        SCOPED_TRACE(writable ? "writable" : "read-only");
        const QString bin = path(u"bin%1"_s.arg(writable)), home = path(u"home%1"_s.arg(writable));
        for (const QString &folder : {bin, home}) {
            QDir().mkpath(folder);
            chmod(QFile::encodeName(folder).constData(), 0777);
        }
        ASSERT_TRUE(QFile::copy(Program, bin + u"/tallimark-cli"_s));
        const QByteArray binName = QFile::encodeName(bin);
        chmod(binName.constData(), writable ? 0777 : 0555);
        if (asNobody) {
            ASSERT_EQ(chown(binName.constData(), 65534, 65534), 0);
        }
        const Prepare atHome = [&](QProcess &process) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"HOME"_s, home);
            environment.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
            process.setProcessEnvironment(environment);
            if (asNobody)
                process.setChildProcessModifier([] {
                    if (setgid(65534) != 0 || setuid(65534) != 0)
                        _exit(99);
                });
        };
        const CliRun result = run({u"mark"_s, u"--memos"_s, path(u"memos"_s), jan}, atHome, bin + u"/tallimark-cli"_s);
        chmod(binName.constData(), 0777);
        ASSERT_NE(result.exitCode, 99) << "could not become nobody";
        const QString destination = writable ? bin : home + u"/Documents/Tallimark"_s;
        EXPECT_TRUE(QFile::exists(destination + u"/Class9C/Resultaat.res"_s)) << result.err.toStdString();
        EXPECT_EQ(QFile::exists(bin + u"/Class9C"_s), writable);
    }
}

// The class details given to summary are kept in the folder for the packs made after; an empty
// value clears one, and details that cannot be kept fail the run.
TEST_F(Cli, SummaryShowsTheClassRecordThatMarkingWroteAndKeepsTheClassDetailsGiven)
{
    ASSERT_EQ(run(markArguments({jan, piet})).exitCode, 0);
    ASSERT_EQ(run(markArguments({u"--reuse"_s, u"--integer"_s, jan})).exitCode, 0);
    const QString dest = path(u"out/Class9C"_s);
    const QStringList arguments{u"summary"_s,     dest,
                                u"--csv"_s,       path(u"class.csv"_s),
                                u"--pdf"_s,       path(u"class.pdf"_s),
                                u"--school"_s,    u"Hoërskool Bergsig"_s,
                                u"--test-date"_s, u"2026-03-14"_s};
    CliRun result = run(arguments + QStringList{u"--xlsx"_s, path(u"class.xlsx"_s)});
    // A build without libxlsxwriter says so before it does anything.
    if (result.err.contains(u"this build cannot write Excel workbooks"_s)) {
        EXPECT_EQ(result.exitCode, 2);
        result = run(arguments);
    } else {
        EXPECT_GT(QFileInfo(path(u"class.xlsx"_s)).size(), 0);
    }
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    // Jan's second marking is current: 2 wpm as an integer, after 0 as a multiple of 5.
    for (const QString &line :
         {u"^School: +Hoërskool Bergsig$"_s, u"Jan +\\S+ \\S+ +English +79 +16 +1 +2 +\\+2 +Successful$"_s,
          u"Piet +\\S+ \\S+ +Too short or empty$"_s, u"^Tests marked: +1$"_s, u"^Tests rejected: +1$"_s,
          u"^Mean: +2 wpm$"_s, u"^Standard deviation \\(population\\): +0 wpm$"_s, u"^ +0-4  # 1$"_s})
        EXPECT_TRUE(result.out.contains(QRegularExpression(line, QRegularExpression::MultilineOption)))
            << qPrintable(line);

    const QStringList csv = read(u"class.csv"_s).split(u"\r\n"_s, Qt::SkipEmptyParts);
    ASSERT_EQ(csv.size(), 3);
    EXPECT_TRUE(csv[1].startsWith(u"Jan,"_s) && csv[1].endsWith(u",English,79,16,1,2,+2,Successful,"_s))
        << qPrintable(csv[1]);
    // A cover page, the page of the tests without a result (Piet's was rejected) and Jan's
    // marked copy.
    EXPECT_EQ(read(u"class.pdf"_s).count(u"/Type /Page\n"_s), 3);

    const QStringList json = run({u"summary"_s, u"--json"_s, dest}).out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(json.size(), 2);
    const QJsonObject first = QJsonDocument::fromJson(json[0].toUtf8()).object();
    EXPECT_EQ(first[u"source"_s].toString(), jan);
    EXPECT_EQ(first[u"markedCopy"_s].toString(), dest + u"/Jan.rug"_s);
    EXPECT_EQ(first[u"rounding"_s].toString(), u"integer"_s);
    EXPECT_DOUBLE_EQ(first[u"wpm"_s].toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(first[u"previousResult"_s].toDouble(), 0);
    EXPECT_TRUE(QJsonDocument::fromJson(json[1].toUtf8()).object()[u"finalResult"_s].isNull());

    result = run({u"summary"_s, dest, u"--school"_s, u""_s});
    EXPECT_FALSE(result.out.contains(u"School:"_s));
    EXPECT_TRUE(
        result.out.contains(QRegularExpression(u"^Test date: +2026-03-14$"_s, QRegularExpression::MultilineOption)));
    ASSERT_TRUE(QFile::remove(path(u"out/Class9C/Class details.json"_s)));
    ASSERT_TRUE(QDir().mkdir(path(u"out/Class9C/Class details.json"_s)));
    result = run({u"summary"_s, dest, u"--teacher"_s, u"Mr Ndlovu"_s});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(u"Class details.json: not a regular file"_s)) << result.err.toStdString();
}

// Outputs go only over regular files or under new names; a FIFO or a link to one is refused and
// left as it was (a FIFO was replaced by a file, or waited on for a reader).
TEST_F(Cli, SummaryWritesOnlyOverFilesAndFailsOnADamagedRecord)
{
    ASSERT_EQ(run(markArguments({jan})).exitCode, 0);
    ASSERT_EQ(mkfifo(QFile::encodeName(path(u"fifo"_s)).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(path(u"fifo"_s), path(u"fifo-link"_s)));
    write(u"old.csv"_s, "old");
    const auto kind = [this](const QString &name) {
        const QFileInfo info(path(name));
        return info.isSymLink() ? u"link"_s : info.isFile() ? u"file"_s : u"other"_s;
    };
    for (const auto &[option, name] : {std::pair{u"--csv"_s, u"fifo"_s}, std::pair{u"--pdf"_s, u"fifo"_s},
                                       std::pair{u"--csv"_s, u"fifo-link"_s}, std::pair{u"--csv"_s, u"old.csv"_s}}) {
        SCOPED_TRACE((option + u' ' + name).toStdString());
        const QString before = kind(name);
        const CliRun result = run({u"summary"_s, path(u"out/Class9C"_s), option, path(name)});
        EXPECT_EQ(kind(name), before);
        const bool refused = before != u"file"_s;
        EXPECT_EQ(result.exitCode, refused ? 1 : 0) << result.err.toStdString();
        EXPECT_EQ(result.err.contains(path(name) + u": not a regular file"_s), refused) << result.err.toStdString();
    }
    EXPECT_TRUE(read(u"old.csv"_s).startsWith(u"Learner,"_s));

    // A record that is damaged or not a file at all is never shown as a whole class: what is left
    // out is named with its line, and the run fails at once (one cell of "inf" made the histogram
    // endless; a FIFO was waited on for good).
    const QString record = path(u"out/Class9C/Tallimark.csv"_s);
    QByteArray content = read(u"out/Class9C/Tallimark.csv"_s).toUtf8();
    const QByteArray pietRow = content.mid(content.indexOf('\n') + 1).replace("Jan", "Piet");
    write(u"out/Class9C/Tallimark.csv"_s, content.replace(",0,multiple of 5,", ",inf,multiple of 5,") + pietRow);
    CliRun result = run({u"summary"_s, path(u"out/Class9C"_s)});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(record + u", line 2, column \"Final result\": \"inf\" is not a number"_s))
        << result.err.toStdString();
    EXPECT_TRUE(result.out.contains(u"Tests marked:                     1\n"_s)) << result.out.toStdString();
    EXPECT_LT(result.out.size(), 2000);
    ASSERT_TRUE(QFile::remove(record));
    ASSERT_EQ(mkfifo(QFile::encodeName(record).constData(), 0600), 0);
    result = run({u"summary"_s, path(u"out/Class9C"_s)});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(record + u": not a regular file"_s)) << result.err.toStdString();
}
