#include "comparisonfixture.h"

#include "marking/wordsplitter.h"

#include <gtest/gtest.h>

using namespace tallimark;
using tallimark::testing::compared;
using tallimark::testing::Ending;

namespace {

std::unique_ptr<MarkingState> split(const QString &text)
{
    auto state = std::make_unique<MarkingState>();
    splitWords(*state, text);
    return state;
}

} // namespace

namespace {

struct SplitCase
{
    QString text;
    QStringList words;  // each with the separator that ended it
    QList<int> starts;  // 1-based; the first word's start is never recorded
};

void PrintTo(const SplitCase &row, std::ostream *out) { *out << row.text.toStdString(); }

class WordSplitter : public ::testing::TestWithParam<SplitCase>
{
};

} // namespace

TEST_P(WordSplitter, WordsAndStarts)
{
    auto state = split(GetParam().text);
    QStringList words;
    QList<int> starts;
    for (int k = 1; k <= state->splitCount; ++k) {
        words << state->splitWords.at(k);
        starts << state->wordStarts.at(k);
    }
    EXPECT_EQ(words, GetParam().words);
    EXPECT_EQ(starts, GetParam().starts);
}

INSTANTIATE_TEST_SUITE_P(
    Marking, WordSplitter,
    ::testing::Values(
        SplitCase{QStringLiteral("the cat sat."), {QStringLiteral("the "), QStringLiteral("cat "), QStringLiteral("sat.")}, {0, 5, 9}},
        // CR and LF are words of their own; no empty word after the last blank.
        SplitCase{QStringLiteral("end \r\nnext "),
                  {QStringLiteral("end "), QStringLiteral("\r"), QStringLiteral("\n"), QStringLiteral("next ")},
                  {0, 5, 6, 7}},
        // A full stop standing alone after a blank is shown before its blank.
        SplitCase{QStringLiteral("stop . Go"), {QStringLiteral("stop "), QStringLiteral(" ."), QStringLiteral("Go")}, {0, 6, 8}}));

TEST(WordSplitter, StopsAddingWordsAtSlot1500)
{
    QString text;
    for (int k = 0; k < 1600; ++k)
        text += QStringLiteral("a ");
    auto state = split(text);
    int skipped = 0;
    state->skipped = [&](const Failure &failure) { skipped += failure.number == ErrorNumber::SubscriptOutOfRange; };
    splitWords(*state, text);
    EXPECT_EQ(state->splitCount, 1500);
    EXPECT_EQ(state->splitWords.at(1500), QStringLiteral("a "));
    EXPECT_GE(skipped, 1);
}

TEST(WordCheck, JoinsMissingFullStopsCapitalsAndMisspellings)
{
    const QString memo = QStringLiteral("Something good is coming. We walk to school, and the end is near. ") + Ending;
    const QString test = QStringLiteral("Some thing good is comming. We walk to School, and the end is near. ") + Ending;
    auto state = compared(test, memo);

    ASSERT_EQ(state->errorCount, 3);
    // A word typed in two pieces is one error of kind 5 at the first piece; the second is merged.
    EXPECT_EQ(state->errorWords.at(1), QStringLiteral("Some thing"));
    EXPECT_EQ(state->errorStarts.at(1), 0);
    EXPECT_EQ(state->errorKinds.at(1), 5);
    EXPECT_EQ(state->mergedList, QStringList{QStringLiteral("thing ")});
    EXPECT_EQ(state->errorWords.at(2), QStringLiteral("comming. "));
    EXPECT_EQ(state->errorStarts.at(2), 20);
    EXPECT_EQ(state->errorKinds.at(2), 0);
    // Comparison is case-sensitive.
    EXPECT_EQ(state->errorWords.at(3), QStringLiteral("School, "));
    EXPECT_EQ(state->errorStarts.at(3), 40);
    EXPECT_EQ(state->repeatCount, 0);
    EXPECT_EQ(state->excessCount, 0);
}

TEST(WordCheck, AWordWithoutTheMemosFullStopIsAccepted)
{
    // "end " where the memo has " end." passes; the missing stop is counted elsewhere.
    const QString memo = QStringLiteral("We came to the end. ") + Ending;
    const QString test = QStringLiteral("We came to the end ") + Ending;
    auto state = compared(test, memo);
    EXPECT_EQ(state->wordErrorCount, 0);
}

