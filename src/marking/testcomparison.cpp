#include "testcomparison.h"

#include "layoutchecks.h"
#include "textpositions.h"
#include "textpreparation.h"
#include "wordcheck.h"

namespace tallimark {

Comparison compareWithMemo(const QString &testText, ComparedMemo &memo, const SkippedFailureSink &skipped)
{
    memo.setCutLength(findMemoCut(testText, memo.text()), skipped);

    Comparison comparison;
    const QString trimmedTest = text::trimRight(testText);
    comparison.charCount = countCharacters(trimmedTest, skipped);
    Words testWords = splitWords(trimmedTest, skipped);
    comparison.errors = checkWords(testWords, memo);

    comparison.layout = countLayout(testText, memo.text(), memo.cutLength());
    comparison.excess = findExcessWords(testWords, testText, memo, comparison.errors);
    checkDoubledWords(testWords, memo, comparison.errors);
    markDoubledExcessWords(comparison.excess, comparison.errors);
    checkSpacing(testText, comparison.errors);
    return comparison;
}

} // namespace tallimark
