// The errors found in one test, in the order found: the word errors of the word check and of the
// doubled-word check, then at most two spacing errors. Repeated errors are marked in the test
// but counted once.
#pragma once

#include "counters.h"
#include "slottable.h"
#include "testoutcome.h"
#include "wordsplitter.h"

#include <QStringList>

namespace tallimark {

struct WordErrors
{
    // Where a store that finds no slot reports itself: the sink the test's words were made with.
    SkippedFailureSink skipped;

    // Entries 1..count: the word as typed (a spacing error: its blank mark), where it starts in
    // the test text (0-based) and, for word errors, its kind.
    Int16 count;
    SlotTable<QString, WordSlots> words;
    SlotTable<int, CharSlots> starts;
    SlotTable<ErrorKind, WordSlots> kinds;
    int wordErrorCount = 0; // entries past it are spacing errors, which have no kind

    // Errors typed again: entries 1..repeatCount.
    Int16 repeatCount;
    SlotTable<QString, WordSlots> repeatWords;
    SlotTable<int, CharSlots> repeatStarts;

    QStringList merged; // test words the word check joined to the word before them, whole
    Byte doubledCount;  // errors the doubled-word check added

    // Records an entry at count + 1.
    void append(const QString &word, int start)
    {
        ++count;
        words.set(count, word, skipped);
        starts.set(count, start, skipped);
    }
    void setKind(int entry, ErrorKind kind) { kinds.set(entry, kind, skipped); }
    void appendRepeat(const QString &word, int start)
    {
        ++repeatCount;
        repeatWords.set(repeatCount, word, skipped);
        repeatStarts.set(repeatCount, start, skipped);
    }
};

} // namespace tallimark
