#include "testcomparison.h"

#include "excesswords.h"
#include "layoutchecks.h"
#include "textpositions.h"
#include "textpreparation.h"
#include "wordcheck.h"
#include "wordsplitter.h"

namespace tallimark {

void compareWithMemo(MarkingState &state, const QString &testText, const QString &memoText)
{
    // Nothing an earlier test left in the tables may count for this one.
    state.highlights.clear();
    for (int k = 1; k <= WordSlots; ++k)
        state.errorWords[k].clear();

    state.memoTextIndex.prepare(memoText);

    clearWordTables(state);
    findMemoCut(state, testText, memoText);
    splitWords(state, text::left(memoText, state.memoCutLength));
    takeSplitAsMemoWords(state);

    clearWordTables(state);
    const QString trimmedTest = text::trimRight(testText);
    state.charCount = countCharacters(trimmedTest, state.skipped);
    splitWords(state, trimmedTest);
    takeSplitAsTestWords(state);
    checkWords(state, memoText);

    state.layout = countLayout(testText, memoText, state.memoCutLength);
    findExcessWords(state, testText, memoText);
    state.wordErrorCount = state.errorCount;
    checkSpacing(state, testText);
}

} // namespace tallimark
