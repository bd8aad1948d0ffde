// Lookups over the memo words of one test, built once after the memo part is split, so that the
// word check and the excess-word count need not walk the memo word by word for every test word.
// Every answer equals the one the word-by-word walk gives. Nothing is copied: the index holds
// hashes and word numbers, and equal hashes are confirmed on the words themselves.
#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace tallimark {

struct Words;

class MemoIndex
{
public:
    // The index keeps a reference to the words: they must stay where they are while it is used.
    void build(const Words &memoWords);

    bool hasWord(QStringView word) const;
    bool hasEmptyWord() const { return m_hasEmptyWord; }
    // The smallest m for which memo word m without trailing blanks followed by memo word m + 1
    // without leading blanks is the given text, or -1.
    int firstRunTogether(QStringView text) const;
    int coreCount(QStringView core) const;

private:
    struct Entry
    {
        size_t hash;
        int word;
        friend bool operator<(const Entry &a, const Entry &b)
        {
            return a.hash < b.hash || (a.hash == b.hash && a.word < b.word);
        }
    };
    using Entries = std::vector<Entry>;
    static std::pair<Entries::const_iterator, Entries::const_iterator> candidates(const Entries &entries, size_t hash);

    const Words *m_memoWords = nullptr;
    Entries m_words;
    Entries m_runTogether;
    Entries m_cores;
    bool m_hasEmptyWord = false;
};

} // namespace tallimark
