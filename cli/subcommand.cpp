#include "subcommand.h"

#include <QCommandLineParser>

#include <cstdio>

namespace tallimark::cli {

void complainAs(const char *command, const QString &text)
{
    std::fprintf(stderr, "tallimark-cli %s: %s\n", command, text.toUtf8().constData());
}

std::optional<int> parseSubcommand(QCommandLineParser &parser, const char *command, const QStringList &arguments)
{
    const QString name = QStringLiteral("tallimark-cli ") + QLatin1String(command);
    if (!parser.parse(QStringList{name} + arguments)) {
        complainAs(command, parser.errorText());
        return 2;
    }
    if (!parser.isSet(QStringLiteral("help")))
        return std::nullopt;
    // The parser names the program as it was started; the usage line names the command.
    QString help = parser.helpText();
    if (const qsizetype end = help.indexOf(u" [options]"); end > 0)
        help.replace(0, end, QStringLiteral("Usage: ") + name);
    std::fputs(help.toUtf8().constData(), stdout);
    return 0;
}

} // namespace tallimark::cli
