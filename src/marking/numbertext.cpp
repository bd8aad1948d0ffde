#include "numbertext.h"

#include <QLocale>

#include <cstdio>

namespace tallimark {

QString numberText(double value)
{
    return numberText(value, QLocale::system().decimalPoint());
}

QString numberText(double value, const QString &decimalSeparator)
{
    if (value == 0)
        return QStringLiteral("0"); // also for -0, which would print as "-0"
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    QString text = QString::fromLatin1(buffer);
    if (decimalSeparator != QLatin1String("."))
        text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

QString numberText(qint64 value)
{
    return QString::number(value);
}

} // namespace tallimark
