// Accepted words typed more often than the memo part has them (a line typed twice, a word
// repeated). Runs the doubled-word check and marks the excess words it also made errors.
#pragma once

#include "markingstate.h"

namespace tallimark {

// testText is the test's plain text; memoText the whole memo's.
void findExcessWords(MarkingState &state, const QString &testText, const QString &memoText);

} // namespace tallimark
