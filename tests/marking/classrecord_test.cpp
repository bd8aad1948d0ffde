// The class record and its figures: what a spreadsheet and the class results window rely on.
#include "marking/classfigures.h"
#include "marking/classrecord.h"
#include "marking/csvformat.h"

#include "documents/platformfile.h"
#include "support/childprocess.h"
#include "support/qstringprinting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace tallimark {
namespace {

using namespace Qt::StringLiterals;

ClassRecordRow row(const QString &learner, std::optional<double> result)
{
    ClassRecordRow r;
    r.markedAt = QDateTime(QDate(2026, 3, 9), QTime(8, 15), Qt::OffsetFromUTC, 7200);
    r.learner = learner;
    r.sourcePath = u"/home/teacher/Grade 9, \"B\"/"_s + learner + u".rtf"_s;
    r.rounding = u"integer"_s;
    r.verdict = result ? u"Successful"_s : u"Too short or empty"_s;
    if (result) {
        r.markedCopy = u"/dest/"_s + learner + u".rug"_s;
        r.memoLanguage = u"English"_s;
        std::tie(r.keystrokes, r.grossWords, r.wordsWithErrors, r.wpm) = std::tuple(2500, 500, 3, *result + 0.3);
        r.finalResult = result;
        r.remarks = u"Missing full stop(s); Missing comma(s)"_s;
    }
    return r;
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(ClassRecord, FieldsAreQuotedAsSpreadsheetsExpect)
{
    const QList<std::pair<QString, QString>> cases{
        {u"Anika Botha"_s, u"Anika Botha"_s},
        {u"Botha, Anika"_s, u"\"Botha, Anika\""_s},
        {u"Anika \"Ani\" Botha"_s, u"\"Anika \"\"Ani\"\" Botha\""_s},
        {u"two\r\nlines"_s, u"\"two\r\nlines\""_s},
        {QString(), QString()},
    };
    QStringList values;
    for (const auto &[value, quoted] : cases) {
        EXPECT_EQ(csvField(value), quoted) << value.toStdString();
        values.append(value);
    }
    const CsvTable table = parseCsv(csvRecord(values) + csvRecord(values));
    EXPECT_TRUE(table.error.isEmpty());
    EXPECT_EQ(table.records, (QList<QStringList>{values, values}));
    EXPECT_EQ(table.recordLines, (QList<int>{1, 3}));
}

TEST(ClassRecord, RowsAreAppendedWholeAndReadBack)
{
    QTemporaryDir dest;
    const QList<ClassRecordRow> rows{row(u"Botha, \"Ani\""_s, 65), row(u"Zoë Khan"_s, std::nullopt)};
    for (const ClassRecordRow &r : rows)
        ASSERT_FALSE(appendClassRecord(dest.path(), r).failed());

    const QString text = readAll(classRecordPath(dest.path()));
    EXPECT_EQ(text.count(u"Marked at,Learner"_s), 1) << "one header, however many rows";
    EXPECT_TRUE(text.endsWith(u"Too short or empty,\r\n"_s));
    const ClassRecord record = readClassRecord(dest.path());
    EXPECT_TRUE(record.found);
    EXPECT_TRUE(record.problems.isEmpty()) << record.problems.join(u'\n').toStdString();
    ASSERT_EQ(record.rows.size(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(classRecordFields(record.rows[i]), classRecordFields(rows[i]));
    EXPECT_FALSE(record.rows[1].isMarked());
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

    // A row cut short by a crash elsewhere, and a row with a field too many.
    QFile file(classRecordPath(root.path()));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("x,B,,,,,,,,,,,,extra\r\n2026-03-09T08:15:00Z,\"C");
    file.close();
    const ClassRecord record = readClassRecord(root.path());
    ASSERT_EQ(record.rows.size(), 1);
    EXPECT_EQ(record.rows[0].learner, u"A"_s);
    ASSERT_EQ(record.problems.size(), 2);
    EXPECT_TRUE(record.problems[0].contains(u"Tallimark.csv, line 4: a quoted field is not closed"_s));
    EXPECT_TRUE(record.problems[1].contains(u"line 3: 14 fields where the header has 13"_s));
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

struct FiguresCase
{
    const char *name;
    QList<std::optional<double>> results;
    int marked;
    int rejected;
    std::array<std::optional<double>, 5> figures; // mean, median, lowest, highest, standard deviation
    QList<std::pair<double, int>> histogram;
};

TEST(ClassFigures, MatchHandWorkedValues)
{
    const std::nullopt_t none = std::nullopt;
    // clang-format off
    const QList<FiguresCase> cases{
        {"class of one", {55}, 1, 0, {55, 55, 55, 55, 0}, {{55, 1}}},
        // deviations 12.5, 7.5, 7.5, 12.5: (156.25 * 2 + 56.25 * 2) / 4 = 106.25
        {"even count", {65, 40, 60, 45}, 4, 0, {52.5, 52.5, 40, 65, std::sqrt(106.25)},
         {{40, 1}, {45, 1}, {50, 0}, {55, 0}, {60, 1}, {65, 1}}},
        // mean 110 / 3; squares 400/9 + 121/9 + 961/9 = 1482/9, over 3
        {"with rejected tests", {30, none, 47, 33, none}, 3, 2, {110.0 / 3, 33, 30, 47, std::sqrt(1482.0 / 27)},
         {{30, 2}, {35, 0}, {40, 0}, {45, 1}}},
        {"all rejected", {none, none}, 0, 2, {none, none, none, none, none}, {}},
        {"negative result", {-3, 2}, 2, 0, {-0.5, -0.5, -3, 2, 2.5}, {{-5, 1}, {0, 1}}},
    };
    // clang-format on
    for (const FiguresCase &c : cases) {
        QList<LearnerResult> results;
        for (qsizetype i = 0; i < c.results.size(); ++i)
            results.append({row(QString::number(i), c.results[i]), std::nullopt});
        const ClassFigures f = classFigures(results);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(f.marked, c.marked);
        EXPECT_EQ(f.rejected, c.rejected);
        const std::array<std::optional<double>, 5> figures{f.mean, f.median, f.lowest, f.highest, f.standardDeviation};
        for (size_t i = 0; i < figures.size(); ++i) {
            EXPECT_EQ(figures[i].has_value(), c.figures[i].has_value()) << "figure " << i;
            EXPECT_NEAR(figures[i].value_or(0), c.figures[i].value_or(0), 1e-9) << "figure " << i;
        }
        QList<std::pair<double, int>> histogram;
        for (const HistogramBin &bin : f.histogram)
            histogram.append({bin.from, bin.count});
        EXPECT_EQ(histogram, c.histogram);
    }
}

} // namespace
} // namespace tallimark
