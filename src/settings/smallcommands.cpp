#include "smallcommands.h"

#include <QCoreApplication>

namespace tallimark {

QString aboutTitle()
{
    return QStringLiteral("Tallimark PRO");
}

QString aboutText()
{
    return QStringLiteral("Tallimark " TALLIMARK_VERSION ": ")
        + QCoreApplication::translate("About", "speed tests marked for typing teachers by the Tallimark developers")
        + QLatin1Char('\r') + QStringLiteral("https://tallimark.example.org");
}

} // namespace tallimark
