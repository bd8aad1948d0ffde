#include "markingsession.h"

#include "destinationlearners.h"
#include "destinationnames.h"
#include "fileoperations.h"
#include "highlighting.h"
#include "markingoutput.h"
#include "markingrules.h"
#include "memolanguage.h"
#include "records/classrecord.h"
#include "resultcalculation.h"
#include "sessionmessages.h"
#include "testcomparison.h"
#include "testoutcome.h"
#include "textpositions.h"
#include "textpreparation.h"

#include "documents/platformfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace tallimark {

using namespace Qt::StringLiterals;
using text::CRLF;

namespace {

QString afterLastSeparator(const QString &path)
{
    return path.sliced(path.lastIndexOf(u'/') + 1);
}

// Why a test could not be read, as its report line says it.
QString readFailureReason(const Failure &failure)
{
    if (failure.number == ErrorNumber::FileNotFound || failure.reason == Failure::fromErrno(ENOENT, {}).reason)
        return u"no such file"_s;
    QString reason = failure.reason.isEmpty() ? failure.description : failure.reason;
    if (!reason.isEmpty())
        reason[0] = reason[0].toLower();
    return reason;
}

// A second session on the same destination waits this long for the first one to finish.
constexpr int LockWaitMilliseconds = 2000;

} // namespace

MarkingSession::MarkingSession(MarkingHost &host) : m_host(host) { }

void MarkingSession::run()
{
    if (m_running)
        return;
    m_running = true;
    const auto finished = qScopeGuard([this] {
        m_running = false;
        m_lock.reset();
        // A stop asked for before the run began still counts; one asked for after it is void.
        m_stopRequested = false;
    });
    m_ending = Ending::None;
    m_endingFailure = Failure::ok();
    try {
        runSession();
    } catch (const SessionEnd &) {
    } catch (const FailureException &thrown) {
        try {
            check(thrown.failure());
        } catch (const SessionEnd &) { }
        if (m_ending != Ending::Failed) // a counter can only throw what ends the session
            endOnFailure(thrown.failure());
    }
}

void MarkingSession::check(const Failure &failure)
{
    if (!failure.failed())
        return;
    const std::optional<QString> message = sessionEndingMessage(failure, m_workspace.currentFile);
    if (!message) {
        m_host.failureSkipped(failure.number == ErrorNumber::SubscriptOutOfRange ? tableFullFailure() : failure);
        return;
    }
    // Nothing more is written; another session need not wait while the message is read.
    m_lock.reset();
    m_host.message(*message, u"Error"_s);
    if (failure.number == ErrorNumber::PathFileAccess) {
        // Discard the marks made so far; a second failure here is not handled.
        (void)m_workspace.testDocument.loadFile(m_workspace.currentFile);
        m_workspace.testDocument.setSelStart(1);
    }
    if (failure.number != ErrorNumber::Overflow)
        m_resultsBlocked = true;
    endOnFailure(failure);
    throw SessionEnd{};
}

void MarkingSession::endOnFailure(const Failure &failure)
{
    m_ending = Ending::Failed;
    m_endingFailure = failure;
    // The tests from the one that failed on got no result; the report says which.
    const QStringList tests = m_host.tests();
    for (qsizetype i = std::max(0, int(m_testIndex)); i < tests.size(); ++i)
        m_notMarked.append(tests.at(i));
    if (!m_notMarked.isEmpty()) {
        QString list = CRLF + u"Not marked in this session:"_s + CRLF;
        for (const QString &test : std::as_const(m_notMarked))
            list += QDir::toNativeSeparators(test) + CRLF;
        m_host.appendReportText(list);
    }
    m_host.showCloseReportButton();
    m_host.sessionEnded();
}

