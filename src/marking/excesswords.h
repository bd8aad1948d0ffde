// Accepted words typed more often than the memo part has them (a line typed twice, a word
// repeated), and the brackets around those the doubled-word check also made errors.
#pragma once

#include "comparedmemo.h"
#include "worderrors.h"

namespace tallimark {

// The excess words as the report lists them.
struct ExcessWords
{
    Int16 count;
    SlotTable<QString, WordSlots> words; // in brackets when the doubled-word check also made it an error
    QString text;                        // the words as found: the result charges for its length
    Int16 doubleCounted;                 // how many are in brackets
    SkippedFailureSink skipped;          // the test's words', where a store that finds no slot reports itself
};

// Counts the test's words by their cores against the memo part's. Errors and repeats found so
// far are not counted again; the words the word check merged into others are emptied here.
// testText is the test's plain text.
ExcessWords findExcessWords(Words &testWords, const QString &testText, const ComparedMemo &memo,
                            const WordErrors &errors);

// Puts in brackets the excess words that the doubled-word check made errors as well: the result
// takes them off again, so that they are not charged twice.
void markDoubledExcessWords(ExcessWords &excess, const WordErrors &errors);

} // namespace tallimark
