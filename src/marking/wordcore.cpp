#include "wordcore.h"

#include "textpositions.h"

namespace tallimark {

QString wordCore(const QString &word)
{
    const QString trimmed = text::trimBlanks(word);
    QString core = trimmed;
    if (!trimmed.isEmpty()) {
        switch (trimmed.back().unicode()) {
        case 13: case u'!': case u'?': case u'.': case u',': case u';': case u':': case u'%':
            // Taken from the untrimmed word, as the count of characters is the trimmed one's.
            core = text::left(word, int(trimmed.size()) - 1);
            break;
        default:
            break;
        }
    }
    for (const QChar mark : {u'.', u',', u'!', u'?', u'%'}) {
        if (core.endsWith(mark))
            core.chop(1);
    }
    return core;
}

} // namespace tallimark
