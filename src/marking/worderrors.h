// The errors found in one test, in the order found: the word errors of the word check and of the
// doubled-word check, then at most two spacing errors. Repeated errors are marked in the test
// but counted once.
#pragma once

#include "counters.h"
#include "tablelimits.h"
#include "testoutcome.h"
#include "wordsplitter.h"

#include <QList>
#include <QStringList>

namespace tallimark {

struct WordErrors
{
    // Where the stores the tables refuse are counted: the session's, for the test compared
    // (none: they are not counted).
    TableOverflows *overflows = nullptr;

    // The errors are entries 0..count-1: the word as typed (a spacing error: its blank mark),
    // where it starts and, for word errors, its kind. An error taken back as a repeat lowers the
    // count but stays in the list until the next error takes its place.
    QList<ErrorEntry> entries;
    Int16 count;
    int wordErrorCount = 0; // entries from here on are spacing errors, which have no kind

    // Errors typed again: entries 0..repeatCount-1.
    QList<RepeatEntry> repeats;
    Int16 repeatCount;

    QStringList merged; // test words the word check joined to the word before them, whole
    Byte doubledCount;  // errors the doubled-word check added

    // Entry i, or an empty one past those stored.
    ErrorEntry entry(int i) const { return i >= 0 && i < entries.size() ? entries.at(i) : ErrorEntry{}; }
    RepeatEntry repeat(int i) const { return i >= 0 && i < repeats.size() ? repeats.at(i) : RepeatEntry{}; }

    void append(const QString &word, int start)
    {
        ++count;
        store(entries, count - 1, word, start);
    }
    void setKind(int i, ErrorKind kind)
    {
        if (ErrorEntry *stored = room(entries, i, limits::Words))
            stored->kind = kind;
    }
    void appendRepeat(const QString &word, int start)
    {
        ++repeatCount;
        store(repeats, repeatCount - 1, word, start);
    }

private:
    template <typename Entry> void store(QList<Entry> &list, int i, const QString &word, int start)
    {
        if (Entry *stored = room(list, i, limits::Words))
            stored->word = word;
        if (Entry *stored = room(list, i, limits::Characters))
            stored->start = start;
    }
    // The tables have always held a word and a kind for the first 1,500 entries and a start for
    // the first 8,000: a store past them is refused, reported, and reads back empty.
    template <typename Entry> Entry *room(QList<Entry> &list, int i, int limit)
    {
        if (!(overflows ? overflows->fits(i, limit) : i < limit))
            return nullptr;
        if (list.size() <= i)
            list.resize(i + 1);
        return &list[i];
    }
};

} // namespace tallimark