void MarkingSession::runSession()
{
    m_resultsBlocked = false;
    m_testIndex = 0;
    m_copyNames.clear();
    m_unreadable.clear();
    m_notMarked.clear();
    m_written.clear();
    if (m_host.tests().isEmpty()) {
        m_host.message(u"No speed tests in the green box..."_s, u"Error"_s);
        m_ending = Ending::Precondition;
        return;
    }
    // Each memo is read once and its tests follow it alone: only when neither memo can be used
    // is there nothing to mark against.
    m_memos.load(m_workspace);
    if (!m_memos.anyUsable()) {
        m_host.message(u"Source Document missing, or too small..."_s + text::CR + m_memos.failures(), u"Error"_s);
        m_ending = Ending::Precondition;
        return;
    }
    m_host.showReport();
    if (!settleDestination()) {
        m_host.showCloseReportButton();
        m_ending = Ending::Cancelled;
        m_host.sessionEnded();
        return;
    }
    lockDestination();
    const QStringList takenByEarlierSessions = copyTests();
    m_host.setReportText(u"               Marking speed tests in "_s + m_host.destinationName() + CRLF + CRLF);
    reportRenamedTests(takenByEarlierSessions);

    const int count = int(m_host.tests().size());
    m_host.sessionStarted(m_workspace.destFolder, count);
    for (m_testIndex = 0; m_testIndex <= count - 1; ++m_testIndex) {
        if (m_lock)
            m_lock->renew();
        if (!loadNextUsableTest())
            break;
        markCurrentTest(testPaths(m_testIndex));
    }

    syncWrittenFiles();
    // Everything is written: the folder is free while the teacher reads the message.
    m_lock.reset();
    m_host.setCurrentTestLabel(QString());
    if (stopRequested() && m_testIndex < count) {
        endOnStop();
        return;
    }
    m_host.message(u"End of this marking session."_s + text::CR + u"Results have been saved in "_s
                       + QDir::toNativeSeparators(m_workspace.destFolder) + text::CR,
                   u"Done"_s);
    m_host.showCloseReportButton();
    m_ending = Ending::Completed;
    m_host.sessionEnded();
}

bool MarkingSession::settleDestination()
{
    const QString first = m_host.tests().at(0);
    const QString folder = first.first(std::max<qsizetype>(0, first.lastIndexOf(u'/')));
    m_host.setDestinationName(m_destinationOverride.isEmpty() ? afterLastSeparator(folder) : m_destinationOverride);

    const QString applicationFolder = m_host.applicationFolder();
    m_workspace.destFolder = applicationFolder + u'/' + m_host.destinationName();
    if (!pathExists(m_workspace.destFolder)) {
        check(makeFolder(m_workspace.destFolder));
        m_host.setDestinationPreview(m_workspace.destFolder);
        return true;
    }
    QString answer;
    for (;;) {
        answer = m_host.inputBox(u"Type new foldername or click Enter to proceed "_s, u"Folder already exists"_s,
                                 m_host.destinationName());
        // A path would be made below the program folder, and a name the file system cannot
        // hold would fail there with an access error the teacher cannot connect to the answer;
        // only a usable folder name is taken.
        const QString problem = answer.isEmpty() ? QString() : destinationNameProblem(answer);
        if (problem.isEmpty())
            break;
        m_host.message(problem, u"Folder already exists"_s);
    }
    if (answer.isEmpty())
        return false;
    m_workspace.destFolder = applicationFolder + u'/' + answer;
    if (!pathExists(m_workspace.destFolder))
        check(makeFolder(m_workspace.destFolder));
    m_host.setDestinationName(afterLastSeparator(answer));
    m_host.setDestinationPreview(applicationFolder + u'/' + m_host.destinationName());
    return true;
}

void MarkingSession::lockDestination()
{
    m_lock = std::make_unique<DestinationLock>(m_workspace.destFolder);
    switch (m_lock->acquire(LockWaitMilliseconds)) {
    case DestinationLock::Outcome::Locked:
        // What a killed session left half-written goes; no session of this folder runs now.
        removeLeftoverTemporaries(m_workspace.destFolder);
        return;
    case DestinationLock::Outcome::NoLock:
        // A folder that cannot hold a lock file (read-only, missing) fails on the first write,
        // with that write's own message.
        m_lock.reset();
        return;
    case DestinationLock::Outcome::InUse:
        break;
    }
    const QString lockFile = m_lock->fileName();
    const QString owner = m_lock->owner();
    m_lock.reset();
    const Failure inUse =
        Failure::refused(ErrorNumber::InUse, m_workspace.destFolder, u"in use by another marking session"_s);
    m_host.message(u"The destination folder "_s + QDir::toNativeSeparators(m_workspace.destFolder)
                       + u" is in use by another marking session. Please try again when it has finished."_s + text::CR
                       + u"The lock file "_s + QDir::toNativeSeparators(lockFile) + u" is held by "_s + owner + u'.',
                   u"Error"_s);
    endOnFailure(inUse);
    throw SessionEnd{};
}

