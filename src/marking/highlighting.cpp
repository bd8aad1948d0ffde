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

QList<HighlightOperation> highlightErrors(const WordErrors &errors, RichDocument &test)
{
    QList<HighlightOperation> highlights;
    for (int e = 0; e < errors.count; ++e) {
        const ErrorEntry error = errors.entry(e);
        const int start = error.start;
        const int length = highlightLength(error.word);
        test.setSelStart(start);
        test.setSelLength(length);
        test.setSelBold(true);
        highlight(test, Red);
        test.setSelColour(White);
        highlights.append({start, length, HighlightOperation::Kind::Error});
    }
    for (int r = 0; r < errors.repeatCount; ++r) {
        const RepeatEntry repeat = errors.repeat(r);
        const int start = repeat.start;
        const int length = highlightLength(repeat.word);
        test.setSelStart(start);
        test.setSelLength(length);
        test.setSelColour(Red);
        test.setSelUnderline(true);
        highlights.append({start, length, HighlightOperation::Kind::Repeat});
    }
    return highlights;
}

} // namespace tallimark
