#include "crossthreadhost.h"

#include "marking/testoutcome.h"

#include <QObject>

namespace tallimark {

CrossThreadHost::CrossThreadHost(std::shared_ptr<Link> link, QObject *context)
    : m_link(std::move(link)), m_context(context), m_tests(m_link->windowHost->tests()),
      m_destinationName(m_link->windowHost->destinationName()), m_rounding(m_link->windowHost->rounding())
{ }

template <typename Call> void CrossThreadHost::pass(Call call) const
{
    QMetaObject::invokeMethod(
        m_context,
        [link = m_link, call = std::move(call)] {
            if (link->windowHost)
                call(*link->windowHost);
        },
        Qt::QueuedConnection);
}

template <typename Answer, typename Call> Answer CrossThreadHost::ask(Call call) const
{
    Answer answer{};
    QMetaObject::invokeMethod(
        m_context,
        [&answer, link = m_link, call = std::move(call)] {
            if (link->windowHost)
                answer = call(*link->windowHost);
        },
        Qt::BlockingQueuedConnection);
    return answer;
}

void CrossThreadHost::setDestinationName(const QString &name)
{
    m_destinationName = name;
    pass([name](MarkingHost &host) { host.setDestinationName(name); });
}

void CrossThreadHost::setDestinationPreview(const QString &path)
{
    pass([path](MarkingHost &host) { host.setDestinationPreview(path); });
}

void CrossThreadHost::setCurrentTestLabel(const QString &path)
{
    pass([path](MarkingHost &host) { host.setCurrentTestLabel(path); });
}

void CrossThreadHost::showReport()
{
    pass([](MarkingHost &host) { host.showReport(); });
}

void CrossThreadHost::setReportText(const QString &text)
{
    pass([text](MarkingHost &host) { host.setReportText(text); });
}

void CrossThreadHost::appendReportText(const QString &text)
{
    pass([text](MarkingHost &host) { host.appendReportText(text); });
}

void CrossThreadHost::showCloseReportButton()
{
    pass([](MarkingHost &host) { host.showCloseReportButton(); });
}

void CrossThreadHost::message(const QString &text, const QString &title)
{
    ask<bool>([text, title](MarkingHost &host) {
        host.message(text, title);
        return true;
    });
}

QString CrossThreadHost::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    return ask<QString>(
        [prompt, title, defaultText](MarkingHost &host) { return host.inputBox(prompt, title, defaultText); });
}

QString CrossThreadHost::applicationFolder() const
{
    return ask<QString>([](MarkingHost &host) { return host.applicationFolder(); });
}

void CrossThreadHost::sessionStarted(const QString &destFolder, int testCount)
{
    pass([destFolder, testCount](MarkingHost &host) { host.sessionStarted(destFolder, testCount); });
}

void CrossThreadHost::testFinished(const TestOutcome &outcome)
{
    pass([outcome](MarkingHost &host) { host.testFinished(outcome); });
}

void CrossThreadHost::failureSkipped(const Failure &failure)
{
    pass([failure](MarkingHost &host) { host.failureSkipped(failure); });
}

void CrossThreadHost::sessionEnded()
{
    pass([](MarkingHost &host) { host.sessionEnded(); });
}

} // namespace tallimark
