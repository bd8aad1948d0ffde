// tallimark-cli: the batch side of Tallimark.
#include "commands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

const char usage[] =
    "Usage: tallimark-cli <command> [options] ...\n"
    "\n"
    "Commands:\n"
    "  text FILE...           print each file's plain text as the marking engine sees it\n"
    "  mark [options] TEST... mark speed tests against the memos (see: tallimark-cli mark --help)\n"
    "\n"
    "Options:\n"
    "  -h, --help             show this help\n"
    "  -v, --version          show the version\n";

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tallimark-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TALLIMARK_VERSION));

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.isEmpty()) {
        std::fputs(usage, stderr);
        return 2;
    }
    const QString command = arguments.takeFirst();
    if (command == QLatin1String("-h") || command == QLatin1String("--help") || command == QLatin1String("help")) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (command == QLatin1String("-v") || command == QLatin1String("--version")) {
        std::printf("tallimark-cli %s\n", TALLIMARK_VERSION);
        return 0;
    }
    if (command == QLatin1String("text"))
        return tallimark::cli::runText(arguments);
    if (command == QLatin1String("mark"))
        return tallimark::cli::runMark(arguments);

    std::fprintf(stderr, "tallimark-cli: unknown command '%s'\n\n%s", qPrintable(command), usage);
    return 2;
}