QString MarkingSession::copyPath(int index) const
{
    const QString name = m_copyNames.value(index);
    return m_workspace.destFolder + u'/' + (name.isEmpty() ? afterLastSeparator(m_host.tests().value(index)) : name);
}

MarkingSession::TestPaths MarkingSession::testPaths(int index) const
{
    TestPaths paths;
    paths.entry = m_host.tests().value(index);
    paths.copy = copyPath(index);
    paths.markedCopy = markedCopyPath(m_workspace.destFolder, paths.copy);
    return paths;
}

QStringList MarkingSession::copyTests()
{
    const QStringList tests = m_host.tests();
    // A name an earlier session gave another learner is not this test's to take.
    const DestinationLearners learners(m_workspace.destFolder);
    QStringList takenByEarlierSessions;
    m_copyNames = destinationFileNames(tests, [&](const QString &name, const QString &test) {
        const bool held = learners.heldByAnother(name, test);
        if (held && name == afterLastSeparator(test))
            takenByEarlierSessions.append(test);
        return held;
    });
    for (int i = 0; i < int(tests.size()); ++i) {
        const QString &entry = tests.at(i);
        const QString copy = copyPath(i);
        if (entry == copy)
            continue;
        const Failure copied = copyReplacing(entry, copy);
        if (copied.failed() && copied.path == entry) {
            // The test itself cannot be read: it gets its report line when its turn comes.
            m_unreadable.insert(i, copied);
            continue;
        }
        check(copied);
        if (!copied.failed())
            m_written.append(copy);
    }
    return takenByEarlierSessions;
}

void MarkingSession::reportRenamedTests(const QStringList &takenByEarlierSessions)
{
    const QStringList tests = m_host.tests();
    for (qsizetype i = 0; i < tests.size(); ++i) {
        const QString &test = tests.at(i);
        if (m_copyNames.value(i) == afterLastSeparator(test))
            continue;
        const QString why = takenByEarlierSessions.contains(test)
            ? u"the destination holds another learner's test of that name"_s
            : u"another test of this session has its name"_s;
        m_host.appendReportText(QDir::toNativeSeparators(test) + u" is marked as \""_s + m_copyNames.value(i)
                                + u"\": "_s + why + CRLF);
    }
}

void MarkingSession::syncWrittenFiles()
{
    const platform::SyncFailure synced = platform::syncFiles(m_written);
    if (synced.error != 0)
        check(Failure::fromErrno(synced.error, synced.path));
}

QString MarkingSession::resultsFilePath() const
{
    return m_workspace.destFolder + u'/' + ResultsFileName;
}

bool MarkingSession::loadNextUsableTest()
{
    bool testOk = false;
    do {
        // Checked before each test, so that a stop leaves every test either whole or untouched.
        if (stopRequested())
            return false;
        const QStringList tests = m_host.tests();
        if (m_testIndex >= tests.size())
            break;
        const QString &entry = tests.at(m_testIndex);
        m_workspace.currentFile = copyPath(m_testIndex);
        // The label shows the test being loaded, so that a failure leaves its path there.
        m_host.setCurrentTestLabel(m_workspace.currentFile);
        const bool unreadable = m_unreadable.contains(m_testIndex);
        const Failure loaded =
            unreadable ? m_unreadable.value(m_testIndex) : m_workspace.testDocument.loadFile(m_workspace.currentFile);
        if (loaded.number == ErrorNumber::NotText || loaded.number == ErrorNumber::TooLarge) {
            rejectTest(entry, TestOutcome::Status::TooLong, loaded.reason);
            ++m_testIndex;
            continue;
        }
        if (loaded.failed() && (unreadable || entry == m_workspace.currentFile)) {
            leaveUnmarked(testPaths(m_testIndex), Verdict::Unreadable, readFailureReason(loaded));
            ++m_testIndex;
            continue;
        }
        // The test was copied but its copy cannot be read: the destination failed.
        check(loaded);
        m_capitals.reset();
        QString plain = m_workspace.testDocument.text();
        if (plain.size() >= rules::MinimumTestLength) {
            if (plain == plain.toUpper()) {
                // All capitals: the learner had caps lock on; half the keystrokes are counted. The
                // first half is marked as the whole test; the marked copy is made of the whole.
                plain = plain.left(qsizetype(std::nearbyint(double(plain.size()) / 2)));
                m_capitals = CapitalsTest{m_workspace.testDocument, int(plain.size())};
                m_workspace.testDocument.setText(plain);
            }
            if (plain.size() > rules::MaximumTestLength) {
                rejectTest(entry, TestOutcome::Status::TooLong);
                ++m_testIndex;
            } else {
                testOk = true;
            }
        } else {
            rejectTest(entry, TestOutcome::Status::TooShort);
            ++m_testIndex;
        }
    } while (!(m_testIndex == m_host.tests().size() || testOk));
    m_host.setCurrentTestLabel(m_workspace.currentFile);
    return testOk;
}

