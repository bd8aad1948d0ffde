#include "excesswords.h"

#include "textpositions.h"
#include "wordcheck.h"
#include "wordcore.h"

#include <QHash>
#include <QSet>

namespace tallimark {

namespace {

constexpr int CoreSlots = 1000; // seenCores holds slots 0..999

bool isErrorOrRepeat(const MarkingState &state, const QString &word)
{
    for (int e = 1; e <= state.errorCount; ++e) {
        if (state.errorWords.at(e) == word)
            return true;
    }
    for (int r = 1; r <= state.repeatCount; ++r) {
        if (state.repeatWords.at(r) == word)
            return true;
    }
    return false;
}

QStringList collectCores(MarkingState &state, const QString &testText, int &coreCount)
{
    QStringList seenCores; // the stored slots 0..999
    QSet<QString> seen;
    coreCount = 0;
    for (int t = 1; t <= state.testWordCount; ++t) {
        const QString word = state.testWords.at(t);
        const bool skipped = isErrorOrRepeat(state, word);
        if (state.mergedList.contains(word))
            state.testWords.set(t, QString(), state.skipped);
        if (skipped)
            continue;
        const QString core = wordCore(state.testWords.at(t));
        const bool known = state.literalComparisons ? seenCores.contains(core) : seen.contains(core);
        if (known || core.isEmpty() || core == QStringView(u"\n") || !text::contains(testText, core))
            continue;
        if (coreCount < CoreSlots) {
            seenCores.append(core);
            seen.insert(core);
        } else {
            state.skip(subscriptFailure());
        }
        ++coreCount;
    }
    return seenCores;
}

int countInTest(const MarkingState &state, const QString &core)
{
    int count = 0;
    for (int t = 1; t <= state.testWordCount; ++t) {
        if (wordCore(state.testWords.at(t)) == core)
            ++count;
    }
    return count;
}

int countInMemo(const MarkingState &state, const QString &core)
{
    int count = 0;
    for (int j = 1; j <= state.memoWordCount; ++j) {
        if (wordCore(state.memoWords.at(j)) == core)
            ++count;
    }
    return count;
}

void addExcessWord(MarkingState &state, const QString &core)
{
    ++state.excessCount;
    if (state.excessWords.set(state.excessCount, core + u' ', state.skipped))
        state.excessText += state.excessWords.at(state.excessCount);
}

void markDoubledExcessWords(MarkingState &state)
{
    state.doubleCounted = 0;
    for (int x = 1; x <= state.excessCount; ++x) {
        for (int e = 1; e <= state.errorCount; ++e) {
            const QString excess = state.excessWords.at(x);
            if (text::trimBlanks(excess) == text::trimBlanks(state.errorWords.at(e))) {
                state.excessWords.set(x, u'(' + excess + u')', state.skipped);
                ++state.doubleCounted;
            }
            if (state.doubleCounted == state.doubledCount)
                return;
        }
    }
}

} // namespace

void findExcessWords(MarkingState &state, const QString &testText, const QString &memoText)
{
    state.excessText.clear();
    int coreCount = 0;
    const QStringList seenCores = collectCores(state, testText, coreCount);

    // The last core collected is left out: it may be the learner's unfinished last word.
    const int counted = std::min<int>(coreCount - 1, int(seenCores.size()));
    QHash<QString, int> testCores;
    if (!state.literalComparisons) {
        testCores.reserve(state.testWordCount);
        for (int t = 1; t <= state.testWordCount; ++t)
            ++testCores[wordCore(state.testWords.at(t))];
    }
    for (int k = 0; k < counted; ++k) {
        const QString &core = seenCores.at(k);
        const int inTest = state.literalComparisons ? countInTest(state, core) : testCores.value(core);
        const int inMemo = state.literalComparisons ? countInMemo(state, core) : state.memoIndex.coreCount(core);
        for (int extra = inTest - inMemo; extra > 0; --extra)
            addExcessWord(state, core);
    }

    checkDoubledWords(state, memoText);
    markDoubledExcessWords(state);
}

} // namespace tallimark
