#include "marking/numbertext.h"
#include "marking/resultcalculation.h"
#include "marking/roundingsetting.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tallimark;

TEST(NumberText, ShortestFormWithFifteenDigits)
{
    EXPECT_EQ(numberText(24.3, QStringLiteral(".")), QStringLiteral("24.3"));
    EXPECT_EQ(numberText(25.0, QStringLiteral(".")), QStringLiteral("25"));
    EXPECT_EQ(numberText(-1.3, QStringLiteral(".")), QStringLiteral("-1.3"));
    EXPECT_EQ(numberText(0.1 + 0.2, QStringLiteral(".")), QStringLiteral("0.3"));
    EXPECT_EQ(numberText(-0.0, QStringLiteral(".")), QStringLiteral("0"));
    EXPECT_EQ(numberText(8.881784197001252e-17, QStringLiteral(".")), QStringLiteral("8.88178419700125E-17"));
    EXPECT_EQ(numberText(0.00001, QStringLiteral(".")), QStringLiteral("1E-05"));
    EXPECT_EQ(numberText(0.0001, QStringLiteral(".")), QStringLiteral("0.0001"));
    EXPECT_EQ(numberText(24.3, QStringLiteral(",")), QStringLiteral("24,3"));
    EXPECT_EQ(numberText(qint64(1234)), QStringLiteral("1234"));
}

TEST(NumberText, UsesTheSystemLocaleSeparator)
{
    // ctest runs the tests with LC_ALL=C.UTF-8, whose separator is the full stop.
    EXPECT_EQ(numberText(24.3), QStringLiteral("24.3"));
}

namespace {

struct RoundingCase
{
    double wpm;
    bool asInteger;
    double expected;
};

class FinalRounding : public ::testing::TestWithParam<RoundingCase>
{
};

} // namespace

