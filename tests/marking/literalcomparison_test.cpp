// The memo indexes must answer exactly what reading the memo word by word answers.
#include "comparisonfixture.h"
#include "testgenerator.h"

#include "marking/textpositions.h"
#include "marking/wordcore.h"

#include <gtest/gtest.h>

using namespace tallimark;
using namespace tallimark::testing;

namespace {

// The memo read word by word, as the rules are written.
struct LiteralMemo
{
    const Words &memoWords;

    bool hasWord(const QString &word) const
    {
        for (int j = 0; j < memoWords.count(); ++j) {
            if (memoWords.at(j) == word || memoWords.at(j).isEmpty())
                return true;
        }
        return false;
    }
    int firstRunTogether(const QString &word) const
    {
        for (int m = 0; m + 1 < memoWords.count(); ++m) {
            if (word == text::trimRight(memoWords.at(m)) + text::trimLeft(memoWords.at(m + 1)))
                return m;
        }
        return -1;
    }
    int coreCount(const QString &core) const
    {
        int count = 0;
        for (int j = 0; j < memoWords.count(); ++j)
            count += wordCore(memoWords.at(j)) == core;
        return count;
    }
};

// What the word check and the excess words ask the indexes about a test: every word, its core,
// and each word run together with the next one, with and without the signs a join puts between.
QStringList questionsAbout(const QString &test)
{
    TableOverflows overflows;
    const Words testWords = splitWords(test, overflows);
    QStringList questions;
    for (int t = 0; t < testWords.count(); ++t) {
        const QString word = testWords.at(t);
        const QString next = testWords.at(t + 1);
        questions << word << wordCore(word) << text::trimBlanks(word) + text::trimBlanks(next)
                  << text::trimBlanks(word) + u'-' + text::trimBlanks(next) << u' ' + text::trimRight(word) + u'.';
    }
    for (int k = 0; k + 12 <= test.size(); k += 7)
        questions << test.mid(k, 12);
    questions << QString();
    return questions;
}

} // namespace

TEST(LiteralComparison, TheMemoIndexesAnswerAsTheWordByWordReading)
{
    QRandomGenerator random(20131); // fixed, so that a failure can be replayed
    int found = 0;
    int runTogether = 0;
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const QString memo = generatedMemo(random, 300 + random.bounded(2700));
        const QString test = generatedTest(random, memo);
        const auto result = compared(test, memo);
        const MemoIndex &index = result->memo.index();
        const LiteralMemo literal{result->memo.words()};
        for (const QString &question : questionsAbout(test)) {
            const bool hasWord = index.hasWord(question) || index.hasEmptyWord();
            ASSERT_EQ(hasWord, literal.hasWord(question)) << qPrintable(question);
            ASSERT_EQ(index.firstRunTogether(question), literal.firstRunTogether(question));
            ASSERT_EQ(index.coreCount(question), literal.coreCount(question));
            ASSERT_EQ(result->memo.contains(question), memo.contains(question)) << qPrintable(question);
            found += hasWord;
            runTogether += literal.firstRunTogether(question) >= 0;
        }
    }
    // The generated tests reach both answers of every question.
    EXPECT_GT(found, 3000);
    EXPECT_GT(runTogether, 100);
}
