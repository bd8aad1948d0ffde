// From the counts to the result: the deductions, the words per minute, the rounding, the report
// block and the numbers in it.
#include "marking/layoutchecks.h"
#include "marking/numbertext.h"
#include "marking/resultcalculation.h"

#include "support/qstringprinting.h"
#include "support/rowname.h"

#include <gtest/gtest.h>

using namespace tallimark;
using namespace Qt::StringLiterals;
using enum Rounding;

TEST(NumberText, ShortestFormWithFifteenDigits)
{
    // clang-format off
    const struct { double value; QString separator, text; } rows[] = {
        {24.3, u"."_s, u"24.3"_s}, {25.0, u"."_s, u"25"_s}, {-1.3, u"."_s, u"-1.3"_s}, {0.1 + 0.2, u"."_s, u"0.3"_s},
        {-0.0, u"."_s, u"0"_s}, {8.881784197001252e-17, u"."_s, u"8.88178419700125E-17"_s},
        {0.00001, u"."_s, u"1E-05"_s}, {0.0001, u"."_s, u"0.0001"_s}, {24.3, u","_s, u"24,3"_s}};
    // clang-format on
    for (const auto &row : rows)
        EXPECT_EQ(numberText(row.value, row.separator), row.text);
    EXPECT_EQ(numberText(qint64(1234)), u"1234"_s);
    EXPECT_EQ(numberText(24.3), u"24.3"_s); // ctest runs with LC_ALL=C.UTF-8: a full stop
}

// As integer: halves to even. As a multiple of 5: on whole tenths, so 22.5 goes up; a negative
// result gives an exact 0 (written out, so that a residue of the floating-point steps shows).
TEST(FinalRounding, HalvesToEvenOrOnWholeTenths)
{
    // clang-format off
    const struct { double wpm; Rounding rounding; QString result; } rows[] = {
        {24.5, Integer, u"24"_s}, {25.5, Integer, u"26"_s}, {22.4, Integer, u"22"_s}, {22.4, MultipleOf5, u"20"_s},
        {22.5, MultipleOf5, u"25"_s}, {0.0, MultipleOf5, u"0"_s}, {-3.0, MultipleOf5, u"0"_s}, {-7.5, MultipleOf5, u"-5"_s},
        {-1.3, MultipleOf5, u"0"_s}};
    // clang-format on
    for (const auto &row : rows)
        EXPECT_EQ(numberText(roundedResult(row.wpm, row.rounding), u"."_s), row.result) << row.wpm;
}

namespace {

struct ResultCase
{
    const char *name;
    qint64 charCount;
    int wordErrors;
    QStringList excessWords; // as listed; each also counts in the excess text
    int doubleCounted;
    LayoutCounts layout; // lines, stops, commas and marks: the test's, then the memo part's
    int errorCount;      // after the deductions
    double wpm;          // before rounding
    Rounding rounding;
    QString report;
};

TALLIMARK_ROW_PRINTS_ITS_NAME(ResultCase)

using Result = ::testing::TestWithParam<ResultCase>;

} // namespace

