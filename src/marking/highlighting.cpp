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

void highlightErrors(MarkingState &state, RichDocument &test)
{
    // The first word's start is never recorded by the splitter.
    if (state.errorStarts.at(1) == 0)
        state.errorStarts.set(1, 1, state.skipped);

    for (int e = 1; e <= state.errorCount; ++e) {
        const int start0 = state.errorStarts.at(e) - 1;
        const int length = highlightLength(state.errorWords.at(e));
        test.setSelStart(start0);
        test.setSelLength(length);
        test.setSelBold(true);
        highlight(test, Red);
        test.setSelColour(White);
        state.highlights.append({start0, length, HighlightOperation::Kind::Error});
    }
    for (int r = 1; r <= state.repeatCount; ++r) {
        const int start0 = state.repeatStarts.at(r) - 1;
        const int length = highlightLength(state.repeatWords.at(r));
        test.setSelStart(start0);
        test.setSelLength(length);
        test.setSelColour(Red);
        test.setSelUnderline(true);
        state.highlights.append({start0, length, HighlightOperation::Kind::Repeat});
    }
}

} // namespace tallimark
