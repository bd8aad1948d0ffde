#include "marking/markingstate.h"
#include "marking/textpreparation.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tallimark;

namespace {

const QString Memo = QStringLiteral("The quick brown fox jumps over the lazy dog and runs far away into the woods.");

int cutOf(const QString &test, const QString &memo)
{
    auto state = std::make_unique<MarkingState>();
    findMemoCut(*state, test, memo);
    EXPECT_TRUE(state->memoMatched);
    return state->memoCutLength;
}

} // namespace

TEST(MemoCut, LastFortyCharactersFoundCutFortyOneAfterTheirStart)
{
    const QString test = Memo.left(60);
    // The last 40 characters of the test start at memo position 21.
    EXPECT_EQ(cutOf(test, Memo), 21 + 41);
}

TEST(MemoCut, ShorterTailsAreTriedInStepsOfThree)
{
    // Only the last 16 characters ("jumps over the l", memo positions 21 to 36) are in the memo;
    // every tail of 19 or more characters takes in the "#".
    const QString test = QString(40, u'q') + u'#' + Memo.mid(20, 16);
    EXPECT_EQ(cutOf(test, Memo), 21 + 41);
}

TEST(MemoCut, TheWindowBeforeTheLastFortyCharacters)
{
    // Every tail ends in "#####"; the 36 characters from position L - 40 are memo 5 to 40.
    const QString test = QString(20, u'#') + Memo.mid(4, 36) + QString(5, u'#');
    ASSERT_EQ(test.size(), 61);
    EXPECT_EQ(cutOf(test, Memo), 5 + 41);
}

TEST(MemoCut, PairSearchCutsAtTheNextWordEnd)
{
    // Pieces b = "quick brown " (memo 5) and a = " lazy dog an" (memo 35), 30 apart; everything
    // the tail and window searches look at contains "#".
    const QString test = QString(28, u'#') + Memo.mid(4, 12) + QString(18, u'#') + Memo.mid(34, 12) + QString(10, u'#');
    ASSERT_EQ(test.size(), 80);
    // pa + n + 21 = 57; the first blank at or after 56 is at 57.
    EXPECT_EQ(cutOf(test, Memo), 57);
}

TEST(MemoCut, PairsSeventySixOrSeventyFiveApartAreNotAccepted)
{
    for (const int gap : {76, 75}) {
        // b at memo position 5, a at 5 + gap.
        QString memo = QStringLiteral("The quick brown ") + QString(gap - 12 - 30, u'x') + u' '
                       + QString(29, u'y') + QStringLiteral(" lazy dog and runs far away into the woods.");
        const QString a = QStringLiteral(" lazy dog an");
        ASSERT_EQ(memo.indexOf(a) + 1 - 5, gap);
        const QString test = QString(28, u'#') + QStringLiteral("quick brown ") + QString(18, u'#') + a + QString(10, u'#');
        // The fallback: the test's length + 10.
        EXPECT_EQ(cutOf(test, memo), 90) << "gap " << gap;
    }
}

TEST(MemoCut, NothingFoundFallsBackToTheTestLengthPlusTen)
{
    const QString test = QString(60, u'#');
    EXPECT_EQ(cutOf(test, Memo + Memo), 70);
    EXPECT_EQ(cutOf(test, Memo.left(65)), 65); // a shorter memo is taken whole
}

TEST(MemoCut, ShortTestsSkipPairRoundsThatWouldStartBeforeTheText)
{
    // 50 characters: the second piece of every round would start before position 1, so even with
    // a first piece from the memo only the fallback is left.
    const QString test = QString(18, u'#') + Memo.mid(34, 12) + QString(20, u'#');
    EXPECT_EQ(cutOf(test, Memo + Memo), 60);
}

TEST(CharacterCount, KeystrokesPerCharacter)
{
    auto state = std::make_unique<MarkingState>();
    state->workText = QStringLiteral("A\u00E9\"\r\n");
    countCharacters(*state);
    EXPECT_EQ(state->charCount, 2 + 3 + 2 + 1 + 0);

    EXPECT_EQ(keystrokes(u'a'), 1);
    EXPECT_EQ(keystrokes(u'7'), 1);
    EXPECT_EQ(keystrokes(u';'), 1);
    EXPECT_EQ(keystrokes(u'|'), 2);
    EXPECT_EQ(keystrokes(u'_'), 2);
    EXPECT_EQ(keystrokes(QChar(0x20AC)), 3); // euro sign, 128 in Windows-1252
    EXPECT_EQ(keystrokes(QChar(0x00F7)), 3);
    EXPECT_EQ(keystrokes(QChar(0x0101)), 2); // a with macron: not in the code page, typed as "?"
    for (const char16_t undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) // codes 129 to 157 like the rest
        EXPECT_EQ(keystrokes(QChar(undefined)), 3) << int(undefined);
}
