#include "dialogfilter.h"

#include <QStringList>

namespace tallimark {

QString qtFileFilter(const QString &barSeparated)
{
    const QStringList parts = barSeparated.split(QLatin1Char('|'));
    QStringList filters;
    // A description without a pattern after it has nothing to filter by and is left out.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString pattern = parts.at(i + 1).trimmed();
        const QString bracketed = QLatin1Char('(') + pattern + QLatin1Char(')');
        filters.append(description.endsWith(bracketed) ? description : description + QLatin1Char(' ') + bracketed);
    }
    return filters.join(QLatin1String(";;"));
}

QString qtFilterPattern(const QString &qtFilter)
{
    const qsizetype open = qtFilter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = qtFilter.lastIndexOf(QLatin1Char(')'));
    return open >= 0 && close > open ? qtFilter.mid(open + 1, close - open - 1).trimmed() : qtFilter.trimmed();
}

QString patternExtension(const QString &pattern)
{
    const QString extension = pattern.startsWith(QLatin1String("*.")) ? pattern.mid(2) : QString();
    // Wildcards or a list of patterns stand for no one extension.
    for (const QChar c : extension) {
        if (QStringView(u"*?[ ;").contains(c))
            return {};
    }
    return extension.toLower();
}

} // namespace tallimark
