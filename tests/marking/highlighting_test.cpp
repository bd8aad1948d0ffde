#include "comparisonfixture.h"

#include "marking/highlighting.h"
#include "marking/markingoutput.h"
#include "marking/textpreparation.h"

#include "documents/richdocument.h"

#include <gtest/gtest.h>

using namespace tallimark;
using tallimark::testing::compared;
using tallimark::testing::Ending;

namespace {

bool isRedBehind(const RichDocument &document, int position)
{
    const CharFormat format = document.formatAt(position);
    return format.background == Red;
}

} // namespace

TEST(Highlighting, ErrorsAreWhiteOnRedAndCoverTheirCharacters)
{
    const QString memo = QStringLiteral("The dog ran away from the cat.\r\nIt was late. ") + Ending;
    const QString test = QStringLiteral("Teh dog ran  away from the cta.\r\nIt was late. ") + Ending;
    auto state = compared(test, memo);
    RichDocument document;
    document.setText(test);
    highlightErrors(*state, document);

    ASSERT_EQ(state->highlights.size(), 3);
    // The first word: its start was never recorded, the selection starts at 0; the blank after
    // it stays as it was.
    EXPECT_EQ(state->highlights[0].start0, 0);
    EXPECT_EQ(state->highlights[0].length, 3);
    EXPECT_TRUE(isRedBehind(document, 0) && isRedBehind(document, 2));
    EXPECT_FALSE(isRedBehind(document, 3));
    EXPECT_EQ(document.formatAt(1).colour, White);
    EXPECT_TRUE(document.formatAt(1).bold);
    // A word that ends in CR takes its line break along.
    EXPECT_EQ(state->highlights[1].start0, 27);
    EXPECT_EQ(state->highlights[1].length, 5);
    EXPECT_TRUE(isRedBehind(document, 31));
    EXPECT_FALSE(isRedBehind(document, 32));
    // The double blank: both blanks.
    EXPECT_EQ(state->highlights[2].start0, 11);
    EXPECT_EQ(state->highlights[2].length, 2);
    EXPECT_TRUE(isRedBehind(document, 11) && isRedBehind(document, 12));
    EXPECT_FALSE(isRedBehind(document, 10));
}

TEST(Highlighting, ATestWithoutErrorsStaysUnformatted)
{
    const QString memo = QStringLiteral("The dog ran away. ") + Ending;
    auto state = compared(memo, memo);
    RichDocument document;
    document.setText(memo);
    highlightErrors(*state, document);
    EXPECT_TRUE(state->highlights.isEmpty());
    EXPECT_EQ(document.runs().size(), 1);
}

TEST(Highlighting, RepeatsAreRedAndUnderlined)
{
    const QString memo = QStringLiteral("We went home early. ") + Ending;
    const QString test = QStringLiteral("We wnet home wnet early. ") + Ending;
    auto state = compared(test, memo);
    RichDocument document;
    document.setText(test);
    highlightErrors(*state, document);
    ASSERT_EQ(state->highlights.size(), 2);
    EXPECT_EQ(state->highlights[1].kind, HighlightOperation::Kind::Repeat);
    EXPECT_EQ(state->highlights[1].start0, 13);
    EXPECT_EQ(document.formatAt(13).colour, Red);
    EXPECT_TRUE(document.formatAt(13).underline);
    EXPECT_FALSE(document.formatAt(13).background.has_value() && *document.formatAt(13).background == Red);
}

TEST(Reliability, SixErrorWordsFoundInTheMemoMakeTheResultDoubtful)
{
    const QString memo = QStringLiteral("We went for the cat and a man with this bad idea. ") + Ending;
    auto six = compared(QStringLiteral("We went or he at an is ad idea. ") + Ending, memo);
    ASSERT_EQ(six->errorCount, 6);
    EXPECT_EQ(reliabilityVerdict(*six, memo), QStringLiteral(".......Result may not be reliable"));
    auto five = compared(QStringLiteral("We went or he at an is idea. ") + Ending, memo);
    ASSERT_EQ(five->errorCount, 5);
    EXPECT_EQ(reliabilityVerdict(*five, memo), QStringLiteral(".......Successful"));
}

TEST(SentenceEndSpacing, BlanksBeforeALineBreakGoInTestAndMemo)
{
    RichDocument test;
    RichDocument memo;
    test.setText(QStringLiteral("End.  \r\nWhat? \r\nStop!  \r\nNext. Word"));
    memo.setText(QStringLiteral("Memo. \r\nx.  y"));
    normaliseSentenceEndSpacing(test, memo);
    EXPECT_EQ(test.text(), QStringLiteral("End.\r\nWhat?\r\nStop!\r\nNext. Word"));
    EXPECT_EQ(memo.text(), QStringLiteral("Memo.\r\nx.  y"));
}

namespace {

struct HighlightCase
{
    const char *name;
    QString memo;
    QString test;
};

void PrintTo(const HighlightCase &row, std::ostream *out) { *out << row.name; }

class HighlightedDocument : public ::testing::TestWithParam<HighlightCase>
{
};

} // namespace

// Every character of a marked test stays readable, and no highlight reaches past its entry.
TEST_P(HighlightedDocument, NoCharacterInItsBackgroundsColour)
{
    const HighlightCase &row = GetParam();
    auto state = compared(row.test, row.memo);
    RichDocument document;
    document.setText(row.test);
    highlightErrors(*state, document);
    ASSERT_FALSE(state->highlights.isEmpty());
    for (const TextRun &run : document.runs()) {
        const CharFormat &format = run.format;
        EXPECT_FALSE(format.background.has_value() && format.colour == format.background) << qPrintable(run.text);
    }
    for (const HighlightOperation &highlight : std::as_const(state->highlights)) {
        // A highlight ends on the last character of a word: never on the letter after a break.
        const QChar last = row.test.at(highlight.start0 + highlight.length - 1);
        EXPECT_TRUE(!last.isLetter() || highlight.start0 + highlight.length == row.test.size()
                    || !row.test.at(highlight.start0 + highlight.length).isLetter());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Marking, HighlightedDocument,
    ::testing::Values(
        HighlightCase{"typos", QStringLiteral("The dog ran away from the cat.\r\nIt was late. ") + Ending,
                      QStringLiteral("Teh dog ran  away from the cta.\r\nIt was late. ") + Ending},
        HighlightCase{"repeat", QStringLiteral("We went home early. ") + Ending,
                      QStringLiteral("We wnet home wnet early. ") + Ending},
        // The second join (across the line break) repeats the first, and the word after the
        // break has an error: the repeat's red must not reach its first letter.
        HighlightCase{"joinAcrossLineBreak",
                      QStringLiteral("Something moved in the night. On Saturday we left. ") + Ending
                          + QStringLiteral(" It was night.\r\nThe end."),
                      QStringLiteral("Some thing moved in the night.\r\non Saturday we left. ") + Ending}),
    [](const ::testing::TestParamInfo<HighlightCase> &param) { return std::string(param.param.name); });
