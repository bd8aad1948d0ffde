#include "commandlinehost.h"

#include "outcomejson.h"

#include "documents/platformfile.h"
#include "marking/testoutcome.h"

#include <QCoreApplication>

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

CommandLineHost::CommandLineHost(const MarkOptions &options) : m_options(options)
{
    if (options.resultAsInteger)
        m_rounding.setRounding(Rounding::Integer);
}

CommandLineHost::~CommandLineHost() = default;

bool CommandLineHost::openJson()
{
    if (m_options.jsonPath.isEmpty())
        return true;
    m_json = std::make_unique<QFile>();
    const bool opened = m_options.jsonPath == u"-"_s
        ? m_json->open(stdout, QIODevice::WriteOnly)
        : (m_json->setFileName(m_options.jsonPath), m_json->open(QIODevice::WriteOnly | QIODevice::Truncate));
    if (!opened) {
        m_jsonError = m_options.jsonPath + u": "_s + m_json->errorString();
        m_json.reset();
    }
    return opened;
}

void CommandLineHost::printReport(const QString &text)
{
    clearProgress();
    // With the JSON on standard output, the report keeps out of its way.
    FILE *stream = m_options.jsonPath == u"-"_s ? stderr : stdout;
    std::fputs(forTerminal(text).constData(), stream);
    std::fflush(stream);
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

void CommandLineHost::sessionStarted(int testCount)
{
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
