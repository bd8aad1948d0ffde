// Before the words are compared: which memo, how much of it, the keystrokes, the sentence-end
// blanks, and the 1-based text positions every stage counts in.
#include "marking/memolanguage.h"
#include "marking/textpreparation.h"

#include "support/qstringprinting.h"

#include <gtest/gtest.h>

using namespace tallimark;
using namespace Qt::StringLiterals;

namespace {

const QString Memo = u"The quick brown fox jumps over the lazy dog and runs far away into the woods."_s;

// A memo with "quick brown " at position 5 and " lazy dog an" gap characters after it.
QString memoWithGap(int gap)
{
    return u"The quick brown "_s + QString(gap - 12 - 30, u'x') + u' ' + QString(29, u'y')
        + u" lazy dog and runs far away into the woods."_s;
}

// Both pieces of the pair search, 30 apart in the test; everything the tail and window
// searches look at contains "#".
QString pairTest(const QString &b, const QString &a)
{
    return QString(28, u'#') + b + QString(18, u'#') + a + QString(10, u'#');
}

} // namespace

TEST(MemoCut, WhereTheLearnerStopped)
{
    // clang-format off
    const struct { const char *name; QString test, memo; int cut; } rows[] = {
        // The last 40 characters of the test start at memo position 21: cut 41 after their start.
        {"lastFortyCharacters", Memo.left(60), Memo, 21 + 41},
        // Only the last 16 characters (memo 21 to 36) are in the memo; longer tails take in the "#".
        {"shorterTailsInStepsOfThree", QString(40, u'q') + u'#' + Memo.mid(20, 16), Memo, 21 + 41},
        // Every tail ends in "#####"; the 36 characters from position L - 40 are memo 5 to 40.
        {"windowBeforeTheLastForty", QString(20, u'#') + Memo.mid(4, 36) + QString(5, u'#'), Memo, 5 + 41},
        // b at memo 5, a at memo 35: pa + n + 21 = 57, and the first blank at or after 56 is at 57.
        {"pairCutsAtTheNextWordEnd", pairTest(Memo.mid(4, 12), Memo.mid(34, 12)), Memo, 57},
        // Pairs 76 or 75 apart are not accepted: the fallback, the test's length + 10.
        {"pairSeventySixApart", pairTest(u"quick brown "_s, u" lazy dog an"_s), memoWithGap(76), 90},
        {"pairSeventyFiveApart", pairTest(u"quick brown "_s, u" lazy dog an"_s), memoWithGap(75), 90},
        {"nothingFound", QString(60, u'#'), Memo + Memo, 70},
        {"nothingFoundInAShorterMemo", QString(60, u'#'), Memo.left(65), 65},
        // 50 characters: the second piece of every round would start before position 1.
        {"shortTestSkipsPairRounds", QString(18, u'#') + Memo.mid(34, 12) + QString(20, u'#'), Memo + Memo, 60}};
    // clang-format on
    for (const auto &row : rows) {
        EXPECT_EQ(findMemoCut(row.test, row.memo), row.cut) << row.name;
    }
}

// Capitals and shifted signs take two keystrokes, a line feed none, a character of the upper half
// of Windows-1252 three (an Alt code), one the code page lacks two (typed as "?").
TEST(CharacterCount, KeystrokesPerCharacter)
{
    // The five codes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) count like the rest.
    const QString characters = u"a7;|_A\"\r\n\u20AC\u00F7\u00E9\u0101\u0081\u008D\u008F\u0090\u009D"_s;
    const QList<int> expected{1, 1, 1, 2, 2, 2, 2, 1, 0, 3, 3, 3, 2, 3, 3, 3, 3, 3};
    for (int k = 0; k < characters.size(); ++k)
        EXPECT_EQ(keystrokes(characters.at(k)), expected[k]) << k;
    TableOverflows overflows;
    EXPECT_EQ(countCharacters(characters, overflows), 38);
}

TEST(SentenceEndSpacing, BlanksBeforeALineBreakGoInTestAndMemo)
{
    RichDocument test;
    RichDocument memo;
    test.setText(u"End.  \r\nWhat? \r\nStop!  \r\n\r\nNext. Word"_s);
    memo.setText(u"Memo. \r\nx.  y"_s);
    // The first line bold: the blanks go from the document's RTF, where formatting changes too.
    test.setSelLength(6);
    test.setSelBold(true);
    normaliseSentenceEndSpacing(test, memo);
    EXPECT_EQ(test.text(), u"End.\r\nWhat?\r\nStop!\r\n\r\nNext. Word"_s);
    EXPECT_EQ(std::pair(test.formatAt(0).bold, test.formatAt(6).bold), std::pair(true, false));
    EXPECT_EQ(memo.text(), u"Memo.\r\nx.  y"_s);
}

// The first rule that fires decides; nothing recognisable means Afrikaans; markers are case-sensitive.
TEST(MemoLanguage, FirstRuleThatFiresDecides)
{
    const auto af = MemoLanguage::Afrikaans;
    const auto en = MemoLanguage::English;
    // clang-format off
    const struct { QString text; MemoLanguage language; } rows[] = {
        {u"Hy het 'n hond en the cat and I will"_s, af}, // rule 1 before any English rule
        {u"over the hill"_s, en}, {u"Daar is geen boek"_s, af}, {QString(), af}, {u"OVER THE HILL"_s, af},
        {u"Daar is a boek 'n ding"_s, en}}; // rule 23 (" a ") before rule 24 (" 'n ") and rule 28 ("Daar ")
    // clang-format on
    for (const auto &row : rows)
        EXPECT_EQ(chooseMemoLanguage(row.text), row.language) << row.text.toStdString();
}
