#include "excesswords.h"

#include "textpositions.h"
#include "wordcheck.h"
#include "wordcore.h"

#include <QSet>

#include <algorithm>
#include <vector>

namespace tallimark {

namespace {

constexpr int CoreSlots = 1000; // seenCores holds slots 0..999

// The collected cores, in order; coreCount also counts those that found no slot.
struct CollectedCores
{
    QStringList seenCores;
    int coreCount = 0;
    std::vector<int> inTest; // per stored core, when known from the collecting
};

void storeCore(MarkingState &state, CollectedCores &collected, const QString &core)
{
    if (collected.coreCount < CoreSlots)
        collected.seenCores.append(core);
    else
        state.skip(subscriptFailure());
    ++collected.coreCount;
}

// Groups the test words by their cores through hashes, so that no core is searched word by word.
CollectedCores collectCores(MarkingState &state, const QString &testText)
{
    const int n = state.testWordCount;
    QSet<QString> errorsAndRepeats;
    for (int e = 1; e <= state.errorCount; ++e)
        errorsAndRepeats.insert(state.errorWords.at(e));
    for (int r = 1; r <= state.repeatCount; ++r)
        errorsAndRepeats.insert(state.repeatWords.at(r));

    // Whether a word is skipped depends on it as it was; a merged word is emptied either way.
    std::vector<char> skipped(size_t(n) + 1, 0);
    for (int t = 1; t <= n; ++t) {
        const QString &word = state.testWords.at(t);
        skipped[size_t(t)] = errorsAndRepeats.contains(word);
        if (!state.mergedList.isEmpty() && state.mergedList.contains(word))
            state.testWords.set(t, QString(), state.skipped);
    }

    // Words with equal cores form a group, named by its first word.
    std::vector<QStringView> cores(size_t(n) + 1);
    std::vector<std::pair<size_t, int>> byHash;
    byHash.reserve(size_t(n));
    for (int t = 1; t <= n; ++t) {
        cores[size_t(t)] = wordCoreView(state.testWords.at(t));
        byHash.emplace_back(hashText(cores[size_t(t)]), t);
    }
    std::sort(byHash.begin(), byHash.end());
    std::vector<int> group(size_t(n) + 1, 0);
    std::vector<int> groupSize(size_t(n) + 1, 0);
    for (size_t begin = 0; begin < byHash.size();) {
        size_t end = begin;
        while (end < byHash.size() && byHash[end].first == byHash[begin].first)
            ++end;
        for (size_t k = begin; k < end; ++k) {
            const int t = byHash[k].second;
            for (size_t r = begin; r <= k; ++r) { // the first earlier word with the same core
                const int first = byHash[r].second;
                if (cores[size_t(first)] == cores[size_t(t)]) {
                    group[size_t(t)] = first;
                    ++groupSize[size_t(first)];
                    break;
                }
            }
        }
        begin = end;
    }

    CollectedCores collected;
    std::vector<char> groupCollected(size_t(n) + 1, 0);
    for (int t = 1; t <= n; ++t) {
        if (skipped[size_t(t)])
            continue;
        const QStringView core = cores[size_t(t)];
        const int g = group[size_t(t)];
        if (groupCollected[size_t(g)] || core.isEmpty() || core == u"\n")
            continue;
        // A core is usually the start of its own word, found there without a search.
        const int start = std::max(1, state.wordStarts.at(t));
        if (QStringView(testText).mid(start - 1, core.size()) != core && !text::contains(testText, core))
            continue;
        // A core that found no slot is not known afterwards, as in the table itself.
        if (collected.coreCount < CoreSlots) {
            groupCollected[size_t(g)] = 1;
            collected.inTest.push_back(groupSize[size_t(g)]);
        }
        storeCore(state, collected, core.toString());
    }
    return collected;
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
            if (text::trimBlanksView(excess) == text::trimBlanksView(state.errorWords.at(e))) {
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
    const CollectedCores collected = collectCores(state, testText);

    // The last core collected is left out: it may be the learner's unfinished last word.
    const int counted = std::min<int>(collected.coreCount - 1, int(collected.seenCores.size()));
    for (int k = 0; k < counted; ++k) {
        const QString &core = collected.seenCores.at(k);
        const int inTest = collected.inTest[size_t(k)];
        const int inMemo = state.memoIndex.coreCount(core);
        for (int extra = inTest - inMemo; extra > 0; --extra)
            addExcessWord(state, core);
    }

    checkDoubledWords(state, memoText);
    markDoubledExcessWords(state);
}

} // namespace tallimark
