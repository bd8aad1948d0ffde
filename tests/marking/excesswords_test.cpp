#include "comparisonfixture.h"

#include "marking/wordcore.h"

#include <gtest/gtest.h>

using namespace tallimark;
using tallimark::testing::compared;
using tallimark::testing::Ending;

namespace {
}

TEST(WordCore, StripsTheSeparatorAndOneClosingMark)
{
    EXPECT_EQ(wordCore(QStringLiteral("cat, ")), QStringLiteral("cat"));
    EXPECT_EQ(wordCore(QStringLiteral("cat\r")), QStringLiteral("cat"));
    EXPECT_EQ(wordCore(QStringLiteral("cat.\r")), QStringLiteral("cat"));
    EXPECT_EQ(wordCore(QStringLiteral("50% ")), QStringLiteral("50"));
    EXPECT_EQ(wordCore(QStringLiteral("done?! ")), QStringLiteral("done"));
}

TEST(ExcessWords, ALineTypedTwice)
{
    const QString memo = QStringLiteral("Birds sing early.\r\nCows graze slowly.\r\n") + Ending;
    const QString test = QStringLiteral("Birds sing early.\r\nBirds sing early.\r\nCows graze slowly.\r\n") + Ending;
    auto state = compared(test, memo);
    EXPECT_EQ(state->wordErrorCount, 0);
    ASSERT_EQ(state->excessCount, 3);
    EXPECT_EQ(state->excessWords.at(1), QStringLiteral("Birds "));
    EXPECT_EQ(state->excessWords.at(2), QStringLiteral("sing "));
    EXPECT_EQ(state->excessWords.at(3), QStringLiteral("early "));
    EXPECT_EQ(state->excessText, QStringLiteral("Birds sing early "));
}

TEST(ExcessWords, PunctuationIsStrippedFromTheCore)
{
    const QString memo = QStringLiteral("I saw a cat, then a dog ran. ") + Ending;
    const QString test = QStringLiteral("I saw a cat, then a cat, dog ran. ") + Ending;
    auto state = compared(test, memo);
    ASSERT_EQ(state->excessCount, 1);
    EXPECT_EQ(state->excessWords.at(1), QStringLiteral("cat "));
}

TEST(ExcessWords, AnErrorWordIsNeverExcess)
{
    const QString memo = QStringLiteral("We went home early. ") + Ending;
    const QString test = QStringLiteral("We wnet home wnet early. ") + Ending;
    auto state = compared(test, memo);
    EXPECT_EQ(state->excessCount, 0);
    EXPECT_EQ(state->errorCount, 1);
    EXPECT_EQ(state->repeatCount, 1);
}

TEST(ExcessWords, AMergedWordLeavesOtherWordsAlone)
{
    // "id ea" merges "ea "; the word "a " is not part of that entry and still counts.
    const QString memo = QStringLiteral("It is a good idea to go. ") + Ending;
    const QString test = QStringLiteral("It is a a good id ea to go. ") + Ending;
    auto state = compared(test, memo);
    EXPECT_EQ(state->mergedList, QStringList{QStringLiteral("ea ")});
    ASSERT_EQ(state->errorCount, 2);
    EXPECT_EQ(state->errorWords.at(1), QStringLiteral("id ea"));
    EXPECT_EQ(state->errorKinds.at(1), 5);
    EXPECT_EQ(state->errorWords.at(2), QStringLiteral("a ")); // the doubled "a"
    ASSERT_EQ(state->excessCount, 1);
    EXPECT_EQ(state->excessWords.at(1), QStringLiteral("(a )"));
    EXPECT_EQ(state->doubleCounted, 1);
}
