#include "wordcore.h"

#include "textpositions.h"

namespace tallimark {

QStringView wordCoreView(QStringView word)
{
    const QStringView trimmed = text::trimBlanksView(word);
    QStringView core = trimmed;
    if (!trimmed.isEmpty()) {
        switch (trimmed.back().unicode()) {
        case 13:
        case u'!':
        case u'?':
        case u'.':
        case u',':
        case u';':
        case u':':
        case u'%':
            // Taken from the untrimmed word, as the count of characters is the trimmed one's.
            core = word.first(trimmed.size() - 1);
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

QString wordCore(const QString &word)
{
    return wordCoreView(word).toString();
}

size_t hashText(QStringView text, size_t hash)
{
    for (const QChar c : text) {
        hash ^= c.unicode();
        hash *= 1099511628211ULL;
    }
    return hash;
}

} // namespace tallimark
