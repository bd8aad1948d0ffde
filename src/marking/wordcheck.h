// Which typed words are wrong: the acceptance rules, the wrong-word handler with its join
// attempts, error kinds and repeated errors, and the check for a word typed twice in a row.
#pragma once

#include "comparedmemo.h"
#include "worderrors.h"

namespace tallimark {

// Whether the typed word passes against the memo part's words and the whole memo text.
bool isAcceptedWord(const QString &word, const ComparedMemo &memo);

// The word check over the test's words. A word typed in two pieces is joined in place (the
// excess-word count reads the joined words), and the piece taken into it is listed as merged.
// The errors count the stores their tables refuse in overflows.
WordErrors checkWords(Words &testWords, const ComparedMemo &memo, TableOverflows &overflows);

// A word typed twice in succession where the memo never has the pair becomes an error.
void checkDoubledWords(Words &testWords, const ComparedMemo &memo, WordErrors &errors);

} // namespace tallimark
