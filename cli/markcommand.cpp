// `tallimark-cli mark`: marks speed tests exactly as the window's button does, with the command
// line as the host.
#include "commands.h"

#include "marking/programfolder.h"
#include "commandlinehost.h"

#include "documents/memoloader.h"
#include "documents/workspace.h"
#include "marking/markingsession.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace tallimark::cli {

using namespace Qt::StringLiterals;

namespace {

void complain(const QString &text)
{
    std::fprintf(stderr, "tallimark-cli mark: %s\n", text.toUtf8().constData());
}

} // namespace

int runMark(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Marks speed tests against the memos Bron.rtf (Afrikaans) and Source.rtf "
                                     "(English), writing the marked copies (.rug) and Resultaat.res into the "
                                     "destination folder. The report goes to standard output, messages to "
                                     "standard error."_s);
    parser.addHelpOption();
    const QCommandLineOption memos(u"memos"_s, u"Folder of Bron.rtf and Source.rtf (default: the current folder)."_s,
                                   u"DIR"_s);
    const QCommandLineOption dest(u"dest"_s, u"Destination folder name (default: the first test's folder name)."_s,
                                  u"NAME"_s);
    const QCommandLineOption reuse(u"reuse"_s, u"Add to the destination folder when it exists, instead of asking."_s);
    const QCommandLineOption outRoot(u"out-root"_s,
                                     u"Where destination folders are made (default: Tallimark's own folder)."_s,
                                     u"DIR"_s);
    const QCommandLineOption integer(u"integer"_s, u"Final result as integer (default: multiple of 5)."_s);
    const QCommandLineOption json(u"json"_s, u"Write one JSON object per test (JSON Lines) to FILE, or - for "
                                              "standard output (the report then goes to standard error)."_s,
                                  u"FILE"_s);
    parser.addOptions({memos, dest, reuse, outRoot, integer, json});
    parser.addPositionalArgument(u"TEST"_s, u"Speed tests (.rtf), marked in this order."_s, u"TEST..."_s);

    if (!parser.parse(QStringList{u"tallimark-cli mark"_s} + arguments)) {
        complain(parser.errorText());
        return 2;
    }
    if (parser.isSet(u"help"_s)) {
        // The parser names the program as it was started; the usage line names the command.
        QString help = parser.helpText();
        if (const qsizetype end = help.indexOf(u" [options]"); end > 0)
            help.replace(0, end, u"Usage: tallimark-cli mark"_s);
        std::fputs(help.toUtf8().constData(), stdout);
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        complain(u"no TEST given (see: tallimark-cli mark --help)"_s);
        return 2;
    }
    if (parser.isSet(dest) && (parser.value(dest).isEmpty() || parser.value(dest).contains(u'/'))) {
        complain(u"--dest takes a folder name, not a path"_s);
        return 2;
    }
    const QString memoFolder = parser.isSet(memos) ? parser.value(memos) : QDir::currentPath();
    if (!QFileInfo(memoFolder).isDir()) {
        complain(u"--memos: no such folder: "_s + memoFolder);
        return 2;
    }

    MarkOptions options;
    for (const QString &test : positional)
        options.tests.append(QFileInfo(test).absoluteFilePath());
    if (parser.isSet(outRoot)) {
        const QFileInfo root(parser.value(outRoot));
        if (!root.isDir()) {
            complain(u"--out-root: no such folder: "_s + parser.value(outRoot));
            return 2;
        }
        options.outRoot = root.absoluteFilePath();
    } else {
        options.outRoot = programFolder();
        ensureFolderExists(options.outRoot);
    }
    options.reuse = parser.isSet(reuse);
    options.resultAsInteger = parser.isSet(integer);
    options.jsonPath = parser.value(json);

    CommandLineHost host(options);
    if (!host.openJson()) {
        complain(host.jsonError());
        return 2;
    }

    Workspace workspace;
    for (const Failure &failure : loadBothMemos(workspace, QFileInfo(memoFolder).absoluteFilePath()))
        complain(u"warning: "_s + failure.description);

    MarkingSession session(workspace, host);
    if (parser.isSet(dest))
        session.setDestinationOverride(parser.value(dest));
    session.run();

    switch (session.ending()) {
    case MarkingSession::Ending::Completed:
        return 0;
    case MarkingSession::Ending::Cancelled:
        if (!host.unansweredPrompt().isEmpty())
            complain(u"Folder already exists: "_s + host.unansweredPrompt().trimmed()
                     + u" (the destination "_s + workspace.destFolder + u" exists; use --reuse to add to it, or --dest NAME)"_s);
        return 1;
    default:
        return 1;
    }
}

} // namespace tallimark::cli
