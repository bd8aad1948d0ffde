#include "wordsplitter.h"

#include <utility>

namespace tallimark {

Words splitWords(const QString &text, TableOverflows &overflows)
{
    overflows.checkText(text.size());
    Words split;
    Word word;
    for (qsizetype p = 0; p < text.size(); ++p) {
        const QChar c = text.at(p);
        word.text.append(c);
        if (c != u' ' && c != QChar(13) && c != QChar(10))
            continue;
        // A full stop standing alone after a blank is shown before its blank.
        if (word.text.startsWith(u'.') && word.text.size() < 3 && p > 1 && text.at(p - 2) == u' ')
            word.text = QStringLiteral(" .");
        split.list.append(std::exchange(word, Word{{}, int(p) + 1}));
        // A full table is reported once, even when the text ends with its last word.
        if (split.list.size() == limits::Words) {
            overflows.refuse();
            return split;
        }
    }
    // The last word, unless the text ended with a separator.
    if (!word.text.isEmpty())
        split.list.append(word);
    return split;
}

} // namespace tallimark
