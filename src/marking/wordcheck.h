// Which typed words are wrong: the acceptance rules, the wrong-word handler with its join
// attempts, error kinds and repeated errors, and the check for a word typed twice in a row.
#pragma once

#include "markingstate.h"

namespace tallimark {

// Whether the typed word passes against the memo words and the whole memo text.
bool isAcceptedWord(const MarkingState &state, const QString &word, const QString &memoText);

// The word check over testWords; memoText is the whole memo's plain text.
void checkWords(MarkingState &state, const QString &memoText);

// Records test word wordIndex as an error (or a repeated one), trying joins with the next word
// first. Returns whether the next word was merged into it.
bool handleWrongWord(MarkingState &state, int wordIndex, const QString &memoText);

// A word typed twice in succession where the memo never has the pair becomes an error.
void checkDoubledWords(MarkingState &state, const QString &memoText);

} // namespace tallimark
