// The memo index must give exactly what comparing word by word gives.
#include "comparisonfixture.h"
#include "testgenerator.h"

#include "marking/resultcalculation.h"

#include <gtest/gtest.h>

using namespace tallimark;
using namespace tallimark::testing;

namespace {

void expectSameState(const MarkingState &literal, const MarkingState &indexed, int round)
{
    SCOPED_TRACE(round);
    ASSERT_EQ(literal.errorCount, indexed.errorCount);
    ASSERT_EQ(literal.repeatCount, indexed.repeatCount);
    ASSERT_EQ(literal.excessCount, indexed.excessCount);
    for (int e = 1; e <= literal.errorCount; ++e) {
        EXPECT_EQ(literal.errorWords.at(e), indexed.errorWords.at(e));
        EXPECT_EQ(literal.errorStarts.at(e), indexed.errorStarts.at(e));
        EXPECT_EQ(literal.errorKinds.at(e), indexed.errorKinds.at(e));
    }
    for (int r = 1; r <= literal.repeatCount; ++r) {
        EXPECT_EQ(literal.repeatWords.at(r), indexed.repeatWords.at(r));
        EXPECT_EQ(literal.repeatStarts.at(r), indexed.repeatStarts.at(r));
    }
    for (int x = 1; x <= literal.excessCount; ++x)
        EXPECT_EQ(literal.excessWords.at(x), indexed.excessWords.at(x));
    EXPECT_EQ(literal.excessText, indexed.excessText);
    EXPECT_EQ(literal.doubleCounted, indexed.doubleCounted);
    EXPECT_EQ(literal.mergedList, indexed.mergedList);
    EXPECT_EQ(literal.reportText, indexed.reportText);
    EXPECT_EQ(literal.wpm, indexed.wpm);
}

} // namespace

TEST(LiteralComparison, TheMemoIndexChangesNoResult)
{
    QRandomGenerator random(20131); // fixed, so that a failure can be replayed
    int withErrors = 0;
    int withExcess = 0;
    int withRepeats = 0;
    for (int round = 0; round < 300; ++round) {
        const QString memo = generatedMemo(random, 300 + random.bounded(4700));
        const QString test = generatedTest(random, memo);
        auto literal = compared(test, memo, true);
        auto indexed = compared(test, memo, false);
        for (MarkingState *state : {literal.get(), indexed.get()}) {
            calculateResult(*state);
            buildReport(*state, false);
        }
        expectSameState(*literal, *indexed, round);
        withErrors += literal->wordErrorCount > 0;
        withExcess += literal->excessCount > 0;
        withRepeats += literal->repeatCount > 0;
        if (::testing::Test::HasFailure())
            return;
    }
    // The generated tests reach every path the index replaces.
    EXPECT_GT(withErrors, 250);
    EXPECT_GT(withExcess, 100);
    EXPECT_GT(withRepeats, 100);
}
