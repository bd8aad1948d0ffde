// Layout and punctuation: line counts, the blanks inside sentences and after sentence ends,
// and the full stops, commas and "!"/"?" that the result compares with the memo.
#pragma once

#include "testoutcome.h"
#include "worderrors.h"

namespace tallimark {

// The lines of the first `start` characters of a text: one more than its CRs, unless it starts
// with one.
int countLines(QStringView text, int start);
// The lines and punctuation of the test and of the memo's first memoCutLength characters.
LayoutCounts countLayout(const QString &testText, const QString &memoText, int memoCutLength);

// Adds at most one double-blank error and one error in the spacing after sentence ends to the
// word errors.
void checkSpacing(const QString &testText, WordErrors &errors);

// The placeholders that stand for blanks in the error table.
inline const QString DoubleBlankMark = QStringLiteral("\u2022\u2022");
inline const QString SingleBlankMark = QStringLiteral("\u2022");

} // namespace tallimark
