#include "capitalscopy.h"

#include "highlighting.h"
#include "markingoutput.h"

#include <algorithm>

namespace tallimark {

namespace {

// For each character of marked, its position in original, which holds the same characters and,
// between them, the blanks that the spacing clean-up took out. One more entry: the end.
QList<int> positionsIn(QStringView original, QStringView marked)
{
    QList<int> positions;
    positions.reserve(marked.size() + 1);
    qsizetype at = 0;
    for (const QChar c : marked) {
        while (at < original.size() && original[at] != c)
            ++at;
        positions.append(int(std::min(at, original.size())));
        if (at < original.size())
            ++at;
    }
    positions.append(int(at));
    return positions;
}

} // namespace

RichDocument capitalsMarkedCopy(const CapitalsTest &test, const QString &markedText,
                                const QList<HighlightOperation> &highlights)
{
    RichDocument copy = test.whole;
    const QString whole = copy.text();
    const QList<int> positions = positionsIn(QStringView(whole).first(test.markedLength), markedText);
    for (HighlightOperation operation : highlights) {
        // The listed excess words are in the report block, which is marked again when appended.
        if (operation.kind == HighlightOperation::Kind::Excess || operation.length <= 0
            || operation.start + operation.length > markedText.size())
            continue;
        const int start = positions.at(operation.start);
        const int end = std::min(positions.at(operation.start + operation.length - 1) + 1, test.markedLength);
        operation.length = end - start;
        operation.start = start;
        applyHighlight(copy, operation);
    }
    copy.setSelStart(test.markedLength);
    copy.setSelLength(copy.length());
    copy.setSelColour(Grey);
    appendReportBlock(QStringLiteral("\r\n") + CapitalsRemark, copy);
    return copy;
}

} // namespace tallimark
