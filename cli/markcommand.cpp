// `tallimark-cli mark`: marks speed tests exactly as the window's button does, with the command
// line as the host.
#include "commands.h"

#include "commandlinehost.h"
#include "marking/programfolder.h"
#include "subcommand.h"

#include "documents/memoloader.h"
#include "documents/platformfile.h"
#include "documents/workspace.h"
#include "marking/destinationnames.h"
#include "marking/markingsession.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <type_traits>

namespace tallimark::cli {

using namespace Qt::StringLiterals;

namespace {

void complain(const QString &text)
{
    complainAs("mark", text);
}

// String work only: QFileInfo would pass the name through Qt's own encoding and lose a name
// that is not valid UTF-8.
QString absolutePath(const QString &path)
{
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path);
}

bool isSpeedTestName(const QString &path)
{
    return path.endsWith(u".rtf"_s, Qt::CaseInsensitive);
}

// Names as the system's own: Qt's folder listing leaves out a name that is not valid UTF-8,
// and a test must never drop out of its class without a word.
std::filesystem::path nativePath(const QString &path)
{
    if constexpr (std::is_same_v<std::filesystem::path::value_type, char>)
        return std::filesystem::path(platform::encodeName(path).toStdString());
    else
        return std::filesystem::path(path.toStdWString());
}

template <typename Char> QString nameFrom(const std::basic_string<Char> &native)
{
    if constexpr (std::is_same_v<Char, char>)
        return platform::decodeName(QByteArrayView(native.data(), qsizetype(native.size())));
    else
        return QString::fromStdWString(native);
}

bool isFolder(const QString &path)
{
    std::error_code error;
    return std::filesystem::is_directory(nativePath(path), error);
}

// A folder's speed tests in name order (case ignored). Every .rtf entry is a test, whatever its
// name or kind: one that cannot be read gets its report line from the session. Only folders and
// hidden files are left out, and each is named.
QStringList folderTests(const QString &folder)
{
    QStringList tests;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(nativePath(folder), error), end; !error && entry != end;
         entry.increment(error)) {
        const QString name = nameFrom(entry->path().filename().native());
        if (!isSpeedTestName(name))
            continue;
        const QString path = folder + u'/' + name;
        std::error_code kind;
        if (entry->is_directory(kind))
            complain(u"not marked: "_s + path + u" is a folder"_s);
        else if (name.startsWith(u'.'))
            complain(u"not marked: "_s + path + u" is a hidden file"_s);
        else
            tests.append(path);
    }
    if (error)
        complain(u"the folder "_s + folder + u" cannot be read: "_s + QString::fromStdString(error.message()));
    std::sort(tests.begin(), tests.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return tests;
}

// The tests named on the command line, as full paths: .rtf files as given (in any case), and
// the .rtf files of a folder in name order. Anything else (a Resultaat.res, a marked copy) is
// not a test: it is named and left where it is, never copied over the destination's own.
QStringList collectTests(const QStringList &arguments)
{
    QStringList tests;
    for (const QString &argument : arguments) {
        if (isFolder(argument)) {
            const QString folder = absolutePath(argument);
            const QStringList files = folderTests(folder);
            if (files.isEmpty())
                complain(u"no speed tests (.rtf files) in the folder "_s + folder);
            tests += files;
        } else if (isSpeedTestName(argument)) {
            tests.append(absolutePath(argument));
        } else {
            complain(u"not marked: "_s + argument + u" is not a speed test (only .rtf files are marked)"_s);
        }
    }
    return tests;
}

} // namespace

