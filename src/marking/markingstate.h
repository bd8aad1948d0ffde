// The tables and counters that the stages of one marking session share. They live for the whole
// session; each stage resets what it owns, so nothing of one test reaches the next.
#pragma once

#include "counters.h"
#include "memoindex.h"
#include "memotextindex.h"
#include "slottable.h"
#include "testoutcome.h"
#include "wordsplitter.h"

#include <QString>
#include <QStringList>

namespace tallimark {

// Accepted words typed more often than the memo part has them, as the report lists them.
struct ExcessWords
{
    Int16 count;
    SlotTable<QString, WordSlots> words; // in brackets when the doubled-word check also made it an error
    QString text;                        // the words as found: the result charges for its length
    Int16 doubleCounted;                 // how many are in brackets
};

struct MarkingState
{
    // Where skipped failures go (the session passes them on to its host).
    SkippedFailureSink skipped;

    // How much of the memo the test is compared with.
    Int16 memoCutLength;

    // The words of the memo part the test is compared with, and of the test; the word check joins
    // and the excess-word count empties test words in place.
    Words memoWords;
    Words testWords;
    MemoIndex memoIndex;         // over memoWords
    MemoTextIndex memoTextIndex; // over the whole memo text

    // Whether the whole memo text contains the text (an empty text: when the memo is not empty).
    bool memoContains(const QString &memoText, QStringView needle) const
    {
        if (!memoTextIndex.isPreparedFor(memoText))
            return needle.isEmpty() ? !memoText.isEmpty() : QStringView(memoText).contains(needle);
        return memoTextIndex.contains(needle);
    }

    // Word check
    QStringList mergedList; // the merged words, whole entries
    Int16 errorCount;
    int wordErrorCount = 0; // entries 1..wordErrorCount are word errors, later ones spacing errors
    SlotTable<QString, WordSlots> errorWords;
    SlotTable<int, CharSlots> errorStarts;
    SlotTable<quint8, WordSlots> errorKinds;
    Int16 repeatCount;
    SlotTable<QString, WordSlots> repeatWords;
    SlotTable<int, CharSlots> repeatStarts;
    Byte doubledCount;

    // Punctuation and layout
    LayoutCounts layout;
    bool twoSpaceStyle = false;

    ExcessWords excess;

    // Result: the keystrokes are counted with the words, the rest by the result calculation.
    ResultFigures result;
    QString reportText;

    // What the highlighting and the excess-word marking selected, in order.
    QList<HighlightOperation> highlights;

    void skip(const Failure &failure) const
    {
        if (skipped)
            skipped(failure);
    }
};

} // namespace tallimark
