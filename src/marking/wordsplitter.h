// Cutting a text into words. A word keeps the one separator (blank, CR or LF) that ended it.
#pragma once

#include "markingstate.h"

namespace tallimark {

// Splits text into splitWords / splitCount and records wordStarts. Words past the last slot are
// not stored; the split stops adding words there.
void splitWords(MarkingState &state, const QString &text);

// After splitting the memo part: memoWords / memoWordCount, and the memo index.
void takeSplitAsMemoWords(MarkingState &state);
// After splitting the test: testWords / testWordCount.
void takeSplitAsTestWords(MarkingState &state);

} // namespace tallimark
