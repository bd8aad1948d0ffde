// Cutting a text into words. A word keeps the one separator (blank, CR or LF) that ended it.
#pragma once

#include "markingstate.h"

namespace tallimark {

// Splits workText into splitWords / splitCount and records wordStarts and charCells. Words past
// the last slot are not stored; the split stops adding words there.
void splitWords(MarkingState &state);

// After splitting the memo part: memoWords / memoWordCount, and the memo index.
void takeSplitAsMemoWords(MarkingState &state);
// After splitting the test: testWords / testWordCount.
void takeSplitAsTestWords(MarkingState &state);

} // namespace tallimark
