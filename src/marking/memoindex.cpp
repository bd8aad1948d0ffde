#include "memoindex.h"

#include "textpositions.h"
#include "wordcore.h"
#include "wordsplitter.h"

#include <algorithm>

namespace tallimark {

void MemoIndex::build(const Words &memoWords)
{
    m_memoWords = &memoWords;
    const int count = memoWords.count();
    m_words.clear();
    m_runTogether.clear();
    m_cores.clear();
    m_words.reserve(size_t(count));
    m_runTogether.reserve(size_t(count));
    m_cores.reserve(size_t(count));
    m_hasEmptyWord = false;
    for (int j = 0; j < count; ++j) {
        const QString &word = memoWords.at(j);
        m_hasEmptyWord = m_hasEmptyWord || word.isEmpty();
        m_words.push_back({hashText(word), j});
        m_cores.push_back({hashText(wordCoreView(word)), j});
        if (j + 1 < count) {
            const QStringView first = text::trimRightView(word);
            QStringView second = memoWords.at(j + 1);
            while (!second.isEmpty() && second.front() == u' ')
                second = second.sliced(1);
            m_runTogether.push_back({hashText(second, hashText(first)), j});
        }
    }
    std::sort(m_words.begin(), m_words.end());
    std::sort(m_runTogether.begin(), m_runTogether.end());
    std::sort(m_cores.begin(), m_cores.end());
}

std::pair<MemoIndex::Entries::const_iterator, MemoIndex::Entries::const_iterator> MemoIndex::candidates(
    const Entries &entries, size_t hash)
{
    const auto first = std::lower_bound(entries.begin(), entries.end(), Entry{hash, 0});
    auto last = first;
    while (last != entries.end() && last->hash == hash)
        ++last;
    return {first, last};
}

bool MemoIndex::hasWord(QStringView word) const
{
    const auto [first, last] = candidates(m_words, hashText(word));
    return std::any_of(first, last, [&](const Entry &e) { return m_memoWords->at(e.word) == word; });
}

int MemoIndex::firstRunTogether(QStringView text) const
{
    const auto [first, last] = candidates(m_runTogether, hashText(text));
    for (auto it = first; it != last; ++it) { // in word order: the first match is the smallest m
        const QStringView a = text::trimRightView(m_memoWords->at(it->word));
        QStringView b = m_memoWords->at(it->word + 1);
        while (!b.isEmpty() && b.front() == u' ')
            b = b.sliced(1);
        if (text.size() == a.size() + b.size() && text.startsWith(a) && text.sliced(a.size()) == b)
            return it->word;
    }
    return -1;
}

int MemoIndex::coreCount(QStringView core) const
{
    const auto [first, last] = candidates(m_cores, hashText(core));
    return int(
        std::count_if(first, last, [&](const Entry &e) { return wordCoreView(m_memoWords->at(e.word)) == core; }));
}

} // namespace tallimark
