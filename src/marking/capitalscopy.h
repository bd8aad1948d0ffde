// The marked copy of a test typed in capitals. Only the first half of such a test is marked, as
// a test of its own; its copy still shows the whole document the learner saved, with the marks
// on the first half and the uncounted rest in grey, so that nothing the learner typed is lost.
#pragma once

#include "testoutcome.h"

#include "documents/richdocument.h"

namespace tallimark {

// The remark of the copy, the class record and the class results.
inline const QString CapitalsRemark = QStringLiteral("Typed in capitals: only the first half is marked");

// The colour of the uncounted half.
constexpr Colour Grey = 0x808080;

// The test as it was loaded, kept while its first half is marked.
struct CapitalsTest
{
    RichDocument whole;
    int markedLength = 0; // characters of the whole text that were marked
};

// Makes the whole test the marked copy: the highlights made on markedText (the first half as the
// marking saw it, after its spacing clean-up) go onto the same characters of the whole text, the
// rest turns grey, and the remark follows the text in the report block's formatting. The report
// block itself is appended afterwards, as to any test.
RichDocument capitalsMarkedCopy(const CapitalsTest &test, const QString &markedText,
                                const QList<HighlightOperation> &highlights);

} // namespace tallimark
