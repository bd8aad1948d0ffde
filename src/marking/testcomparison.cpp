#include "testcomparison.h"

#include "layoutchecks.h"
#include "textpositions.h"
#include "textpreparation.h"
#include "wordcheck.h"

namespace tallimark {

Comparison compareWithMemo(const QString &testText, ComparedMemo &memo, TableOverflows &overflows)
{
    memo.setCutLength(findMemoCut(testText, memo.text()), overflows);

    Comparison comparison;
    const QString trimmedTest = text::trimRight(testText);
    comparison.charCount = countCharacters(trimmedTest, overflows);
    Words testWords = splitWords(trimmedTest, overflows);
    comparison.errors = checkWords(testWords, memo, overflows);

    comparison.layout = countLayout(testText, memo.text(), memo.cutLength());
    comparison.excess = findExcessWords(testWords, testText, memo, comparison.errors, overflows);
    checkDoubledWords(testWords, memo, comparison.errors);
    markDoubledExcessWords(comparison.excess, comparison.errors, overflows);
    checkSpacing(testText, comparison.errors);
    return comparison;
}

} // namespace tallimark