// As integer: halves to even. As a multiple of 5: on whole tenths, so 22.5 goes up.
TEST_P(FinalRounding, HalvesToEvenOrOnWholeTenths)
{
    EXPECT_EQ(roundedResult(GetParam().wpm, GetParam().asInteger), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Result, FinalRounding,
                         ::testing::Values(RoundingCase{24.5, true, 24}, RoundingCase{25.5, true, 26},
                                           RoundingCase{22.4, true, 22}, RoundingCase{-1.3, true, -1},
                                           RoundingCase{22.4, false, 20}, RoundingCase{22.5, false, 25},
                                           RoundingCase{27.4, false, 25}, RoundingCase{24.5, false, 25},
                                           RoundingCase{0.0, false, 0}, RoundingCase{-3.0, false, 0},
                                           RoundingCase{-7.5, false, -5}, RoundingCase{-1.3, false, 0}));

TEST(RoundingToFive, NegativeResultsGiveAnExactZero)
{
    // Exactly 0, not a residue of the floating-point steps.
    EXPECT_EQ(numberText(roundedResult(-1.9, false), QStringLiteral(".")), QStringLiteral("0"));
    EXPECT_EQ(numberText(roundedResult(-5.6, false), QStringLiteral(".")), QStringLiteral("0"));
}

TEST(RoundingSetting, StartsAtMultipleOfFiveAndNeverToggles)
{
    RoundingSetting setting;
    EXPECT_FALSE(setting.resultAsInteger());
    EXPECT_EQ(setting.rounding(), Rounding::MultipleOf5);
    setting.setRounding(Rounding::Integer);
    setting.setRounding(Rounding::Integer);
    EXPECT_TRUE(setting.resultAsInteger());
    setting.setRounding(Rounding::MultipleOf5);
    EXPECT_FALSE(setting.resultAsInteger());
}

namespace {

std::unique_ptr<MarkingState> counts(qint64 charCount, int errors)
{
    auto state = std::make_unique<MarkingState>();
    state->charCount = charCount;
    state->errorCount = errors;
    return state;
}

void addExcess(MarkingState &state, const QString &word)
{
    ++state.excessCount;
    state.excessWords[state.excessCount] = word;
    state.excessText += word;
}

const QString Division = QStringLiteral("\u00F7");

} // namespace

TEST(ReportBlock, TheWorkedExampleOf1234Characters)
{
    auto state = counts(1234, 4);
    addExcess(*state, QStringLiteral("and "));
    calculateResult(*state);
    EXPECT_EQ(state->grossWords, 247);
    EXPECT_DOUBLE_EQ(state->wpm, 24.3);
    buildReport(*state, false);
    const QString expected = QStringLiteral("\r\n|| 1234     4m\r\nExcess words: and \r\n1234 ") + Division
                             + QStringLiteral(" 5 = 247\r\nLess no. of words with errors:  - 4 = 243\r\nWPM = 243 ")
                             + Division + QStringLiteral(" 10 = 24.3         Final: 25 wpm ");
    EXPECT_EQ(state->reportText, expected);
    EXPECT_EQ(state->wpm, 25);
}

TEST(ReportBlock, MissingItemsWithoutExcessWordsLeaveAnEmptyLine)
{
    auto state = counts(500, 2);
    state->layout.testStops = 3;
    state->layout.memoStops = 4;
    state->layout.testCommas = 1;
    state->layout.memoCommas = 2;
    state->layout.testLineFeeds = 1;
    state->layout.memoLineFeeds = 1;
    calculateResult(*state);
    EXPECT_EQ(state->errorCount, 4);
    buildReport(*state, true);
    // 500 / 5 = 100 gross words, less 4: 9.6, as integer 10.
    const QString expected = QStringLiteral("\r\n|| 500     4m\r\n\r\nMissing full stop(s)\r\nMissing comma(s)\r\n500 ")
                             + Division + QStringLiteral(" 5 = 100\r\nLess no. of words with errors:  - 4 = 96\r\nWPM = 96 ")
                             + Division + QStringLiteral(" 10 = 9.6         Final: 10 wpm ");
    EXPECT_EQ(state->reportText, expected);
}

TEST(ReportBlock, EveryMissingItemFollowsTheExcessWords)
{
    auto state = counts(100, 0);
    addExcess(*state, QStringLiteral("cat "));
    addExcess(*state, QStringLiteral("(dog )"));
    state->layout.testLineFeeds = 2;
    state->layout.memoLineFeeds = 1;
    state->layout.memoMarks = 1;
    calculateResult(*state);
    buildReport(*state, false);
    EXPECT_TRUE(state->reportText.contains(
        QStringLiteral("m\r\nExcess words: cat , (dog )\r\nWrong number of line feeds\r\nMissing <!> or <?>\r\n100 ")));
}

TEST(Calculation, ExcessWordsCostOneWordPerSixCharacters)
{
    auto four = counts(100, 0);
    addExcess(*four, QStringLiteral("cart "));
    calculateResult(*four);
    EXPECT_EQ(four->errorCount, 1); // floor(5 / 6) = 0, raised to 1

    auto eleven = counts(100, 0);
    addExcess(*eleven, QStringLiteral("forgiveness "));
    calculateResult(*eleven);
    EXPECT_EQ(eleven->errorCount, 2); // floor(12 / 6)
}

TEST(Calculation, DoubledWordsNeverMakeTheCountNegative)
{
    auto state = counts(100, 0);
    addExcess(*state, QStringLiteral("(a )"));
    state->doubleCounted = 1;
    calculateResult(*state);
    // 0 + 0 - 1 is held at 0, then raised to 1 for the excess text.
    EXPECT_EQ(state->errorCount, 1);
    EXPECT_DOUBLE_EQ(state->wpm, 1.9);
}

TEST(Calculation, MoreErrorsThanWordsGiveANegativeResult)
{
    auto state = counts(100, 33); // 20 gross words
    calculateResult(*state);
    EXPECT_DOUBLE_EQ(state->wpm, -1.3);
    buildReport(*state, false);
    EXPECT_TRUE(state->reportText.endsWith(QStringLiteral("- 33 = -13\r\nWPM = -13 \u00F7 10 = -1.3         Final: 0 wpm ")));
}
