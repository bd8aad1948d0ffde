// The marking session behind the "Click here to mark speed tests below" button: checks the
// test box and the memo, settles the destination folder, copies the tests into it and marks
// them one after the other, writing the marked copies, "Resultaat.res" and the report.
#pragma once

#include "capitalscopy.h"
#include "comparedmemo.h"
#include "counters.h"
#include "destinationlock.h"
#include "markinghost.h"
#include "sessionmemos.h"
#include "testoutcome.h"

#include "documents/workspace.h"

#include <QHash>

#include <atomic>
#include <memory>
#include <optional>

namespace tallimark {

class MarkingSession
{
public:
    enum class Ending {
        None,         // no session has run yet
        Precondition, // empty test box or missing memo: a message, nothing else
        Cancelled,    // the destination question was answered with nothing
        Completed,    // the "Done" message
        Failed,       // one of the failures that end a session
        Stopped,      // requestStop() was called while tests were being marked
    };

    explicit MarkingSession(MarkingHost &host);

    // Where the memos are read from; Bron.rtf and Source.rtf in the working folder unless set.
    void setMemoFiles(const std::array<QString, 2> &files) { m_workspace.memoFiles = files; }
    // The session's documents, its destination folder and the file it loaded last.
    const Workspace &workspace() const { return m_workspace; }

    // The destination folder's name; when empty (the default) it is the first test's folder name.
    void setDestinationOverride(const QString &name) { m_destinationOverride = name; }

    // Runs one whole session. A click while a session runs (the pending events between tests
    // let one through) is ignored.
    void run();
    bool isRunning() const { return m_running; }

    // Asks a running session to stop once the test being marked is finished and written. Safe
    // to call from any thread; the tests not reached are listed as not marked.
    void requestStop() { m_stopRequested = true; }

    Ending ending() const { return m_ending; }
    // The failure that ended the session (Ending::Failed).
    const Failure &endingFailure() const { return m_endingFailure; }
    // Set by an access failure; no marked-test lines are written while it is set. A new session
    // starts with it clear.
    bool resultsBlocked() const { return m_resultsBlocked; }
    // The tests of the last session that got no result: those that could not be read or whose
    // memo could not be used, and, when the session ended early, those it did not reach.
    const QStringList &testsNotMarked() const { return m_notMarked; }

private:
    struct SessionEnd
    { };

    // Where one test is: its entry in the test box, its copy in the destination (the file that
    // is loaded and marked) and the marked copy written beside it.
    struct TestPaths
    {
        QString entry;
        QString copy;
        QString markedCopy;
    };
    TestPaths testPaths(int index) const;

    void runSession();
    bool settleDestination();
    // Returns the tests renamed because an earlier session gave their name to another learner.
    QStringList copyTests();
    bool loadNextUsableTest();
    void rejectTest(const QString &entry, TestOutcome::Status status, const QString &reason = {});
    // why follows the test's path in the report and goes into the class record's row.
    void leaveUnmarked(const TestPaths &paths, Verdict verdict, const QString &why);
    void reportTest(const QString &entry, const TestOutcome &outcome);
    QString copyPath(int index) const;
    void lockDestination();
    void reportRenamedTests(const QStringList &takenByEarlierSessions);
    void syncWrittenFiles();
    void markCurrentTest(const TestPaths &paths);
    void writeOutput(const TestPaths &paths, int testLength, TestOutcome &outcome);
    Failure saveMarkedCopy(const QString &path);
    void writeResult(TestOutcome &outcome, const QString &markedCopy);
    QString resultsFilePath() const;

    // The one failure handler: ends the session (throws SessionEnd) or reports the skip.
    void check(const Failure &failure);
    void endOnFailure(const Failure &failure);
    bool stopRequested() const { return m_stopRequested; }
    void endOnStop();

    Workspace m_workspace;
    MarkingHost &m_host;
    SessionMemos m_memos;
    ComparedMemo m_memo;
    std::optional<CapitalsTest> m_capitals; // the current test, when it was typed in capitals
    QString m_destinationOverride;
    Int16 m_testIndex;
    QStringList m_copyNames;          // each test's name in the destination
    QHash<int, Failure> m_unreadable; // tests whose copy could not read them, by index
    QStringList m_notMarked;
    QStringList m_written; // files this session wrote, synced once at its end
    std::unique_ptr<DestinationLock> m_lock;
    bool m_resultsBlocked = false;
    bool m_running = false;
    std::atomic<bool> m_stopRequested = false;
    Ending m_ending = Ending::None;
    Failure m_endingFailure;
};

} // namespace tallimark
