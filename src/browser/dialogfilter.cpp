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
        filters.append(description.endsWith(bracketed) ? description
                                                       : description + QLatin1Char(' ') + bracketed);
    }
    return filters.join(QLatin1String(";;"));
}

} // namespace tallimark