int runMark(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Marks speed tests against the memos Bron.rtf (Afrikaans) and Source.rtf "
        "(English), writing the marked copies (.rug), Resultaat.res and the class record Tallimark.csv into the "
        "destination folder. The report goes to standard output, messages to "
        "standard error."_s);
    parser.addHelpOption();
    const QCommandLineOption memos(u"memos"_s, u"Folder of Bron.rtf and Source.rtf (default: the current folder)."_s,
                                   u"DIR"_s);
    const QCommandLineOption dest(u"dest"_s, u"Destination folder name (default: the first test's folder name)."_s,
                                  u"NAME"_s);
    const QCommandLineOption reuse(u"reuse"_s, u"Add to the destination folder when it exists, instead of asking."_s);
    const QCommandLineOption outRoot(
        u"out-root"_s, u"Where destination folders are made (default: Tallimark's own folder)."_s, u"DIR"_s);
    const QCommandLineOption integer(u"integer"_s, u"Final result as integer (default: multiple of 5)."_s);
    const QCommandLineOption json(u"json"_s,
                                  u"Write one JSON object per test (JSON Lines) to FILE, or - for "
                                  "standard output (the report then goes to standard error)."_s,
                                  u"FILE"_s);
    parser.addOptions({memos, dest, reuse, outRoot, integer, json});
    parser.addPositionalArgument(
        u"TEST"_s, u"Speed tests (.rtf), marked in this order; a folder gives its .rtf files in name order."_s,
        u"TEST..."_s);

    if (const std::optional<int> ended = parseSubcommand(parser, "mark", arguments))
        return *ended;
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        complain(u"no TEST given (see: tallimark-cli mark --help)"_s);
        return 2;
    }
    if (parser.isSet(dest)) {
        if (QString problem = destinationNameProblem(parser.value(dest)); !problem.isEmpty()) {
            complain(u"--dest: "_s + problem.replace(u'\r', u' '));
            return 2;
        }
    }
    const QString memoFolder = parser.isSet(memos) ? parser.value(memos) : QDir::currentPath();
    if (!QFileInfo(memoFolder).isDir()) {
        complain(u"--memos: no such folder: "_s + memoFolder);
        return 2;
    }

    MarkOptions options;
    options.tests = collectTests(positional);
    if (options.tests.isEmpty())
        return 1;
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
    options.rounding = parser.isSet(integer) ? Rounding::Integer : Rounding::MultipleOf5;
    options.jsonPath = parser.value(json);

    CommandLineHost host(options);
    // The destination as the session will make it, unless a question at the terminal renames it
    // (the host checks the JSON file against that one again).
    const QString firstFolder = options.tests.first().section(u'/', -2, -2);
    const QString destination = options.outRoot + u'/' + (parser.isSet(dest) ? parser.value(dest) : firstFolder);
    if (!host.prepareJson(destination)) {
        complain(host.jsonError());
        return 2;
    }

    // The memos come from that folder or from nowhere, never from whatever folder the session
    // happens to run in; the session reads them and names any it cannot use.
    MarkingSession session(host);
    const QString memoPath = QFileInfo(memoFolder).absoluteFilePath();
    std::array<QString, 2> memoFiles;
    for (MemoLanguage language : {MemoLanguage::Afrikaans, MemoLanguage::English})
        memoFiles[size_t(language)] = QDir(memoPath).filePath(memoFileName(language));
    session.setMemoFiles(memoFiles);
    if (parser.isSet(dest))
        session.setDestinationOverride(parser.value(dest));
    session.run();

    if (!host.jsonError().isEmpty()) {
        complain(host.jsonError());
        return 1;
    }
    switch (session.ending()) {
    case MarkingSession::Ending::Completed:
        // A test without a result (unreadable, or its memo unusable) is a result lost.
        return session.testsNotMarked().isEmpty() ? 0 : 1;
    case MarkingSession::Ending::Cancelled:
        if (!host.unansweredPrompt().isEmpty())
            complain(u"Folder already exists: "_s + host.unansweredPrompt().trimmed() + u" (the destination "_s
                     + session.workspace().destFolder + u" exists; use --reuse to add to it, or --dest NAME)"_s);
        return 1;
    default:
        return 1;
    }
}

} // namespace tallimark::cli
