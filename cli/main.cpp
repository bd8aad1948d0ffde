// tallimark-cli: the batch side of Tallimark.
#include "commands.h"
#include "standardoutput.h"

#include "documents/platformfile.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const char usage[] = "Usage: tallimark-cli <command> [options] ...\n"
                     "\n"
                     "Commands:\n"
                     "  text FILE...           print each file's plain text as the marking engine sees it\n"
                     "  mark [options] TEST... mark speed tests against the memos (see: tallimark-cli mark --help)\n"
                     "  summary [options] DEST print a destination's class table and figures, write CSV or PDF\n"
                     "                         (see: tallimark-cli summary --help)\n"
                     "\n"
                     "Options:\n"
                     "  -h, --help             show this help\n"
                     "  -v, --version          show the version\n"
                     "\n"
                     "tallimark-cli speaks English whatever the system's language: the words of its messages,\n"
                     "reports and files stay the same, for scripts to rely on (numbers take the system's\n"
                     "decimal separator). The window, tallimark, follows the system's language (Afrikaans or\n"
                     "English).\n";

bool wantsPdf(int argc, char *argv[])
{
    if (argc < 2 || std::strcmp(argv[1], "summary") != 0)
        return false;
    for (int i = 2; i < argc; ++i)
        if (std::strcmp(argv[i], "--pdf") == 0 || std::strncmp(argv[i], "--pdf=", 6) == 0)
            return true;
    return false;
}

int run(QStringList arguments)
{
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
    if (command == QLatin1String("summary"))
        return tallimark::cli::runSummary(arguments);

    std::fprintf(stderr, "tallimark-cli: unknown command '%s'\n\n%s", qPrintable(command), usage);
    return 2;
}

// Output that could not be written (a full disk, /dev/full) must not end in success: the
// report or the JSON the caller relies on is incomplete.
int checkedOutput(int exitCode)
{
    const int error = tallimark::cli::standardOutputError();
    const bool outputLost = error != 0 || std::ferror(stdout) != 0;
    if (outputLost) {
        // The reason of the write that failed, never whatever errno holds by now.
        std::fprintf(stderr, "tallimark-cli: standard output could not be written: %s\n",
                     error != 0 ? std::strerror(error) : "write error");
    }
    const bool messagesLost = std::fflush(stderr) != 0 || std::ferror(stderr) != 0;
    return exitCode == 0 && (outputLost || messagesLost) ? 1 : exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    // The PDF pack needs fonts and painting, hence a GUI application, on the offscreen platform:
    // the command line never opens a window and runs without a display.
    std::unique_ptr<QCoreApplication> app;
    if (wantsPdf(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("tallimark-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TALLIMARK_VERSION));
    tallimark::platform::useUtf8Console();
#ifdef Q_OS_WIN
    // Windows hands Qt the command line as UTF-16, every character intact.
    const QStringList arguments = QCoreApplication::arguments();
#else
    // Arguments as the system's bytes: a test whose name is not valid UTF-8 is still found.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(tallimark::platform::decodeName(argv[i]));
#endif
    return checkedOutput(run(arguments));
}
