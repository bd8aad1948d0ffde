#include "excesswords.h"

#include "textpositions.h"
#include "wordcore.h"

#include <QSet>

#include <algorithm>
#include <vector>

namespace tallimark {

namespace {

// The collected cores, in order, and how often each is in the test; coreCount also counts those
// the table had no room for.
struct CollectedCores
{
    QStringList seenCores;
    std::vector<int> inTest;
    int coreCount = 0;
};

// Groups the test words by their cores through hashes, so that no core is searched word by word.
CollectedCores collectCores(Words &testWords, const QString &testText, const WordErrors &errors,
                            TableOverflows &overflows)
{
    const int n = testWords.count();
    QSet<QString> errorsAndRepeats;
    for (int e = 0; e < errors.count; ++e)
        errorsAndRepeats.insert(errors.entry(e).word);
    for (int r = 0; r < errors.repeatCount; ++r)
        errorsAndRepeats.insert(errors.repeat(r).word);

    // Whether a word is skipped depends on it as it was; a merged word is emptied either way.
    std::vector<char> skipped(size_t(n), 0);
    for (int t = 0; t < n; ++t) {
        const QString &word = testWords.at(t);
        skipped[size_t(t)] = errorsAndRepeats.contains(word);
        if (!errors.merged.isEmpty() && errors.merged.contains(word))
            testWords.setText(t, QString());
    }

    // Words with equal cores form a group, named by its first word.
    std::vector<QStringView> cores(static_cast<size_t>(n));
    std::vector<std::pair<size_t, int>> byHash;
    byHash.reserve(size_t(n));
    for (int t = 0; t < n; ++t) {
        cores[size_t(t)] = wordCoreView(testWords.at(t));
        byHash.emplace_back(hashText(cores[size_t(t)]), t);
    }
    std::sort(byHash.begin(), byHash.end());
    std::vector<int> group(size_t(n), 0);
    std::vector<int> groupSize(size_t(n), 0);
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
    std::vector<char> groupCollected(size_t(n), 0);
    for (int t = 0; t < n; ++t) {
        if (skipped[size_t(t)])
            continue;
        const QStringView core = cores[size_t(t)];
        const int g = group[size_t(t)];
        if (groupCollected[size_t(g)] || core.isEmpty() || core == u"\n")
            continue;
        // A core is usually the start of its own word, found there without a search.
        const int start = testWords.startOf(t);
        if (QStringView(testText).mid(start, core.size()) != core && !QStringView(testText).contains(core))
            continue;
        // A core the table has no room for is not known afterwards: its group is met again.
        if (overflows.fits(collected.coreCount, limits::WordCores)) {
            groupCollected[size_t(g)] = 1;
            collected.seenCores.append(core.toString());
            collected.inTest.push_back(groupSize[size_t(g)]);
        }
        ++collected.coreCount;
    }
    return collected;
}

void addExcessWord(ExcessWords &excess, const QString &core, TableOverflows &overflows)
{
    ++excess.count;
    if (overflows.fits(excess.words.size(), limits::Words)) {
        excess.words.append(core + u' ');
        excess.text += excess.words.last();
    }
}

} // namespace

ExcessWords findExcessWords(Words &testWords, const QString &testText, const ComparedMemo &memo,
                            const WordErrors &errors, TableOverflows &overflows)
{
    ExcessWords excess;
    const CollectedCores collected = collectCores(testWords, testText, errors, overflows);

    // The last core collected is left out: it may be the learner's unfinished last word.
    const int counted = std::min<int>(collected.coreCount - 1, int(collected.seenCores.size()));
    for (int k = 0; k < counted; ++k) {
        const QString &core = collected.seenCores.at(k);
        const int inTest = collected.inTest[size_t(k)];
        const int inMemo = memo.index().coreCount(core);
        for (int extra = inTest - inMemo; extra > 0; --extra)
            addExcessWord(excess, core, overflows);
    }
    return excess;
}

void markDoubledExcessWords(ExcessWords &excess, const WordErrors &errors, TableOverflows &overflows)
{
    excess.doubleCounted = 0;
    for (int x = 0; x < excess.count; ++x) {
        for (int e = 0; e < errors.count; ++e) {
            const QString word = excess.word(x);
            if (text::trimBlanksView(word) == text::trimBlanksView(errors.entry(e).word)) {
                if (overflows.fits(x, limits::Words))
                    excess.words[x] = u'(' + word + u')';
                ++excess.doubleCounted;
            }
            if (excess.doubleCounted == errors.doubledCount)
                return;
        }
    }
}

} // namespace tallimark
