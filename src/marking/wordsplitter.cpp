#include "wordsplitter.h"

namespace tallimark {

void splitWords(MarkingState &state, const QString &work)
{
    const int length = int(work.size());
    state.splitCount = 1;
    // Each word starts from an empty slot, whatever an earlier, longer split left there.
    state.splitWords[1].clear();
    bool tableFull = false;
    for (int p = 1; p <= length; ++p) {
        const QChar c = work.at(p - 1);
        // A text longer than the character table is reported once, where it leaves the table.
        if (p == CharSlots + 1)
            state.skip(subscriptFailure());
        if (tableFull)
            continue;
        QString &word = state.splitWords[state.splitCount];
        word.append(c);
        if (c == u' ' || c == QChar(13) || c == QChar(10)) {
            // A full stop standing alone after a blank is shown before its blank.
            if (word.startsWith(u'.') && word.size() < 3 && p > 2 && work.at(p - 3) == u' ')
                word = QStringLiteral(" .");
            if (state.splitCount == WordSlots) {
                tableFull = true;
                state.skip(subscriptFailure());
                continue;
            }
            ++state.splitCount;
            state.splitWords[state.splitCount].clear();
            state.wordStarts[state.splitCount] = p + 1;
        }
    }

    // Remove empty entries; in practice the empty slot after a final separator.
    const int passCount = state.splitCount;
    for (int j = 1; j <= passCount; ++j) {
        if (!state.splitWords.at(j).isEmpty())
            continue;
        const int moveCount = state.splitCount;
        for (int k = j; k < moveCount; ++k) {
            state.splitWords[k] = state.splitWords[k + 1];
            state.wordStarts[k] = state.wordStarts[k + 1];
        }
        --state.splitCount;
    }
}

void takeSplitAsMemoWords(MarkingState &state)
{
    for (int k = 1; k <= state.splitCount; ++k)
        state.memoWords[k] = state.splitWords.at(k);
    state.memoWordCount = state.splitCount;
    state.memoIndex.build(state);
}

void takeSplitAsTestWords(MarkingState &state)
{
    for (int k = 1; k <= state.splitCount; ++k)
        state.testWords[k] = state.splitWords.at(k);
    state.testWordCount = state.splitCount;
}

} // namespace tallimark
