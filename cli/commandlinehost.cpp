#include "commandlinehost.h"

#include "outcomejson.h"
#include "standardoutput.h"

#include "documents/platformfile.h"
#include "marking/markingoutput.h"
#include "marking/testoutcome.h"
#include "records/classrecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace tallimark::cli {

using namespace Qt::StringLiterals;

namespace {

// Message and report texts use CR LF or CR; a terminal wants LF.
QByteArray forTerminal(const QString &text)
{
    QString unix = text;
    unix.replace(u"\r\n"_s, u"\n"_s);
    unix.replace(u'\r', u'\n');
    return unix.toUtf8();
}

} // namespace

CommandLineHost::CommandLineHost(const MarkOptions &options) : m_options(options) { }

CommandLineHost::~CommandLineHost() = default;

namespace {

// Where a file would really be written: its links followed, as far as they lead anywhere.
QString resolvedPath(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? QDir::cleanPath(info.absolutePath()) : folder) + u'/' + info.fileName();
}

} // namespace

QString CommandLineHost::jsonRefusal(const QString &destFolder) const
{
    if (m_options.jsonPath == u"-"_s)
        return {};
    const QString json = resolvedPath(m_options.jsonPath);
    const QString folder = json.left(json.lastIndexOf(u'/'));
    if (folder != resolvedPath(destFolder))
        return {};
    // Compared without regard to case: the destination may be on a disk that ignores it.
    const QString name = json.mid(folder.size() + 1);
    const auto is = [&](const QString &other) { return name.compare(other, Qt::CaseInsensitive) == 0; };
    const auto endsIn = [&](const QString &suffix) { return name.endsWith(suffix, Qt::CaseInsensitive); };
    if (!is(ClassRecordFileName) && !is(ResultsFileName) && !is(u".tallimark.lock"_s) && !endsIn(u".rug"_s)
        && !endsIn(u".rtf"_s))
        return {};
    return u"--json: "_s + m_options.jsonPath + u" is a file that marking writes in the destination "_s + destFolder
        + u"; give the JSON another name"_s;
}

bool CommandLineHost::prepareJson(const QString &destFolder)
{
    if (m_options.jsonPath.isEmpty())
        return true;
    m_jsonError = jsonRefusal(destFolder);
    if (!m_jsonError.isEmpty())
        return false;
    if (m_options.jsonPath == u"-"_s) {
        m_json = std::make_unique<QFile>();
        if (m_json->open(stdout, QIODevice::WriteOnly))
            return true;
        m_jsonError = u"-: "_s + m_json->errorString();
        m_json.reset();
        return false;
    }
    // Opened without emptying it, to find out now whether it can be written at all.
    QFile probe(m_options.jsonPath);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
        m_jsonError = m_options.jsonPath + u": "_s + probe.errorString();
        return false;
    }
    return true;
}

void CommandLineHost::openJson(const QString &destFolder)
{
    if (m_options.jsonPath.isEmpty() || m_options.jsonPath == u"-"_s || m_json || !m_jsonError.isEmpty())
        return;
    m_jsonError = jsonRefusal(destFolder);
    if (!m_jsonError.isEmpty())
        return;
    m_json = std::make_unique<QFile>(m_options.jsonPath);
    if (!m_json->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_jsonError = m_options.jsonPath + u": "_s + m_json->errorString();
        m_json.reset();
    }
}

void CommandLineHost::setDestinationPreview(const QString &path)
{
    m_destinationPreview = path;
    openJson(path);
}

void CommandLineHost::printReport(const QString &text)
{
    clearProgress();
    // With the JSON on standard output, the report keeps out of its way.
    FILE *stream = m_options.jsonPath == u"-"_s ? stderr : stdout;
    (void)writeStream(stream, forTerminal(text));
}

void CommandLineHost::setReportText(const QString &text)
{
    printReport(text);
}

void CommandLineHost::appendReportText(const QString &text)
{
    printReport(text);
}

void CommandLineHost::message(const QString &text, const QString &title)
{
    clearProgress();
    QByteArray body = forTerminal(text);
    while (body.endsWith('\n'))
        body.chop(1);
    std::fprintf(stderr, "%s: %s\n", title.toUtf8().constData(), body.constData());
}

QString CommandLineHost::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    if (m_options.reuse)
        return defaultText;
    if (!tallimark::platform::isTerminal(stdin)) {
        m_unansweredPrompt = prompt;
        return {};
    }
    clearProgress();
    std::fprintf(stderr, "%s: %s[%s] ", title.toUtf8().constData(), prompt.toUtf8().constData(),
                 defaultText.toUtf8().constData());
    std::fflush(stderr);
    char line[4096];
    if (!std::fgets(line, sizeof line, stdin))
        return {}; // end of input: cancelled
    QString answer = QString::fromUtf8(line);
    while (answer.endsWith(u'\n') || answer.endsWith(u'\r'))
        answer.chop(1);
    // Enter alone keeps the suggested name, as the input box's default text does.
    return answer.isEmpty() ? defaultText : answer;
}

void CommandLineHost::processPendingEvents()
{
    QCoreApplication::processEvents();
}

void CommandLineHost::sessionStarted(const QString &destFolder, int testCount)
{
    Q_UNUSED(destFolder);
    m_testCount = testCount;
    m_testsDone = 0;
    m_progress = testCount > 1 && tallimark::platform::isTerminal(stderr);
    drawProgress();
}

void CommandLineHost::testFinished(const TestOutcome &outcome)
{
    ++m_testsDone;
    if (m_json) {
        const QByteArray line = outcomeJsonLine(outcome) + '\n';
        if (m_json->write(line) != line.size() || !m_json->flush()) {
            // A JSON file cut off mid-object must not pass for a complete one.
            m_jsonError = m_options.jsonPath + u": could not be written: "_s + m_json->errorString();
            m_json.reset();
        }
    }
    drawProgress();
}

void CommandLineHost::failureSkipped(const Failure &failure)
{
    clearProgress();
    std::fprintf(stderr, "tallimark-cli mark: warning: error %d: %s\n", int(failure.number),
                 failure.description.toUtf8().constData());
    drawProgress();
}

void CommandLineHost::sessionEnded()
{
    clearProgress();
    m_progress = false;
}

void CommandLineHost::drawProgress()
{
    if (!m_progress || m_testCount <= 0)
        return;
    constexpr int width = 30;
    const int filled = width * m_testsDone / m_testCount;
    std::fprintf(stderr, "\r[%s%s] %d/%d", QByteArray(filled, '#').constData(),
                 QByteArray(width - filled, ' ').constData(), m_testsDone, m_testCount);
    std::fflush(stderr);
    m_progressShown = true;
}

void CommandLineHost::clearProgress()
{
    if (!m_progressShown)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    m_progressShown = false;
}

} // namespace tallimark::cli
