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
    MarkingState state;
    state.memoCutLength = 11;
    countLineFeeds(state, QStringLiteral("one\r\ntwo\r\nthree"), QStringLiteral("one\r\ntwo three"));
    EXPECT_EQ(state.testLineFeeds, 3);
    EXPECT_EQ(state.memoLineFeeds, 2);
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
    MarkingState state;
    state.memoCutLength = 12;
    countPunctuation(state, QStringLiteral("A. b, c! d? e."), QStringLiteral("A. b, c, d. e. f. g. h."));
    EXPECT_EQ(state.testStops, 2);
    EXPECT_EQ(state.testCommas, 1);
    EXPECT_EQ(state.testMarks, 2);
    // "A. b, c, d. " : the first 12 characters
    EXPECT_EQ(state.memoStops, 2);
    EXPECT_EQ(state.memoCommas, 2);
    EXPECT_EQ(state.memoMarks, 0);
}
