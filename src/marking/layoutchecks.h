// Layout and punctuation: line counts, the blanks inside sentences and after sentence ends,
// and the full stops, commas and "!"/"?" that the result compares with the memo.
#pragma once

#include "markingstate.h"

namespace tallimark {

// Lines of a text scanned backwards from position start (1-based) for CRs.
int countLines(const QString &text, int start);
void countLineFeeds(MarkingState &state, const QString &testText, const QString &memoText);

// Records at most one double-blank error and one error in the spacing after sentence ends.
void checkSpacing(MarkingState &state, const QString &testText);

void countPunctuation(MarkingState &state, const QString &testText, const QString &memoText);

// The placeholders that stand for blanks in the error table.
inline const QString DoubleBlankMark = QStringLiteral("\u2022\u2022");
inline const QString SingleBlankMark = QStringLiteral("\u2022");

} // namespace tallimark
