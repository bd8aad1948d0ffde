#include "marking/textpositions.h"

#include <gtest/gtest.h>

using namespace tallimark::text;

TEST(TextPositions, ForwardSearchIsOneBasedAndZeroWhenAbsent)
{
    EXPECT_EQ(inStr(u"abcabc", u"bc"), 2);
    EXPECT_EQ(inStr(3, u"abcabc", u"bc"), 5);
    EXPECT_EQ(inStr(u"abcabc", u"x"), 0);
    EXPECT_EQ(inStr(7, u"abcabc", u"c"), 0);
    // An empty needle is found where the search starts, but not in an empty text.
    EXPECT_EQ(inStr(u"ab", u""), 1);
    EXPECT_EQ(inStr(u"", u""), 0);
}

TEST(TextPositions, BackwardSearchKeepsTheMatchWithinTheEnd)
{
    EXPECT_EQ(inStrRev(u"abcabc", u"bc"), 5);
    // The match at 5 runs to 6, past the first 5 characters.
    EXPECT_EQ(inStrRev(u"abcabc", u"bc", 5), 2);
    EXPECT_EQ(inStrRev(u"abcabc", u"bc", 6), 5);
    EXPECT_EQ(inStrRev(u"abcabc", u"bc", 2), 0);
    EXPECT_EQ(inStrRev(u"a\rb\r", u"\r", 3), 2);
}

TEST(TextPositions, PiecesAndBlanks)
{
    EXPECT_EQ(mid(QStringLiteral("hello"), 2, 3), QStringLiteral("ell"));
    EXPECT_EQ(mid(QStringLiteral("hello"), 4), QStringLiteral("lo"));
    EXPECT_EQ(mid(QStringLiteral("hello"), 9, 3), QString());
    EXPECT_EQ(left(QStringLiteral("abc"), -1), QString());
    EXPECT_EQ(right(QStringLiteral("abc"), 5), QStringLiteral("abc"));
    // Only blanks are trimmed; a line break is part of the word.
    EXPECT_EQ(trimBlanks(QStringLiteral("  a\r  ")), QStringLiteral("a\r"));
    EXPECT_EQ(trimRight(QStringLiteral(" a ")), QStringLiteral(" a"));
}

#include "marking/memotextindex.h"

TEST(MemoTextIndex, AnswersAsASearchOfTheWholeText)
{
    tallimark::MemoTextIndex index;
    const QString memo = QStringLiteral("the cat sat on the mat.\r\nthe end");
    index.prepare(memo);
    for (const char16_t *needle : {u"", u"t", u"at", u"the ", u"mat.\r\n", u"the end", u"he end", u"end!", u"cat  ", u"tthe"})
        EXPECT_EQ(index.contains(QStringView(needle)), QStringView(needle).isEmpty() || memo.contains(QStringView(needle)))
            << QString::fromUtf16(needle).toStdString();
    EXPECT_TRUE(index.isPreparedFor(memo));
    EXPECT_FALSE(index.isPreparedFor(QString(memo.data(), memo.size())));
}