TEST_P(Result, DeductionsWpmAndReport)
{
    const ResultCase &row = GetParam();
    ExcessWords excess;
    for (const QString &word : row.excessWords) {
        ++excess.count;
        excess.words.append(word);
        // The text holds the words as typed; brackets are only put round them in the list.
        excess.text += QString(word).remove(u'(').remove(u')');
    }
    excess.doubleCounted = row.doubleCounted;
    const int errorCount = finalErrorCount(row.wordErrors, row.layout, excess);
    EXPECT_EQ(errorCount, row.errorCount);
    const ResultFigures result = calculateResult(row.charCount, errorCount, row.rounding);
    EXPECT_DOUBLE_EQ(result.wpm, row.wpm);
    EXPECT_EQ(buildReport(result, excess, row.layout), row.report);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Marking, Result, ::testing::Values(
    ResultCase{"workedExample", 1234, 4, {u"and "_s}, 0, {}, 4, 24.3, MultipleOf5,
               u"\r\n|| 1234     4m\r\nExcess words: and \r\n1234 ÷ 5 = 247\r\n"
               "Less no. of words with errors:  - 4 = 243\r\nWPM = 243 ÷ 10 = 24.3         Final: 25 wpm "_s},
    // Without excess words the missing items leave an empty line first. 9.6 as integer: 10.
    ResultCase{"missingItems", 500, 2, {}, 0, {1, 1, 3, 4, 1, 2, 0, 0}, 4, 9.6, Integer,
               u"\r\n|| 500     4m\r\n\r\nMissing full stop(s)\r\nMissing comma(s)\r\n500 ÷ 5 = 100\r\n"
               "Less no. of words with errors:  - 4 = 96\r\nWPM = 96 ÷ 10 = 9.6         Final: 10 wpm "_s},
    // Excess words cost a word per six characters of their text.
    ResultCase{"everyItemAfterTheExcessWords", 100, 0, {u"cat "_s, u"(dog )"_s}, 0, {2, 1, 0, 0, 0, 0, 0, 1},
               3, 1.7, MultipleOf5,
               u"\r\n|| 100     3m\r\nExcess words: cat , (dog )\r\nWrong number of line feeds\r\n"
               "Missing <!> or <?>\r\n100 ÷ 5 = 20\r\n"
               "Less no. of words with errors:  - 3 = 17\r\nWPM = 17 ÷ 10 = 1.7         Final: 0 wpm "_s},
    ResultCase{"elevenLetterExcessWord", 100, 0, {u"forgiveness "_s}, 0, {}, 2, 1.8, MultipleOf5,
               u"\r\n|| 100     2m\r\nExcess words: forgiveness \r\n100 ÷ 5 = 20\r\n"
               "Less no. of words with errors:  - 2 = 18\r\nWPM = 18 ÷ 10 = 1.8         Final: 0 wpm "_s},
    // 0 + 0 - 1 is held at 0, then raised to 1 for the excess text.
    ResultCase{"doubledWordsNeverNegative", 100, 0, {u"(a )"_s}, 1, {}, 1, 1.9, MultipleOf5,
               u"\r\n|| 100     1m\r\nExcess words: (a )\r\n100 ÷ 5 = 20\r\n"
               "Less no. of words with errors:  - 1 = 19\r\nWPM = 19 ÷ 10 = 1.9         Final: 0 wpm "_s},
    ResultCase{"moreErrorsThanWords", 100, 33, {}, 0, {}, 33, -1.3, MultipleOf5,
               u"\r\n|| 100     33m\r\n\r\n100 ÷ 5 = 20\r\n"
               "Less no. of words with errors:  - 33 = -13\r\nWPM = -13 ÷ 10 = -1.3         Final: 0 wpm "_s}),
    RowName());
// clang-format on

// The lines before the start position: a CR in the last position is not counted, and one in
// position 1 ends the scan. The punctuation of the test, and of the memo's compared part only.
TEST(LayoutCounts, LinesAndPunctuation)
{
    // clang-format off
    const struct { QString text; int start, lines; } rows[] = {
        {u"no breaks at all"_s, 15, 1}, {u"a\r\nb\r\nc"_s, 6, 3}, {u"ab\r"_s, 2, 1}, {u"\rab"_s, 2, 1},
        {u"a\rb"_s, 2, 2}};
    // clang-format on
    for (const auto &row : rows)
        EXPECT_EQ(countLines(row.text, row.start), row.lines) << row.text.toStdString();
    EXPECT_EQ(countLayout(u"one\r\ntwo\r\nthree"_s, u"one\r\ntwo three"_s, 11), (LayoutCounts{3, 2, 0, 0, 0, 0, 0, 0}));
    // The memo's first 12 characters are "A. b, c, d. ".
    EXPECT_EQ(countLayout(u"A. b, c! d? e."_s, u"A. b, c, d. e. f. g. h."_s, 12),
              (LayoutCounts{1, 1, 2, 2, 1, 2, 2, 0}));
}
