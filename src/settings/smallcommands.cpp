#include "smallcommands.h"

namespace tallimark {

QString aboutTitle()
{
    return QStringLiteral("Tallimark PRO");
}

QString aboutText()
{
    return QStringLiteral("Tallimark " TALLIMARK_VERSION
                          ": speed tests marked for typing teachers by the Tallimark developers")
        + QLatin1Char('\r') + QStringLiteral("https://tallimark.example.org");
}

QString helpTitle()
{
    return QStringLiteral("Help");
}

QString helpText()
{
    // Exact wording, the second name without its closing apostrophe included.
    return QStringLiteral(
        " For Help & Instructions, please read 'Afr Tallimark.doc' or 'Eng Tallimark.doc in the current folder.");
}

} // namespace tallimark
