// Runs the marking session on a thread of its own, so that the window stays responsive while a
// class is marked. The window remains the session's host: every call reaches it on its own
// thread, in the order the session made them, through a CrossThreadHost.
#pragma once

#include "classresultsdata.h"
#include "crossthreadhost.h"

#include "documents/workspace.h"
#include "marking/markingsession.h"

#include <QObject>

#include <memory>
#include <utility>

class QThread;

namespace tallimark {

class BackgroundMarking : public QObject
{
    Q_OBJECT

public:
    // As much stack as a program's main thread gets on Linux.
    static constexpr uint MarkingStackSize = 8 * 1024 * 1024;

    explicit BackgroundMarking(MarkingHost &windowHost, QObject *parent = nullptr);
    // Stops a running session after its current test and waits for it; the window is not
    // called any more.
    ~BackgroundMarking() override;

    // Starts a session that reads the memos from memoFiles. destinationOverride: the destination name
    // the teacher typed, or empty for the first test's folder name.
    void start(const std::array<QString, 2> &memoFiles, const QString &destinationOverride);
    bool isRunning() const { return m_thread != nullptr; }

    // The session stops after the test being marked.
    void requestStop();
    bool stopRequested() const { return m_stopRequested; }

    void setRounding(Rounding rounding);

    // The last session's ending and the workspace it left (its destination folder), once
    // finished() was emitted.
    MarkingSession::Ending ending() const { return m_session ? m_session->ending() : MarkingSession::Ending::None; }
    const Workspace &workspace() const { return m_session ? m_session->workspace() : m_noWorkspace; }
    // The class results of the destination, read on the marking thread once a session has
    // completed, so that the window only has to show them.
    ClassResultsData takeClassResults() { return std::exchange(m_classResults, {}); }

signals:
    // After every call the session made has reached the window.
    void finished();

private:
    void threadFinished();

    std::shared_ptr<CrossThreadHost::Link> m_link;
    const Workspace m_noWorkspace;
    std::unique_ptr<CrossThreadHost> m_host;
    std::unique_ptr<MarkingSession> m_session;
    ClassResultsData m_classResults;
    QThread *m_thread = nullptr;
    bool m_stopRequested = false;
    bool m_closing = false;
};

} // namespace tallimark
