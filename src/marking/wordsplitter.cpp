#include "wordsplitter.h"

namespace tallimark {

Words splitWords(const QString &work, const SkippedFailureSink &skipped)
{
    const auto skip = [&] {
        if (skipped)
            skipped(subscriptFailure());
    };
    Words split;
    split.skipped = skipped;
    const int length = int(work.size());
    split.count = 1;
    bool tableFull = false;
    for (int p = 1; p <= length; ++p) {
        const QChar c = work.at(p - 1);
        // A text longer than the character table is reported once, where it leaves the table.
        if (p == CharSlots + 1)
            skip();
        if (tableFull)
            continue;
        QString &word = split.words[split.count];
        word.append(c);
        if (c == u' ' || c == QChar(13) || c == QChar(10)) {
            // A full stop standing alone after a blank is shown before its blank.
            if (word.startsWith(u'.') && word.size() < 3 && p > 2 && work.at(p - 3) == u' ')
                word = QStringLiteral(" .");
            if (split.count == WordSlots) {
                tableFull = true;
                skip();
                continue;
            }
            ++split.count;
            split.starts[split.count] = p; // the next word's, 0-based
        }
    }

    // Remove empty entries; in practice the empty slot after a final separator.
    const int passCount = split.count;
    for (int j = 1; j <= passCount; ++j) {
        if (!split.words.at(j).isEmpty())
            continue;
        const int moveCount = split.count;
        for (int k = j; k < moveCount; ++k) {
            split.words[k] = split.words[k + 1];
            split.starts[k] = split.starts[k + 1];
        }
        --split.count;
    }
    return split;
}

} // namespace tallimark
