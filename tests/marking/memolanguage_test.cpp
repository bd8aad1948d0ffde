#include "marking/memolanguage.h"

#include <gtest/gtest.h>

using namespace tallimark;

TEST(MemoLanguage, FirstRuleThatFiresDecides)
{
    // Rule 1 fires before any English rule.
    EXPECT_EQ(chooseMemoLanguage(QStringLiteral("Hy het 'n hond en the cat and I will")), MemoLanguage::Afrikaans);
    EXPECT_EQ(chooseMemoLanguage(QStringLiteral("over the hill")), MemoLanguage::English);
    // Rule 23 (" a ") comes before rule 24 (" 'n ") and rule 28 ("Daar ").
    EXPECT_EQ(chooseMemoLanguage(QStringLiteral("Daar is a boek 'n ding")), MemoLanguage::English);
    EXPECT_EQ(chooseMemoLanguage(QStringLiteral("Daar is geen boek")), MemoLanguage::Afrikaans);
    EXPECT_EQ(chooseMemoLanguage(QStringLiteral("Because it rained")), MemoLanguage::English);
}

TEST(MemoLanguage, NothingRecognisableMeansAfrikaans)
{
    EXPECT_EQ(chooseMemoLanguage(QString()), MemoLanguage::Afrikaans);
    EXPECT_EQ(chooseMemoLanguage(QStringLiteral("xyz qwerty")), MemoLanguage::Afrikaans);
    // Markers are case-sensitive.
    EXPECT_EQ(chooseMemoLanguage(QStringLiteral("OVER THE HILL")), MemoLanguage::Afrikaans);
}
