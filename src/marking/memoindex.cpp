#include "memoindex.h"

#include "markingstate.h"
#include "textpositions.h"
#include "wordcore.h"

namespace tallimark {

void MemoIndex::build(const MarkingState &state)
{
    m_words.clear();
    m_runTogether.clear();
    m_cores.clear();
    m_hasEmptyWord = false;
    const int count = state.memoWordCount;
    m_words.reserve(count);
    m_cores.reserve(count);
    for (int j = 1; j <= count; ++j) {
        const QString word = state.memoWords.at(j);
        m_words.insert(word);
        m_hasEmptyWord = m_hasEmptyWord || word.isEmpty();
        ++m_cores[wordCore(word)];
        if (j < count) {
            const QString joined = text::trimRight(word) + text::trimLeft(state.memoWords.at(j + 1));
            m_runTogether.insert(joined, m_runTogether.value(joined, j)); // keeps the first m
        }
    }
}

} // namespace tallimark
