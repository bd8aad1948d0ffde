// The comparison of one test with its memo, from the cleared tables to the punctuation counts:
// everything between loading the documents and highlighting the errors.
#pragma once

#include "markingstate.h"

namespace tallimark {

// testText and memoText are the plain texts after the sentence-end spacing was normalised.
// Leaves the word and spacing errors, repeats, excess words and counts in state.
void compareWithMemo(MarkingState &state, const QString &testText, const QString &memoText);

} // namespace tallimark