TEST(WordCheck, ErrorsOfOneKindAndTheSameWrongWordCountOnce)
{
    const QString memo = QStringLiteral("Yes. The cat and the dog play outside all day long. ") + Ending;
    const QString test = QStringLiteral("Yes.The cat and teh dog play.Outside all teh day long. ") + Ending;
    auto state = compared(test, memo);

    ASSERT_EQ(state->errorCount, 2);
    EXPECT_EQ(state->errorWords.at(1), QStringLiteral("Yes.The "));
    EXPECT_EQ(state->errorKinds.at(1), 1); // two memo words run together, then the full stop inside
    EXPECT_EQ(state->errorWords.at(2), QStringLiteral("teh "));
    EXPECT_EQ(state->errorStarts.at(2), 17);
    ASSERT_EQ(state->repeatCount, 2);
    EXPECT_EQ(state->repeatWords.at(1), QStringLiteral("play.Outside "));
    EXPECT_EQ(state->repeatStarts.at(1), 25);
    EXPECT_EQ(state->repeatWords.at(2), QStringLiteral("teh "));
    EXPECT_EQ(state->repeatStarts.at(2), 42);
}

TEST(WordCheck, TheLastWordIsLookedUpInTheMemosLastCharactersOnly)
{
    const QString memo = QStringLiteral("The cat sat on a mat while we looked at the cat in the sun all day long");
    // An unfinished "lo" is part of the memo's end: accepted.
    auto cut = compared(QStringLiteral("The cat sat on a mat while we looked at the cat in the sun all day lo"), memo);
    EXPECT_EQ(cut->wordErrorCount, 0);
    // "cat." as the last word: the memo's last 41 compared characters have no "cat".
    auto stop = compared(QStringLiteral("The cat sat on a mat while we looked at the cat."), memo);
    ASSERT_EQ(stop->wordErrorCount, 1);
    EXPECT_EQ(stop->errorWords.at(1), QStringLiteral("cat."));
}

TEST(DoubledWords, ASecondCopyIsAnErrorAndItsExcessEntryIsBracketed)
{
    const QString memo = QStringLiteral("We like to read books at home. ") + Ending;
    const QString test = QStringLiteral("We like like to read books at home. ") + Ending;
    auto state = compared(test, memo);

    EXPECT_EQ(state->doubledCount, 1);
    ASSERT_EQ(state->errorCount, 1);
    EXPECT_EQ(state->errorWords.at(1), QStringLiteral("like "));
    EXPECT_EQ(state->errorStarts.at(1), 9);
    ASSERT_EQ(state->excessCount, 1);
    EXPECT_EQ(state->excessWords.at(1), QStringLiteral("(like )"));
    EXPECT_EQ(state->excessText, QStringLiteral("like "));
    EXPECT_EQ(state->doubleCounted, 1);
}

TEST(DoubledWords, APairTheMemoHasIsNoError)
{
    const QString memo = QStringLiteral("They said that that was fine. ") + Ending;
    auto state = compared(memo, memo);
    EXPECT_EQ(state->doubledCount, 0);
    EXPECT_EQ(state->errorCount, 0);
}

TEST(TableLimits, ALongMemoPartIsSplitUpToSlot1500AndTheMarkingGoesOn)
{
    QString memo;
    while (memo.size() < 20000)
        memo += QStringLiteral("one two three four five six seven eight nine ten ");
    auto state = std::make_unique<MarkingState>();
    QList<int> skipped;
    state->skipped = [&](const Failure &failure) { skipped.append(failure.number); };
    // The test's end occurs nowhere, so the memo is cut at the test's length + 10: 15,010.
    const QString test = memo.left(15000) + QStringLiteral("zzz");
    compareWithMemo(*state, test, memo);
    EXPECT_EQ(state->memoWordCount, 1500);
    EXPECT_EQ(state->testWordCount, 1500);
    EXPECT_TRUE(skipped.contains(ErrorNumber::SubscriptOutOfRange));
}

TEST(TableLimits, AMemoCutBeyond32767CharactersOverflows)
{
    QString memo;
    while (memo.size() < 40000)
        memo += QStringLiteral("one two three four five six seven eight nine ten ");
    memo += QStringLiteral("and this is where the learner stopped typing the memo");
    auto state = std::make_unique<MarkingState>();
    try {
        compareWithMemo(*state, QStringLiteral("many words before and this is where the learner stopped typing the memo"), memo);
        ADD_FAILURE() << "no overflow";
    } catch (const FailureException &thrown) {
        EXPECT_EQ(thrown.failure().number, ErrorNumber::Overflow);
    }
}
