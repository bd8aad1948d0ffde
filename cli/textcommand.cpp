// `tallimark-cli text`: shows a teacher exactly the plain text the marking engine compares.
#include "commands.h"
#include "standardoutput.h"

#include "documents/richdocument.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace tallimark::cli {

int runText(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints the plain text of each FILE as UTF-8, line breaks as CR LF, exactly as the marking engine reads it."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("RTF or plain-text files"),
                                 QStringLiteral("FILE..."));
    if (!parser.parse(QStringList{QStringLiteral("tallimark-cli text")} + arguments)) {
        std::fprintf(stderr, "tallimark-cli text: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        std::fputs("tallimark-cli text: no FILE given\n", stderr);
        return 2;
    }

    int exitCode = 0;
    for (const QString &file : files) {
        RichDocument document;
        const Failure failure = document.loadFile(file);
        if (failure.failed()) {
            std::fprintf(stderr, "tallimark-cli text: %s: %s (error %d)\n", qPrintable(file),
                         qPrintable(failure.description), int(failure.number));
            exitCode = 1;
            continue;
        }
        (void)writeStream(stdout, document.text().toUtf8());
    }
    return exitCode;
}

} // namespace tallimark::cli
