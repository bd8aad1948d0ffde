#include "highlighting.h"

namespace tallimark {

void highlight(RichDocument &document, Colour colour)
{
    document.setSelBackground(colour);
}

int highlightLength(const QString &word)
{
    // A word merged with the next one across a line break holds a blank between the two that
    // the text does not have ("night.\r \n"); the highlight stays on the entry's own characters.
    int length = int(word.size());
    for (qsizetype k = 1; k < word.size(); ++k) {
        const QChar before = word.at(k - 1);
        if (word.at(k) == u' ' && (before == QChar(13) || before == QChar(10)))
            --length;
    }
    return length - (word.endsWith(u' ') ? 1 : 0);
}

void applyHighlight(RichDocument &document, const HighlightOperation &operation)
{
    document.setSelStart(operation.start);
    document.setSelLength(operation.length);
    switch (operation.kind) {
    case HighlightOperation::Kind::Error:
        document.setSelBold(true);
        highlight(document, Red);
        document.setSelColour(White);
        break;
    case HighlightOperation::Kind::Repeat:
        document.setSelColour(Red);
        document.setSelUnderline(true);
        break;
    case HighlightOperation::Kind::Excess:
        document.setSelBold(false);
        document.setSelColour(White);
        highlight(document, Red); // light red, entry 12 of the console palette
        break;
    }
}

QList<HighlightOperation> highlightErrors(const WordErrors &errors, RichDocument &test)
{
    QList<HighlightOperation> highlights;
    for (int e = 0; e < errors.count; ++e) {
        const ErrorEntry error = errors.entry(e);
        highlights.append({error.start, highlightLength(error.word), HighlightOperation::Kind::Error});
    }
    for (int r = 0; r < errors.repeatCount; ++r) {
        const RepeatEntry repeat = errors.repeat(r);
        highlights.append({repeat.start, highlightLength(repeat.word), HighlightOperation::Kind::Repeat});
    }
    for (const HighlightOperation &operation : std::as_const(highlights))
        applyHighlight(test, operation);
    return highlights;
}

} // namespace tallimark
