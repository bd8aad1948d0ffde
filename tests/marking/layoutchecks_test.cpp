#include "marking/highlighting.h"
#include "marking/layoutchecks.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tallimark;

namespace {

std::unique_ptr<MarkingState> spacingOf(const QString &test)
{
    auto state = std::make_unique<MarkingState>();
    checkSpacing(*state, test);
    return state;
}

} // namespace

TEST(LineCounts, CountsTheLinesBeforeTheLastCharacter)
{
    EXPECT_EQ(countLines(QStringLiteral("no breaks at all"), 15), 1);
    EXPECT_EQ(countLines(QStringLiteral("a\r\nb\r\nc"), 6), 3);
    EXPECT_EQ(countLines(QStringLiteral("ab\r"), 2), 1); // a CR in the last position is not counted
    EXPECT_EQ(countLines(QStringLiteral("\rab"), 2), 1); // a CR in position 1 ends the scan
    EXPECT_EQ(countLines(QStringLiteral("a\rb"), 2), 2);
}

TEST(LineCounts, OneExtraBreakInTheTestMakesThemDiffer)
{
    const LayoutCounts counts = countLayout(QStringLiteral("one\r\ntwo\r\nthree"), QStringLiteral("one\r\ntwo three"), 11);
    EXPECT_EQ(counts.testLineFeeds, 3);
    EXPECT_EQ(counts.memoLineFeeds, 2);
}

TEST(Spacing, DoubleBlankAfterAWordIsOneErrorOverTwoBlanks)
{
    auto state = spacingOf(QStringLiteral("He ran  away and ran  back"));
    ASSERT_EQ(state->errorCount, 1);
    EXPECT_EQ(state->errorWords.at(1), DoubleBlankMark);
    EXPECT_EQ(state->errorStarts.at(1), 7);
    EXPECT_EQ(highlightLength(state->errorWords.at(1)), 2);
}

TEST(Spacing, DoubleBlankAfterASentenceEndIsNoError)
{
    EXPECT_EQ(spacingOf(QStringLiteral("Stop.  Go on, 12  men"))->errorCount, 0);
}

TEST(Spacing, OneBlankStyleWithALaterPairOfBlanks)
{
    auto state = spacingOf(QStringLiteral("One. Two.  Three"));
    EXPECT_FALSE(state->twoSpaceStyle);
    ASSERT_EQ(state->errorCount, 1);
    EXPECT_EQ(state->errorWords.at(1), DoubleBlankMark);
    EXPECT_EQ(state->errorStarts.at(1), 10);
}

TEST(Spacing, TwoBlankStyleWithALaterSingleBlank)
{
    auto state = spacingOf(QStringLiteral("One.  Two. Three"));
    EXPECT_TRUE(state->twoSpaceStyle);
    ASSERT_EQ(state->errorCount, 1);
    EXPECT_EQ(state->errorWords.at(1), SingleBlankMark);
    EXPECT_EQ(state->errorStarts.at(1), 11);
    EXPECT_EQ(highlightLength(state->errorWords.at(1)), 1);
}

TEST(Spacing, WithoutSentenceEndsNothingIsChecked)
{
    EXPECT_EQ(spacingOf(QStringLiteral("no sentence ends here"))->errorCount, 0);
}

TEST(Punctuation, CountsTheTestAndTheComparedMemoPart)
{
    const LayoutCounts counts = countLayout(QStringLiteral("A. b, c! d? e."), QStringLiteral("A. b, c, d. e. f. g. h."), 12);
    EXPECT_EQ(counts.testStops, 2);
    EXPECT_EQ(counts.testCommas, 1);
    EXPECT_EQ(counts.testMarks, 2);
    // "A. b, c, d. " : the first 12 characters
    EXPECT_EQ(counts.memoStops, 2);
    EXPECT_EQ(counts.memoCommas, 2);
    EXPECT_EQ(counts.memoMarks, 0);
}
