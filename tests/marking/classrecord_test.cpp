// The class record and its figures: what a spreadsheet and the class results window rely on.
#include "marking/fileoperations.h"
#include "records/classfigures.h"
#include "records/classrecord.h"
#include "records/classworkbook.h"
#include "records/csvformat.h"

#include "documents/platformfile.h"
#include "support/childprocess.h"
#include "support/qstringprinting.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cmath>
#include <sys/stat.h>
#include <unistd.h>

namespace tallimark {
namespace {

using namespace Qt::StringLiterals;

ClassRecordRow row(const QString &learner, std::optional<double> result)
{
    ClassRecordRow r;
    r.markedAt = QDateTime(QDate(2026, 3, 9), QTime(8, 15), Qt::OffsetFromUTC, 7200);
    r.learner = learner;
    r.sourcePath = u"/home/teacher/Grade 9, \"B\"/"_s + learner + u".rtf"_s;
    r.rounding = Rounding::Integer;
    r.verdict = result ? Verdict::Successful : Verdict::TooShortOrEmpty;
    if (result) {
        r.markedCopy = u"/dest/"_s + learner + u".rug"_s;
        r.memoLanguage = u"English"_s;
        std::tie(r.keystrokes, r.grossWords, r.wordsWithErrors, r.wpm) = std::tuple(2500, 500, 3, *result + 0.3);
        r.finalResult = result;
        r.remarks = u"Missing full stop(s); Missing comma(s)"_s;
    }
    return r;
}

// The file's text with any byte-order mark kept, so that tests see where it is.
QString readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(file.readAll());
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

const QString Bom = QString(QChar(QChar::ByteOrderMark));

const QByteArray Header = "Marked at,Learner,Source,Marked copy,Memo language,Keystrokes,Gross words,"
                          "Words with errors,WPM,Final result,Rounding,Verdict,Remarks\r\n";

QByteArray anikaRow(const QByteArray &finalResult, const QByteArray &keystrokes = "3369")
{
    return "2026-03-09T08:15:00Z,Anika,/t/Anika.rtf,/d/Anika.rug,English," + keystrokes + ",674,0,67.4," + finalResult
        + ",integer,Successful,\r\n";
}

TEST(ClassRecord, FieldsAreQuotedAsSpreadsheetsExpect)
{
    // What a spreadsheet would evaluate is written as text; what was given comes back.
    // clang-format off
    const QList<std::pair<QString, QString>> cases{
        {u"Anika Botha"_s, u"Anika Botha"_s}, {u"Anika \"Ani\" Botha"_s, u"\"Anika \"\"Ani\"\" Botha\""_s},
        {u"two\r\nlines"_s, u"\"two\r\nlines\""_s}, {QString(), QString()}, {u"=1+1"_s, u"'=1+1"_s},
        {u"=HYPERLINK(\"http://x\",\"click\")"_s, u"\"'=HYPERLINK(\"\"http://x\"\",\"\"click\"\")\""_s},
        {u"-2+3+cmd|' /C calc'!A0"_s, u"'-2+3+cmd|' /C calc'!A0"_s}, {u"\rx"_s, u"\"'\rx\""_s},
        {u"'=1+1"_s, u"''=1+1"_s}, {u"'t Hooft"_s, u"'t Hooft"_s}, {u"'"_s, u"'"_s}, {u"-3"_s, u"-3"_s}};
    // clang-format on
    QStringList values;
    for (const auto &[value, quoted] : cases) {
        EXPECT_EQ(csvField(value), quoted) << value.toStdString();
        values.append(value);
    }
    const CsvTable table = parseCsv(csvRecord(values) + csvRecord(values));
    EXPECT_EQ(table.records, (QList<QStringList>{values, values}));
    EXPECT_EQ(table.recordLines, (QList<int>{1, 3}));
}

// Rows are appended whole under one header and read back as written. Times are written where the
// test was marked, with the offset that places them: never "Z", which read as UTC beside the local
// times the window and the pack show. Records written with "Z" still read, to the same moment.
TEST(ClassRecord, RowsAreAppendedWholeAndReadBack)
{
    QTemporaryDir dest;
    const QDate day(2026, 12, 7);
    QList<ClassRecordRow> rows{row(u"Botha, \"Ani\""_s, 65), row(u"=1+1"_s, 40), row(u"Ben"_s, 50),
                               row(u"Zoë Khan"_s, std::nullopt)};
    // clang-format off
    const std::pair<QDateTime, QString> times[] = {
        {QDateTime(day, QTime(5, 6, 54), Qt::OffsetFromUTC, 7200), u"2026-12-07T05:06:54+02:00"_s},
        {QDateTime(day, QTime(3, 6, 54), Qt::UTC), u"2026-12-07T03:06:54+00:00"_s},
        {QDateTime(day, QTime(0, 36, 54), Qt::OffsetFromUTC, -(2 * 3600 + 1800)), u"2026-12-07T00:36:54-02:30"_s},
        {QDateTime(), QString()}};
    // clang-format on
    for (qsizetype i = 0; i < rows.size(); ++i) {
        rows[i].markedAt = times[i].first;
        if (!rows[i].markedCopy.isEmpty())
            rows[i].markedCopy = dest.filePath(rows[i].learner + u".rug"_s);
        ASSERT_FALSE(appendClassRecord(dest.path(), rows[i]).failed());
        EXPECT_EQ(classRecordFields(rows[i]).first(), times[i].second);
    }

    const QString text = readAll(classRecordPath(dest.path()));
    EXPECT_TRUE(text.startsWith(Bom + u"Marked at,Learner"_s)) << "a byte-order mark, once, for Excel";
    EXPECT_EQ(text.count(Bom), 1);
    EXPECT_TRUE(text.contains(u",'=1+1,"_s));
    EXPECT_TRUE(text.endsWith(u"Too short or empty,\r\n"_s));
    QFile record(classRecordPath(dest.path()));
    ASSERT_TRUE(record.open(QIODevice::Append) && record.write(anikaRow("65")) > 0); // written with a "Z"
    record.close();
    const ClassRecord read = readClassRecord(dest.path());
    EXPECT_TRUE(read.problems.isEmpty()) << read.problems.join(u'\n').toStdString();
    ASSERT_EQ(read.rows.size(), 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(classRecordFields(read.rows[i]), classRecordFields(rows[i]));
    EXPECT_EQ(read.rows[4].markedAt, QDateTime(QDate(2026, 3, 9), QTime(8, 15), Qt::UTC));
}

// The record's words give every verdict back, with its detail; words that are no verdict give
// none. The report's words of the other verdicts are checked with the session.
TEST(Verdict, TheRecordsWordsGiveTheVerdictBack)
{
    for (const Verdict verdict : {Verdict::Successful, Verdict::MayNotBeReliable, Verdict::TooShortOrEmpty,
                                  Verdict::TooLongOrCorrupt, Verdict::Unreadable, Verdict::NotMarked}) {
        for (const QString &detail : {QString(), u"not text"_s}) {
            const QString words = recordVerdict(verdict, detail);
            EXPECT_EQ(verdictFromRecord(words), std::pair(verdict, detail)) << words.toStdString();
        }
    }
    EXPECT_EQ(reportVerdict(Verdict::MayNotBeReliable, {}), u".......Result may not be reliable"_s);
    EXPECT_EQ(recordVerdict(Verdict::Unreadable, u"no such file"_s), u"Could not be read: no such file"_s);
    for (const QString &none : {QString(), u"Successful ("_s, u"successful"_s, u"Too long or corrupt ()"_s})
        EXPECT_FALSE(verdictFromRecord(none)) << none.toStdString();
}

TEST(ClassRecord, FailuresNameTheFileAndLeaveNoPartOfARow)
{
    QTemporaryDir root;
    const Failure failure = appendClassRecord(root.path() + u"/missing"_s, row(u"A"_s, 50));
    EXPECT_TRUE(failure.failed());
    EXPECT_TRUE(failure.description.contains(root.path() + u"/missing/Tallimark.csv"_s));

    ASSERT_FALSE(appendClassRecord(root.path(), row(u"A"_s, 50)).failed());
    const QString before = readAll(classRecordPath(root.path()));
    // The file-size limit makes the write stop half-way, whoever runs the test.
    const int failedCheck = testing::inChildProcess(
        [&] {
            platform::limitFileSize(4096);
            ClassRecordRow big = row(u"B"_s, 60);
            big.remarks = QString(10000, u'x');
            return appendClassRecord(root.path(), big).failed() ? 0 : 1;
        },
        false);
    EXPECT_EQ(failedCheck, 0) << "the append should have failed";
    EXPECT_EQ(readAll(classRecordPath(root.path())), before);
}

// Runs the check in a child stopped after ten seconds, so that a read or a loop without end
// fails the test instead of hanging it.
int withinTenSeconds(const std::function<int()> &check)
{
    return testing::inChildProcess(
        [&] {
            alarm(10);
            return check();
        },
        false);
}

// The record at path, or, for a content in angle brackets, a file of another kind in its place.
bool makeRecord(const QString &path, const QByteArray &content)
{
    const QByteArray name = QFile::encodeName(path);
    if (content == "<fifo>")
        return mkfifo(name.constData(), 0600) == 0;
    if (content == "<link to /dev/zero>")
        return symlink("/dev/zero", name.constData()) == 0;
    QFile file(path); // over 64 MB: sparse, no disk taken
    return content == "<65 MB>" ? file.open(QIODevice::WriteOnly) && file.resize(65 << 20) : writeFile(path, content);
}

// A record edited by hand, saved by a spreadsheet or damaged is read as far as it can be, and
// each thing left out is named with its line (and column). Neither a FIFO that waits for a writer
// nor a device without end is read: each is refused at once. The copy a row names is looked for
// in the record's own folder, under its name: a folder moved elsewhere still finds its copies,
// and a row edited to name another file finds none.
TEST(ClassRecord, DamagedRecordsAreNamedWithTheirLine)
{
    const QByteArray bob =
        "2026-03-09T08:16:00Z,Bob,/t/Bob.rtf,/d/Bob.rug,English,3000,600,0,60,60,integer,Successful,\r\n";
    const QString notRegular = u": not a regular file"_s;
    const auto anikaCopy = [](const QByteArray &named) {
        return Header + anikaRow("65").replace("/d/Anika.rug", named);
    };
    // clang-format off
    struct Damaged {
        const char *name;
        QByteArray content;
        bool readable;        // the header was found and the rows are the class
        QString problem;      // how the first problem begins after the file's name
        QStringList learners; // the rows read
        int marked;           // as the figures count them (none are rejected)
        QString copy = u"Anika.rug"_s; // the first row's marked copy, in the record's folder
    };
    QList<Damaged> cases{
        {"keystrokes beyond any test", Header + anikaRow("65", "99999999999"), true,
         u", line 2, column \"Keystrokes\": \"99999999999\" is not a number from -1000000 to 1000000"_s, {u"Anika"_s}, 1},
        {"UTF-16", QByteArray("\xFF\xFEM\0a\0", 6), false, u", line 1: the text is UTF-16"_s, {}, 0},
        {"UTF-16 without a byte-order mark", QByteArray("M\0a\0r\0", 6), false, u", line 1: the text is UTF-16"_s, {}, 0},
        {"semicolons", QByteArray(Header).replace(',', ';') + anikaRow("65").replace(',', ';'), false,
         u", line 1: the fields are separated by \";\""_s, {}, 0},
        {"another file's header", "Name,Score\r\nAnika,65\r\n", false, u", line 1: the first line is not the class record's header"_s, {}, 0},
        {"a row cut short by a crash", Header + anikaRow("65") + "2026-03-09T08:15:00Z,\"C", true,
         u", line 3: a quoted field is not closed"_s, {u"Anika"_s}, 1},
        {"a field too many", Header + anikaRow("65") + "x,B,,,,,,,,,,,,extra\r\n", true,
         u", line 3: 14 fields where the header has 13"_s, {u"Anika"_s}, 1},
        {"Windows-1252 name", Header + bob + anikaRow("65").replace("Anika", "Zo\xEB"), true,
         u", line 3: not UTF-8 text"_s, {u"Bob"_s, u"Zo\uFFFD"_s}, 2, u"Bob.rug"_s},
        {"no last line end", Header + anikaRow("65").chopped(2), true, QString(), {u"Anika"_s}, 1},
        {"unknown verdict", Header + anikaRow("65").replace("Successful", "Great"), true,
         u", line 2, column \"Verdict\": \"Great\" is not a verdict"_s, {u"Anika"_s}, 1},
        {"unknown rounding", Header + anikaRow("65").replace("integer", "tenths"), true,
         u", line 2, column \"Rounding\": \"tenths\" is not a rounding"_s, {u"Anika"_s}, 1},
        {"copy named with a path up", anikaCopy("../../Anika.RUG"), true, QString(), {u"Anika"_s}, 1, u"Anika.RUG"_s},
        {"copy outside the folder", anikaCopy("/etc/passwd"), true,
         u", line 2, column \"Marked copy\": \"/etc/passwd\" is not a marked copy (.rug) of this folder"_s, {u"Anika"_s}, 1, {}},
        {"copy a link out of the folder", anikaCopy("/elsewhere/Link.rug"), true, u", line 2, column \"Marked copy\": "_s,
         {u"Anika"_s}, 1, {}},
        {"FIFO", "<fifo>", false, notRegular, {}, 0}, {"link to /dev/zero", "<link to /dev/zero>", false, notRegular, {}, 0},
        {"over 64 MB", "<65 MB>", false, u": larger than 64 MB, too large for a class record"_s, {}, 0},
    };
    // clang-format on
    for (const char *result : {"inf", "-inf", "nan", "fast"})
        cases.append({result,
                      Header + anikaRow(result) + bob,
                      true,
                      u", line 2, column \"Final result\": \"%1\" is not a number from -1000 to 1000"_s.arg(
                          QLatin1String(result)),
                      {u"Anika"_s, u"Bob"_s},
                      1});
    for (const Damaged &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dest;
        const QString path = classRecordPath(dest.path());
        ASSERT_TRUE(makeRecord(path, c.content));
        ASSERT_EQ(symlink("/etc/passwd", QFile::encodeName(dest.filePath(u"Link.rug"_s)).constData()), 0);
        ASSERT_EQ(withinTenSeconds(
                      [&] { return int(classFigures(currentResults(readClassRecord(dest.path()).rows)).marked); }),
                  c.marked)
            << "the record, or its figures, read without end";
        const ClassRecord record = readClassRecord(dest.path());
        EXPECT_TRUE(record.found);
        EXPECT_EQ(record.readable, c.readable);
        if (c.problem.isEmpty())
            EXPECT_TRUE(record.problems.isEmpty()) << record.problems.join(u'\n').toStdString();
        else
            EXPECT_TRUE(record.problems.value(0).startsWith(path + c.problem))
                << record.problems.value(0).toStdString();
        QStringList learners;
        for (const ClassRecordRow &r : record.rows)
            learners.append(r.learner);
        EXPECT_EQ(learners, c.learners);
        if (!record.rows.isEmpty()) {
            EXPECT_EQ(record.rows[0].markedCopy, c.copy.isEmpty() ? QString() : dest.filePath(c.copy));
        }
        EXPECT_EQ(classFigures(currentResults(record.rows)).rejected, 0);
    }
}

// A file that lacks its last line end, as one edited by hand may, gets one before the next line,
// so that two rows never run into one. A link is replaced by a new file, which starts with the
// header whatever the link pointed to.
TEST(ClassRecord, AppendedLinesStartALineOfTheirOwn)
{
    QTemporaryDir dest;
    const QString record = classRecordPath(dest.path());
    const QString results = dest.filePath(u"Resultaat.res"_s);
    const QString elsewhere = dest.filePath(u"elsewhere.csv"_s);
    const auto appendBob = [&] { return appendClassRecord(dest.path(), row(u"Bob"_s, 60)); };
    const QString bob = csvRecord(classRecordFields(row(u"Bob"_s, 60)));
    // clang-format off
    const struct { const char *name; std::function<bool()> prepare; std::function<Failure()> append; QString path, expected; } cases[] = {
        {"record without its last line end", [&] { return writeFile(record, Header + anikaRow("65").chopped(2)); },
         appendBob, record, QString::fromUtf8(Header + anikaRow("65")) + bob},
        {"record a link to a non-empty file", [&] {
             return writeFile(elsewhere, Header + anikaRow("65")) && QFile::remove(record) && QFile::link(elsewhere, record);
         }, appendBob, record, Bom + QString::fromUtf8(Header) + bob},
        {"results file without its last line end", [&] { return writeFile(results, "/d/Anika   65 wpm"); },
         [&] { return appendLine(results, u"/d/Bob   60 wpm"_s); }, results, u"/d/Anika   65 wpm\r\n/d/Bob   60 wpm\r\n"_s},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.prepare());
        ASSERT_FALSE(c.append().failed());
        EXPECT_EQ(readAll(c.path), c.expected);
    }
    EXPECT_EQ(readAll(elsewhere), QString::fromUtf8(Header + anikaRow("65"))) << "written through the link";
}

TEST(ClassRecord, LatestRowOfALearnerIsCurrent)
{
    const QList<LearnerResult> results =
        currentResults({row(u"ben"_s, 50), row(u"Ann"_s, std::nullopt), row(u"ben"_s, 60), row(u"Ann"_s, 40),
                        row(u"Cas"_s, 45), row(u"Cas"_s, std::nullopt)});
    // learner, current result, previous marked result, change
    using Figures = std::tuple<QString, std::optional<double>, std::optional<double>, std::optional<double>>;
    QList<Figures> found;
    for (const LearnerResult &r : results)
        found.append({r.current.learner, r.current.finalResult, r.previousResult, r.change()});
    EXPECT_EQ(found,
              (QList<Figures>{{u"Ann"_s, 40, std::nullopt, std::nullopt},
                              {u"ben"_s, 60, 50, 10},
                              {u"Cas"_s, std::nullopt, 45, std::nullopt}}));
}

// The histogram spans only results a test can have: one beyond them, however it reached the
// figures, counts nowhere and makes no bins. 1e308 once made bins without end, so each row is
// first worked in a child stopped after ten seconds.
TEST(ClassFigures, MatchHandWorkedValues)
{
    const std::nullopt_t none = std::nullopt;
    // clang-format off
    const struct {
        const char *name;
        QList<std::optional<double>> results;
        int notMarkedRows; // tests that could not be read, after the results
        int marked, rejected;
        std::array<std::optional<double>, 5> figures; // mean, median, lowest, highest, standard deviation
        qsizetype bins;
        QList<std::pair<double, int>> histogram; // the bins that hold results
    } cases[] = {
        {"class of one", {55}, 0, 1, 0, {55, 55, 55, 55, 0}, 1, {{55, 1}}},
        // deviations 12.5, 7.5, 7.5, 12.5: (156.25 * 2 + 56.25 * 2) / 4 = 106.25
        {"even count", {65, 40, 60, 45}, 0, 4, 0, {52.5, 52.5, 40, 65, std::sqrt(106.25)}, 6, {{40, 1}, {45, 1}, {60, 1}, {65, 1}}},
        // mean 110 / 3; squares 400/9 + 121/9 + 961/9 = 1482/9, over 3
        {"with rejected and unmarked tests", {30, none, 47, 33, none}, 2, 3, 2, {110.0 / 3, 33, 30, 47, std::sqrt(1482.0 / 27)},
         4, {{30, 2}, {45, 1}}},
        {"all rejected", {none, none}, 0, 0, 2, {none, none, none, none, none}, 0, {}},
        {"negative result", {-3, 2}, 0, 2, 0, {-0.5, -0.5, -3, 2, 2.5}, 2, {{-5, 1}, {0, 1}}},
        {"none marked", {}, 3, 0, 0, {none, none, none, none, none}, 0, {}},
        {"largest double", {55, 1e308}, 0, 1, 0, {55, 55, 55, 55, 0}, 1, {{55, 1}}},
        {"the widest spread", {-1000, 1000}, 0, 2, 0, {0, 0, -1000, 1000, 1000}, 401, {{-1000, 1}, {1000, 1}}},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QList<LearnerResult> results;
        for (qsizetype i = 0; i < c.results.size(); ++i)
            results.append({row(QString::number(i), c.results[i]), std::nullopt});
        for (int i = 0; i < c.notMarkedRows; ++i)
            results.append({notMarkedRow(u"/t/x.rtf"_s, u"could not be read: no such file"_s, QDateTime(),
                                         u"/d/u"_s + QString::number(i) + u".rug"_s, Rounding::Integer),
                            std::nullopt});
        ASSERT_EQ(withinTenSeconds([&] { return int(classFigures(results).histogram.size() != c.bins); }), 0);
        const ClassFigures f = classFigures(results);
        EXPECT_EQ(std::tuple(f.marked, f.rejected, f.notMarked), std::tuple(c.marked, c.rejected, c.notMarkedRows));
        const std::array<std::optional<double>, 5> figures{f.mean, f.median, f.lowest, f.highest, f.standardDeviation};
        for (size_t i = 0; i < figures.size(); ++i) {
            EXPECT_EQ(figures[i].has_value(), c.figures[i].has_value()) << "figure " << i;
            EXPECT_NEAR(figures[i].value_or(0), c.figures[i].value_or(0), 1e-9) << "figure " << i;
        }
        QList<std::pair<double, int>> histogram;
        for (const HistogramBin &bin : f.histogram) {
            if (bin.count > 0)
                histogram.append({bin.from, bin.count});
        }
        EXPECT_EQ(histogram, c.histogram);
    }
}

// The workbook as LibreOffice Calc reads it under South African and US locales: numbers are numbers
// and "Marked at" a date in each (a CSV's "54.4" is text to Calc under en_ZA and af_ZA). Calc's CSV
// export quotes text cells only, which tells the types apart. Each workbook is written under the
// locale it is read in, as the window writes it (printf would write "54,4" there).
TEST(ClassWorkbook, CalcReadsNumbersAsNumbersAndDatesAsDatesInEveryLocale)
{
    if (!canWriteWorkbooks())
        GTEST_SKIP() << "built without libxlsxwriter";
    QTemporaryDir folder;
    ClassRecordRow marked = row(u"Zo\u00EB"_s, 55);
    marked.markedAt = QDateTime(QDate(2026, 12, 7), QTime(5, 6, 54), Qt::OffsetFromUTC, 7200);
    marked.wpm = 54.4;
    const ClassRecordRow unread = notMarkedRow(u"/t/=1+1.rtf"_s, u"could not be read: no such file"_s, marked.markedAt,
                                               u"/d/=1+1.rug"_s, Rounding::Integer);
    const ClassFigures figures;
    EXPECT_EQ(writeClassWorkbook(folder.path(), {marked}, figures),
              folder.path() + u": not a regular file (an output is written only over a file or under a new name)"_s);
    const QString missing = folder.filePath(u"gone/x.xlsx"_s);
    EXPECT_TRUE(writeClassWorkbook(missing, {marked}, figures).startsWith(missing + u": "_s));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());

    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    const QString date = marked.markedAt.toLocalTime().toString(u"yyyy-MM-dd HH:mm:ss"_s);
    const auto quoted = [](const QString &text) { return u'"' + text + u'"'; };
    // 54.4 as each locale shows it.
    const std::pair<QString, QString> cases[] = {{u"af_ZA.UTF-8"_s, u"54,4"_s}, {u"en_US.UTF-8"_s, u"54.4"_s}};
    int checked = 0;
    for (const auto &[locale, wpm] : cases) {
        SCOPED_TRACE(locale.toStdString());
        if (!std::setlocale(LC_ALL, locale.toUtf8().constData()))
            continue;
        const QString outFolder = folder.filePath(locale);
        const QString path = outFolder + u"/Class 9 results.xlsx"_s;
        EXPECT_TRUE(QDir().mkpath(outFolder));
        const QString failure = writeClassWorkbook(path, {marked, unread}, figures);
        std::setlocale(LC_ALL, "C");
        ASSERT_EQ(failure, QString());
        QProcess calc;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"LANG"_s, locale);
        environment.insert(u"LC_ALL"_s, locale);
        calc.setProcessEnvironment(environment);
        // A profile of its own, so that no setting of the user's decides the locale.
        calc.start(soffice,
                   {u"-env:UserInstallation=file://"_s + folder.filePath(u"profile-"_s + locale), u"--headless"_s,
                    u"--norestore"_s, u"--convert-to"_s, u"csv:Text - txt - csv (StarCalc):9,34,76,1,,0,true"_s,
                    u"--outdir"_s, outFolder, path});
        ASSERT_TRUE(calc.waitForFinished(180000)) << "LibreOffice did not finish";
        QFile csv(outFolder + u"/Class 9 results.csv"_s);
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << calc.readAllStandardError().toStdString();
        const QStringList lines = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 3);
        EXPECT_EQ(lines[0].trimmed(), quoted(classRecordHeader().join(u"\"\t\""_s)));
        const QStringList first = lines[1].trimmed().split(u'\t'), second = lines[2].trimmed().split(u'\t');
        ASSERT_TRUE(first.size() == 13 && second.size() >= 12) << qPrintable(lines.join(u'\n'));
        // Dates and numbers unquoted (not text), text quoted and never a formula, empty cells empty.
        EXPECT_EQ(first.mid(5, 5).join(u' '), u"2500 500 3 %1 55"_s.arg(wpm));
        EXPECT_EQ(
            (QStringList{first[0], first[1], second[0], second[1], second.mid(5, 5).join(u' '), second[11]}),
            (QStringList{date, quoted(u"Zo\u00EB"_s), date, quoted(u"=1+1"_s), u"    "_s, quoted(u"Not marked"_s)}));
        ++checked;
    }
    if (checked == 0)
        GTEST_SKIP() << "none of the locales is installed";
}

} // namespace
} // namespace tallimark
