// The tables and counters that the stages of one marking session share. They live for the whole
// session; each stage resets what it owns, so nothing of one test reaches the next.
#pragma once

#include "counters.h"
#include "memoindex.h"
#include "memotextindex.h"
#include "slottable.h"
#include "testoutcome.h"

#include <QString>
#include <QStringList>

namespace tallimark {

constexpr int WordSlots = 1500;
constexpr int CharSlots = 8000;

struct MarkingState
{
    // Where skipped failures go (the session passes them on to its host).
    SkippedFailureSink skipped;

    // Text preparation
    Int16 memoCutLength;
    bool memoMatched = false;
    qint64 charCount = 0;

    // Word splitter and word tables
    SlotTable<QString, WordSlots> splitWords;
    SlotTable<int, CharSlots> wordStarts;
    int splitCount = 0;
    SlotTable<QString, WordSlots> memoWords;
    Int16 memoWordCount;
    SlotTable<QString, WordSlots> testWords;
    int testWordCount = 0;
    MemoIndex memoIndex;
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

    // Excess words
    Int16 excessCount;
    SlotTable<QString, WordSlots> excessWords;
    QString excessText;
    Int16 doubleCounted;

    // Result
    qint64 grossWords = 0;
    double wpm = 0;
    double unroundedWpm = 0;
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
