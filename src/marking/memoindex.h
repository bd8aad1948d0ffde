// Lookups over the memo words of one test, built once after the memo part is split, so that the
// word check and the excess-word count need not walk the memo word by word for every test word.
// Every answer equals the one the word-by-word walk gives.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>

namespace tallimark {

struct MarkingState;

class MemoIndex
{
public:
    void build(const MarkingState &state);

    bool hasWord(const QString &word) const { return m_words.contains(word); }
    bool hasEmptyWord() const { return m_hasEmptyWord; }
    // The smallest m for which memo word m without trailing blanks followed by memo word m + 1
    // without leading blanks is the given text, or 0.
    int firstRunTogether(const QString &text) const { return m_runTogether.value(text, 0); }
    int coreCount(const QString &core) const { return m_cores.value(core, 0); }

private:
    QSet<QString> m_words;
    bool m_hasEmptyWord = false;
    QHash<QString, int> m_runTogether;
    QHash<QString, int> m_cores;
};

} // namespace tallimark
