#include "marking/markingstate.h"
#include "marking/textpreparation.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tallimark;

namespace {

const QString Memo = QStringLiteral("The quick brown fox jumps over the lazy dog and runs far away into the woods.");

// A memo with "quick brown " at position 5 and " lazy dog an" gap characters after it.
QString memoWithGap(int gap)
{
    return QStringLiteral("The quick brown ") + QString(gap - 12 - 30, u'x') + u' ' + QString(29, u'y')
           + QStringLiteral(" lazy dog and runs far away into the woods.");
}

// Both pieces of the pair search, 30 apart in the test; everything the tail and window
// searches look at contains "#".
QString pairTest(const QString &b, const QString &a)
{
    return QString(28, u'#') + b + QString(18, u'#') + a + QString(10, u'#');
}

struct MemoCutCase
{
    const char *name;
    QString test;
    QString memo;
    int cut;
};

void PrintTo(const MemoCutCase &row, std::ostream *out) { *out << row.name; }

class MemoCut : public ::testing::TestWithParam<MemoCutCase>
{
};

} // namespace

TEST_P(MemoCut, WhereTheLearnerStopped)
{
    auto state = std::make_unique<MarkingState>();
    findMemoCut(*state, GetParam().test, GetParam().memo);
    EXPECT_TRUE(state->memoMatched);
    EXPECT_EQ(state->memoCutLength, GetParam().cut);
}

INSTANTIATE_TEST_SUITE_P(
    Marking, MemoCut,
    ::testing::Values(
        // The last 40 characters of the test start at memo position 21: cut 41 after their start.
        MemoCutCase{"lastFortyCharacters", Memo.left(60), Memo, 21 + 41},
        // Only the last 16 characters (memo 21 to 36) are in the memo; longer tails take in the "#".
        MemoCutCase{"shorterTailsInStepsOfThree", QString(40, u'q') + u'#' + Memo.mid(20, 16), Memo, 21 + 41},
        // Every tail ends in "#####"; the 36 characters from position L - 40 are memo 5 to 40.
        MemoCutCase{"windowBeforeTheLastForty", QString(20, u'#') + Memo.mid(4, 36) + QString(5, u'#'), Memo, 5 + 41},
        // b at memo 5, a at memo 35: pa + n + 21 = 57, and the first blank at or after 56 is at 57.
        MemoCutCase{"pairCutsAtTheNextWordEnd", pairTest(Memo.mid(4, 12), Memo.mid(34, 12)), Memo, 57},
        // Pairs 76 or 75 apart are not accepted: the fallback, the test's length + 10.
        MemoCutCase{"pairSeventySixApart", pairTest(QStringLiteral("quick brown "), QStringLiteral(" lazy dog an")),
                    memoWithGap(76), 90},
        MemoCutCase{"pairSeventyFiveApart", pairTest(QStringLiteral("quick brown "), QStringLiteral(" lazy dog an")),
                    memoWithGap(75), 90},
        MemoCutCase{"nothingFound", QString(60, u'#'), Memo + Memo, 70},
        MemoCutCase{"nothingFoundInAShorterMemo", QString(60, u'#'), Memo.left(65), 65},
        // 50 characters: the second piece of every round would start before position 1.
        MemoCutCase{"shortTestSkipsPairRounds", QString(18, u'#') + Memo.mid(34, 12) + QString(20, u'#'), Memo + Memo, 60}),
    [](const ::testing::TestParamInfo<MemoCutCase> &param) { return std::string(param.param.name); });

TEST(CharacterCount, KeystrokesPerCharacter)
{
    EXPECT_EQ(countCharacters(QStringLiteral("A\u00E9\"\r\n"), {}), 2 + 3 + 2 + 1 + 0);

    EXPECT_EQ(keystrokes(u'a'), 1);
    EXPECT_EQ(keystrokes(u'7'), 1);
    EXPECT_EQ(keystrokes(u';'), 1);
    EXPECT_EQ(keystrokes(u'|'), 2);
    EXPECT_EQ(keystrokes(u'_'), 2);
    EXPECT_EQ(keystrokes(QChar(0x20AC)), 3); // euro sign, 128 in Windows-1252
    EXPECT_EQ(keystrokes(QChar(0x00F7)), 3);
    EXPECT_EQ(keystrokes(QChar(0x0101)), 2); // a with macron: not in the code page, typed as "?"
}
