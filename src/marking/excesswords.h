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
    QStringList words;   // the first count, as far as the word table holds them; in brackets when
                         // the doubled-word check also made them errors
    QString text;        // the words as found: the result charges for its length
    Int16 doubleCounted; // how many are in brackets

    // Excess word x, or an empty one past those the table holds.
    QString word(int x) const { return words.value(x); }
};

// Counts the test's words by their cores against the memo part's. Errors and repeats found so
// far are not counted again; the words the word check merged into others are emptied here.
// testText is the test's plain text.
ExcessWords findExcessWords(Words &testWords, const QString &testText, const ComparedMemo &memo,
                            const WordErrors &errors, TableOverflows &overflows);

// Puts in brackets the excess words that the doubled-word check made errors as well: the result
// takes them off again, so that they are not charged twice.
void markDoubledExcessWords(ExcessWords &excess, const WordErrors &errors, TableOverflows &overflows);

} // namespace tallimark
