// The comparison of a test with its memo: words, errors, repeats, excess words, spacing, and how
// the errors are highlighted in the test document.
#include "comparisonfixture.h"
#include "support/rowname.h"

#include "marking/highlighting.h"
#include "marking/layoutchecks.h"
#include "marking/markingoutput.h"
#include "marking/wordsplitter.h"

#include "documents/richdocument.h"

#include <gtest/gtest.h>

using namespace tallimark;
using namespace tallimark::testing;
using namespace Qt::StringLiterals;

namespace {

struct ComparisonCase
{
    const char *name;
    QString memo;
    QString test;
    QString found;      // as described()
    QString highlights; // "e<start>+<length>" per error, then "r…" per repeat
};

TALLIMARK_ROW_PRINTS_ITS_NAME(ComparisonCase)

using TestComparison = ::testing::TestWithParam<ComparisonCase>;

} // namespace

TEST_P(TestComparison, FindsAndHighlights)
{
    const ComparisonCase &row = GetParam();
    const auto result = compared(row.test, row.memo);
    const Comparison &found = result->found;
    EXPECT_EQ(described(found.errors, found.excess), row.found);
    // The excess text is what the excess words cost: the words, without the doubled-word brackets.
    QString excessText;
    for (const QString &word : found.excess.words)
        excessText += QString(word).remove(u'(').remove(u')');
    EXPECT_EQ(found.excess.text, excessText);

    RichDocument document;
    document.setText(row.test);
    QStringList highlights;
    QString kinds(row.test.size(), u' '); // per character: e error, r repeat
    for (const HighlightOperation &h : highlightErrors(found.errors, document)) {
        const QChar kind = h.kind == HighlightOperation::Kind::Error ? u'e' : u'r';
        highlights << kind + QString::number(h.start) + u'+' + QString::number(h.length);
        kinds.replace(h.start, h.length, QString(h.length, kind));
    }
    EXPECT_EQ(highlights.join(u' '), row.highlights);
    // Errors white on red in bold, repeats red underlined, everything else as it was.
    for (int k = 0; k < row.test.size(); ++k) {
        const CharFormat format = document.formatAt(k);
        EXPECT_EQ(format.background == Red, kinds[k] == u'e') << k;
        EXPECT_TRUE(kinds[k] != u'e' || (format.colour == White && format.bold)) << k;
        EXPECT_TRUE(kinds[k] != u'r' || (format.colour == Red && format.underline)) << k;
    }
    EXPECT_TRUE(!highlights.isEmpty() || document.runs().size() == 1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Marking, TestComparison, ::testing::Values(
    // "end " where the memo has " end." passes; the missing stop is counted elsewhere.
    ComparisonCase{"wordWithoutTheMemosFullStop", u"We came to the end. "_s + Ending,
        u"We came to the end "_s + Ending, {}, {}},
    // Errors of one non-zero kind and the same wrong word count once; the others are repeats, and
    // never excess words.
    ComparisonCase{"repeatedErrors", u"Yes. The cat and the dog play outside all day long. "_s + Ending,
        u"Yes.The cat and teh dog play.Outside all teh day long. "_s + Ending,
        u"E[Yes.The @1/1|teh @17/0] R[play.Outside @25|teh @42]"_s, u"e0+7 e16+3 r24+12 r41+3"_s},
    // The last word is looked up in the memo's last 41 compared characters only.
    ComparisonCase{"unfinishedLastWord", u"The cat sat on a mat while we looked at the cat in the sun all day long"_s,
        u"The cat sat on a mat while we looked at the cat in the sun all day lo"_s, {}, {}},
    ComparisonCase{"lastWordNotInTheMemosEnd",
        u"The cat sat on a mat while we looked at the cat in the sun all day long"_s,
        u"The cat sat on a mat while we looked at the cat."_s, u"E[cat.@45/0]"_s, u"e44+4"_s},
    ComparisonCase{"pairTheMemoHas", u"They said that that was fine. "_s + Ending,
        u"They said that that was fine. "_s + Ending, {}, {}},
    ComparisonCase{"lineTypedTwice", u"Birds sing early.\r\nCows graze slowly.\r\n"_s + Ending,
        u"Birds sing early.\r\nBirds sing early.\r\nCows graze slowly.\r\n"_s + Ending,
        u"X[Birds |sing |early ]"_s, {}},
    ComparisonCase{"excessCoreWithoutPunctuation", u"I saw a cat, then a dog ran. "_s + Ending,
        u"I saw a cat, then a cat, dog ran. "_s + Ending, u"X[cat ]"_s, {}},
    // A second copy is an error, and its excess entry is bracketed. "id ea" merges "ea "; the word
    // "a " is not part of that entry and still counts.
    ComparisonCase{"mergedWordLeavesOthersAlone", u"It is a good idea to go. "_s + Ending,
        u"It is a a good id ea to go. "_s + Ending, u"D1/1 E[id ea@16/5|a @9/0] X[(a )] M[ea ]"_s, u"e15+5 e8+1"_s},
    // A word ending in CR takes its line break along; a double blank covers both blanks.
    ComparisonCase{"typosAndDoubleBlank", u"The dog ran away from the cat.\r\nIt was late. "_s + Ending,
        u"Teh dog ran  away from the cta.\r\nIt was late. "_s + Ending,
        u"E[Teh @1/0|cta.\r@28/1|\u2022\u2022@12]"_s, u"e0+3 e27+5 e11+2"_s},
    // A word typed in two pieces is one error of kind 5 at the first piece; the second is merged.
    // The second join (across the line break) repeats the first, and the word after the break
    // has an error (comparison is case-sensitive): the repeat's red must not reach its first letter.
    ComparisonCase{"joinAcrossLineBreak",
        u"Something moved in the night. On Saturday we left. "_s + Ending + u" It was night.\r\nThe end."_s,
        u"Some thing moved in the night.\r\non Saturday we left. "_s + Ending,
        u"E[Some thing@1/5|on @33/0] R[night.\r \n@25] M[thing |\n]"_s, u"e0+10 e32+2 r24+8"_s}),
    RowName());
// clang-format on

// At most one double blank inside a sentence and one break of the style the first sentence end
// set (one blank, or two); a mark covers as many blanks as it has dots.
TEST(Spacing, OneErrorOfEachKind)
{
    // clang-format off
    const struct { QString test, found; } rows[] = {
        {u"He ran  away and ran  back"_s, u"E[\u2022\u2022@7]"_s}, {u"Stop.  Go on, 12  men"_s, QString()},
        {u"One. Two.  Three"_s, u"E[\u2022\u2022@10]"_s}, {u"One.  Two. Three"_s, u"E[\u2022@11]"_s},
        {u"no sentence ends here"_s, QString()}};
    // clang-format on
    for (const auto &row : rows) {
        WordErrors errors;
        checkSpacing(row.test, errors);
        EXPECT_EQ(described(errors), row.found);
    }
}

TEST(Reliability, SixErrorWordsFoundInTheMemoMakeTheResultDoubtful)
{
    const QString memo = u"We went for the cat and a man with this bad idea. "_s + Ending;
    auto six = compared(u"We went or he at an is ad idea. "_s + Ending, memo);
    ASSERT_EQ(six->found.errors.count, 6);
    EXPECT_EQ(reliabilityVerdict(six->found.errors, 6, six->memo), Verdict::MayNotBeReliable);
    auto five = compared(u"We went or he at an is idea. "_s + Ending, memo);
    ASSERT_EQ(five->found.errors.count, 5);
    EXPECT_EQ(reliabilityVerdict(five->found.errors, 5, five->memo), Verdict::Successful);
}

// A word keeps the separator that ended it; CR and LF are words of their own; no empty word
// follows the last blank; a full stop standing alone after a blank is shown before its blank.
// Starts are 0-based.
TEST(WordSplitter, WordsAndStarts)
{
    // clang-format off
    const struct { QString text, words; } rows[] = {
        {u"the cat sat."_s, u"the @0|cat @4|sat.@8"_s}, {u"end \r\nnext "_s, u"end @0|\r@4|\n@5|next @6"_s},
        {u"stop . Go"_s, u"stop @0| .@5|Go@7"_s}};
    // clang-format on
    for (const auto &row : rows) {
        TableOverflows overflows;
        QStringList words;
        for (const Word &word : splitWords(row.text, overflows).list)
            words << word.text + u'@' + QString::number(word.start);
        EXPECT_EQ(words.join(u'|'), row.words);
    }
}

// The word table keeps 1,500 words and is reported full once, even when the text ends there; a
// text over 8,000 characters is reported once more, by the character table.
TEST(TableLimits, WordsPast1500AreLeftOutAndReported)
{
    // clang-format off
    const struct { QString text, lastWord; int reported; } rows[] = {
        {u"a "_s.repeated(1499) + u"b"_s, u"b"_s, 0}, {u"a "_s.repeated(1500), u"a "_s, 1},
        {u"abc "_s.repeated(2001), u"abc "_s, 2}};
    // clang-format on
    for (const auto &row : rows) {
        TableOverflows overflows;
        const Words split = splitWords(row.text, overflows);
        EXPECT_EQ(std::tuple(split.count(), split.at(1499), overflows.count()),
                  std::tuple(1500, row.lastWord, row.reported));
    }

    // The test's end occurs nowhere, so the memo is cut at the test's length + 10: 15,010. Both
    // the memo part and the test fill the word and the character tables, and the keystroke count
    // passes the test through the character table once more.
    const QString memo = u"one two three four five six seven eight nine ten "_s.repeated(400);
    ComparedMemo compared;
    compared.setText(memo);
    TableOverflows overflows;
    compareWithMemo(memo.left(15000) + u"zzz"_s, compared, overflows);
    EXPECT_EQ(compared.words().count(), 1500);
    EXPECT_EQ(overflows.count(), 5);
}

// An error past entry 1,500 keeps its start but not its word or kind, and each field refused is
// counted once.
TEST(TableLimits, ErrorsPastEntry1500KeepOnlyTheirStart)
{
    TableOverflows overflows;
    WordErrors errors;
    errors.overflows = &overflows;
    for (int i = 0; i < 1501; ++i)
        errors.append(u"w "_s, i);
    errors.setKind(1499, ErrorKind::Comma);
    errors.setKind(1500, ErrorKind::Comma);
    EXPECT_EQ(overflows.count(), 2);
    EXPECT_EQ(std::tuple(errors.entry(1499).word, errors.entry(1499).kind), std::tuple(u"w "_s, ErrorKind::Comma));
    EXPECT_EQ(std::tuple(errors.entry(1500).word, errors.entry(1500).start, errors.entry(1500).kind),
              std::tuple(QString(), 1500, ErrorKind::Word));
}

TEST(TableLimits, AMemoCutBeyond32767CharactersOverflows)
{
    const QString memo = u"one two three four five six seven eight nine ten "_s.repeated(800)
        + u"and this is where the learner stopped typing the memo"_s;
    ComparedMemo compared;
    compared.setText(memo);
    TableOverflows overflows;
    try {
        compareWithMemo(u"many words before and this is where the learner stopped typing the memo"_s, compared,
                        overflows);
        ADD_FAILURE() << "no overflow";
    } catch (const FailureException &thrown) {
        EXPECT_EQ(thrown.failure().number, ErrorNumber::Overflow);
    }
}