void MarkingSession::rejectTest(const QString &entry, TestOutcome::Status status, const QString &reason)
{
    TestOutcome outcome;
    outcome.path = entry;
    outcome.status = status;
    outcome.verdict = status == TestOutcome::Status::TooLong ? Verdict::TooLongOrCorrupt : Verdict::TooShortOrEmpty;
    outcome.verdictDetail = reason;
    reportTest(entry, outcome);
    outcome.resultsLine = zeroResultLine(entry);
    writeResult(outcome, testPaths(m_testIndex).markedCopy);
    m_host.testFinished(outcome);
}

void MarkingSession::leaveUnmarked(const TestPaths &paths, Verdict verdict, const QString &why)
{
    TestOutcome outcome;
    outcome.path = paths.entry;
    outcome.status = TestOutcome::Status::NotMarked;
    outcome.verdict = verdict;
    outcome.verdictDetail = why;
    reportTest(paths.entry, outcome);
    m_notMarked.append(paths.entry);
    // The learner gets a row, so that the class record holds every test the teacher gave it; the
    // results file, whose lines are results, gets none. The row's verdict is "Not marked", its
    // remarks say why.
    const QString reason = verdict == Verdict::Unreadable ? recordVerdict(verdict, why) : why;
    check(appendClassRecord(
        m_workspace.destFolder,
        notMarkedRow(paths.entry, reason, QDateTime::currentDateTime(), paths.markedCopy, m_host.rounding())));
    m_written.append(classRecordPath(m_workspace.destFolder));
    m_host.testFinished(outcome);
}

void MarkingSession::reportTest(const QString &entry, const TestOutcome &outcome)
{
    m_host.appendReportText(QDir::toNativeSeparators(entry) + reportVerdict(outcome.verdict, outcome.verdictDetail)
                            + CRLF);
}

void MarkingSession::markCurrentTest(const TestPaths &paths)
{
    RichDocument &test = m_workspace.testDocument;
    RichDocument &memo = m_workspace.memoDocument;
    TestOutcome outcome;
    outcome.path = paths.entry;
    outcome.typedInCapitals = m_capitals.has_value();

    const MemoLanguage language = chooseMemoLanguage(test.text());
    outcome.language = language;
    // A memo that cannot be used, for whatever reason, leaves the tests of its language without
    // a result and no other test: the other memo may be fine.
    const Failure &memoFailure = m_memos.failure(language);
    if (memoFailure.failed()) {
        if (m_memos.firstReport(language))
            m_host.message(memoFailure.description + u". No test in its language gets a result."_s, u"Error"_s);
        leaveUnmarked(paths, Verdict::NotMarked, memoFailure.description);
        return;
    }
    memo = m_memos.document(language);

    normaliseSentenceEndSpacing(test, memo);
    const QString testText = test.text();
    m_memo.setText(memo.text());
    // Every store a table refused is reported, those before a counter's overflow too.
    TableOverflows overflows;
    const auto reportOverflows = [&] {
        for (int k = 0; k < overflows.count(); ++k)
            m_host.failureSkipped(tableFullFailure());
    };
    Comparison comparison;
    try {
        comparison = compareWithMemo(testText, m_memo, overflows);
    } catch (const FailureException &) {
        reportOverflows();
        throw;
    }
    reportOverflows();
    outcome.testText = text::trimRight(testText);
    outcome.memoText = m_memo.text();
    outcome.memoCutLength = m_memo.cutLength();

    const WordErrors &errors = comparison.errors;
    outcome.highlights = highlightErrors(errors, test);
    for (int e = 0; e < errors.count; ++e) {
        ErrorEntry error = errors.entry(e);
        if (e >= errors.wordErrorCount)
            error.kind = ErrorKind::Word; // what an earlier, taken-back error left there
        outcome.errors.append(error);
    }
    for (int r = 0; r < errors.repeatCount; ++r)
        outcome.repeats.append(errors.repeat(r));
    for (int x = 0; x < comparison.excess.count; ++x)
        outcome.excessWords.append(comparison.excess.word(x));
    outcome.doubleCounted = comparison.excess.doubleCounted;
    outcome.layout = comparison.layout;

    const int errorCount = finalErrorCount(errors.count, comparison.layout, comparison.excess);
    static_cast<ResultFigures &>(outcome) = calculateResult(comparison.charCount, errorCount, m_host.rounding());
    outcome.reportText = buildReport(outcome, comparison.excess, comparison.layout);
    outcome.verdict = reliabilityVerdict(errors, errorCount, m_memo);
    writeOutput(paths, int(testText.size()), outcome);
}

