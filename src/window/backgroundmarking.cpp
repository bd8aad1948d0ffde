#include "backgroundmarking.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocale>
#include <QThread>

namespace tallimark {

BackgroundMarking::BackgroundMarking(MarkingHost &windowHost, QObject *parent)
    : QObject(parent), m_link(std::make_shared<CrossThreadHost::Link>(CrossThreadHost::Link{&windowHost}))
{ }

BackgroundMarking::~BackgroundMarking()
{
    if (!m_thread)
        return;
    m_closing = true;
    m_link->windowHost = nullptr;
    m_session->requestStop();
    // A question the session is waiting for is answered (with nothing) here, so that it can
    // reach its stop.
    while (!m_thread->wait(QDeadlineTimer(20)))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    delete m_thread;
}

void BackgroundMarking::start(const std::array<QString, 2> &memoFiles, const QString &destinationOverride)
{
    if (m_thread)
        return;
    m_stopRequested = false;
    m_host = std::make_unique<CrossThreadHost>(m_link, this);
    m_session = std::make_unique<MarkingSession>(*m_host);
    m_session->setMemoFiles(memoFiles);
    m_session->setDestinationOverride(destinationOverride);
    m_classResults = {};
    m_thread = QThread::create([this, decimalPoint = QLocale().decimalPoint()] {
        m_session->run();
        if (m_session->ending() == MarkingSession::Ending::Completed)
            m_classResults = readClassResults(m_session->workspace().destFolder, decimalPoint);
    });
    m_thread->setObjectName(QStringLiteral("marking"));
    // Queued behind every call the session passed to this object's thread.
    connect(m_thread, &QThread::finished, this, &BackgroundMarking::threadFinished, Qt::QueuedConnection);
    // The marking keeps sizeable tables on its stack; Windows gives a new thread only 1 MB, where
    // the main thread of Linux has 8, and a frame past the guard page crashes the program.
    m_thread->setStackSize(MarkingStackSize);
    m_thread->start();
}

void BackgroundMarking::requestStop()
{
    if (!m_thread || m_stopRequested)
        return;
    m_stopRequested = true;
    m_session->requestStop();
}

void BackgroundMarking::setRounding(Rounding rounding)
{
    if (m_host)
        m_host->setRounding(rounding);
}

void BackgroundMarking::threadFinished()
{
    if (m_closing) // the destructor waits for the thread itself
        return;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    emit finished();
}

} // namespace tallimark