Failure MarkingSession::saveMarkedCopy(const QString &path)
{
    // Not synced here: the session syncs all its files once, before it says "Done".
    Failure saved = m_workspace.testDocument.saveFile(path, false);
    if (!saved.failed())
        m_written.append(path);
    return saved;
}

void MarkingSession::writeOutput(const TestPaths &paths, int testLength, TestOutcome &outcome)
{
    RichDocument &test = m_workspace.testDocument;
    appendReportBlock(outcome.reportText, test);
    if (const auto marked = markExcessWords(test, testLength))
        outcome.highlights.append(*marked);
    if (m_capitals) {
        RichDocument copy = capitalsMarkedCopy(*m_capitals, test.text().left(testLength), outcome.highlights);
        m_capitals.reset();
        const int textLength = copy.length();
        appendReportBlock(outcome.reportText, copy);
        (void)markExcessWords(copy, textLength);
        test = std::move(copy);
    }
    test.setSelStart(test.length());
    check(saveMarkedCopy(paths.markedCopy));

    outcome.resultsLine = resultsLine(m_workspace.destFolder, paths.copy, outcome.finalWpm);
    if (!m_resultsBlocked)
        writeResult(outcome, paths.markedCopy);

    reportTest(paths.entry, outcome);
    m_host.testFinished(outcome);

    m_host.processPendingEvents();
}

// The results line and the class record's row are one unit. The row goes first: a session killed
// between the two leaves a row without its line, never a results line whose row is missing; and
// a line that cannot be written takes its row back out. Either failure ends the session: a lost
// row is a lost result for the school's records.
void MarkingSession::writeResult(TestOutcome &outcome, const QString &markedCopy)
{
    const QString record = classRecordPath(m_workspace.destFolder);
    // A link is replaced by a new file, which then goes whole.
    const QFileInfo before(record);
    const qint64 sizeBefore = before.isSymLink() ? 0 : before.size();
    check(appendClassRecord(m_workspace.destFolder,
                            classRecordRow(outcome, QDateTime::currentDateTime(), markedCopy, m_host.rounding())));
    m_written.append(record);
    const Failure line = appendLine(resultsFilePath(), outcome.resultsLine);
    if (line.failed())
        (void)QFile::resize(record, sizeBefore);
    check(line);
    m_written.append(resultsFilePath());
    outcome.resultsLineWritten = true;
}

// A stop between tests: everything written so far is whole and synced; the tests not reached
// are named, and no "Done" message holds up a window that is waiting to close.
void MarkingSession::endOnStop()
{
    const QStringList tests = m_host.tests();
    for (qsizetype i = std::max(0, int(m_testIndex)); i < tests.size(); ++i)
        m_notMarked.append(tests.at(i));
    QString list = CRLF + QCoreApplication::translate("MarkingSession", "Marking was stopped.") + CRLF;
    if (!m_notMarked.isEmpty()) {
        list += QCoreApplication::translate("MarkingSession", "Not marked in this session:") + CRLF;
        for (const QString &test : std::as_const(m_notMarked))
            list += QDir::toNativeSeparators(test) + CRLF;
    }
    m_host.appendReportText(list);
    m_host.showCloseReportButton();
    m_ending = Ending::Stopped;
    m_host.sessionEnded();
}

} // namespace tallimark
