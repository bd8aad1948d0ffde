#include "markingsession.h"

#include "fileoperations.h"
#include "highlighting.h"
#include "markingoutput.h"
#include "memolanguage.h"
#include "resultcalculation.h"
#include "testcomparison.h"
#include "testoutcome.h"
#include "textpositions.h"
#include "textpreparation.h"

#include <QScopeGuard>

#include <cmath>

namespace tallimark {

using namespace Qt::StringLiterals;
using text::CRLF;

namespace {

QString afterLastSeparator(const QString &path)
{
    return text::mid(path, text::inStrRev(path, u"/") + 1);
}

} // namespace

MarkingSession::MarkingSession(Workspace &workspace, MarkingHost &host)
    : m_workspace(workspace), m_host(host)
{
    m_state.skipped = [this](const Failure &failure) { m_host.failureSkipped(failure); };
}

void MarkingSession::run()
{
    if (m_running)
        return;
    m_running = true;
    const auto finished = qScopeGuard([this] { m_running = false; });
    m_ending = Ending::None;
    m_endingFailure = Failure::ok();
    try {
        runSession();
    } catch (const SessionEnd &) {
    } catch (const FailureException &thrown) {
        try {
            check(thrown.failure());
        } catch (const SessionEnd &) {
        }
        if (m_ending != Ending::Failed) // a counter can only throw what ends the session
            endOnFailure(thrown.failure());
    }
}

void MarkingSession::check(const Failure &failure)
{
    switch (failure.number) {
    case ErrorNumber::None:
        return;
    case ErrorNumber::PathFileAccess:
        m_host.message(u"Tallimark does not have access to certain documents. Maybe Eng/Afr source document is empty, "
                       "or speed test is not a valid file."_s,
                       u"Error"_s);
        // Discard the marks made so far; a second failure here is not handled.
        (void)m_workspace.testDocument.loadFile(m_workspace.currentFile);
        m_workspace.testDocument.setSelStart(1);
        m_resultsBlocked = true;
        break;
    case ErrorNumber::WriteProtected:
        m_host.message(u"Tallimark does not have access to write-protected disk. Please save speed tests on an "
                       "accessible disk."_s,
                       u"Error"_s);
        m_resultsBlocked = true;
        break;
    case ErrorNumber::PermissionDenied:
        m_host.message(u"Permission denied. Try another location."_s, u"Error"_s);
        m_resultsBlocked = true;
        break;
    case ErrorNumber::Overflow:
        m_host.message(u"Overflow error. "_s + m_host.currentTestLabel()
                           + u" may be too large. This session will terminate."_s,
                       u"Error"_s);
        break;
    default:
        if (failure.number == ErrorNumber::SubscriptOutOfRange)
            m_host.failureSkipped(subscriptFailure());
        else
            m_host.failureSkipped(failure);
        return;
    }
    endOnFailure(failure);
    throw SessionEnd{};
}

void MarkingSession::endOnFailure(const Failure &failure)
{
    m_ending = Ending::Failed;
    m_endingFailure = failure;
    m_host.showCloseReportButton();
    m_host.sessionEnded();
}

void MarkingSession::runSession()
{
    m_resultsBlocked = false;
    if (m_host.tests().isEmpty()) {
        m_host.message(u"No speed tests in the green box..."_s, u"Error"_s);
        m_ending = Ending::Precondition;
        return;
    }
    if (m_workspace.memoDocument.text().size() < 50) {
        m_host.message(u"Source Document missing, or too small..."_s, u"Error"_s);
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
    copyTests();
    m_host.setReportText(u"               Marking speed tests in "_s + m_host.destinationName() + CRLF + CRLF);

    const int count = int(m_host.tests().size());
    m_host.sessionStarted(count);
    for (m_testIndex = 0; m_testIndex <= count - 1; ++m_testIndex) {
        if (!loadNextUsableTest())
            break;
        markCurrentTest(m_host.tests().value(m_testIndex));
    }

    m_host.setCurrentTestLabel(QString());
    m_host.message(u"End of this marking session."_s + text::CR + u"Results have been saved in "_s
                       + m_workspace.destFolder + text::CR,
                   u"Done"_s);
    m_host.showCloseReportButton();
    m_ending = Ending::Completed;
    m_host.sessionEnded();
}

bool MarkingSession::settleDestination()
{
    const QString first = m_host.tests().at(0);
    const QString folder = text::left(first, text::inStrRev(first, u"/") - 1);
    m_host.setDestinationName(m_destinationOverride.isEmpty() ? afterLastSeparator(folder) : m_destinationOverride);

    const QString applicationFolder = m_host.applicationFolder();
    m_workspace.destFolder = applicationFolder + u'/' + m_host.destinationName();
    if (!pathExists(m_workspace.destFolder)) {
        check(makeFolder(m_workspace.destFolder));
        m_host.setDestinationPreview(m_workspace.destFolder);
        return true;
    }
    const QString answer = m_host.inputBox(u"Type new foldername or click Enter to proceed "_s,
                                           u"Folder already exists"_s, m_host.destinationName());
    if (answer.isEmpty())
        return false;
    m_workspace.destFolder = applicationFolder + u'/' + answer;
    if (!pathExists(m_workspace.destFolder))
        check(makeFolder(m_workspace.destFolder));
    m_host.setDestinationName(afterLastSeparator(answer));
    m_host.setDestinationPreview(applicationFolder + u'/' + m_host.destinationName());
    return true;
}

void MarkingSession::copyTests()
{
    for (const QString &entry : m_host.tests()) {
        const QString copyPath = m_workspace.destFolder + u'/' + afterLastSeparator(entry);
        if (entry != copyPath)
            check(copyReplacing(entry, copyPath));
    }
}

QString MarkingSession::resultsFilePath() const
{
    return m_workspace.destFolder + u'/' + ResultsFileName;
}

bool MarkingSession::loadNextUsableTest()
{
    bool testOk = false;
    do {
        const QStringList tests = m_host.tests();
        if (m_testIndex >= tests.size())
            break;
        const QString entry = tests.at(m_testIndex);
        m_workspace.currentFile = m_workspace.destFolder + u'/' + afterLastSeparator(entry);
        check(m_workspace.testDocument.loadFile(m_workspace.currentFile));
        QString plain = m_workspace.testDocument.text();
        if (plain.size() > 49) {
            if (plain == plain.toUpper()) {
                // All capitals: the learner had caps lock on; half the keystrokes are counted.
                plain = text::left(plain, int(std::nearbyint(double(plain.size()) / 2)));
                m_workspace.testDocument.setText(plain);
            }
            if (plain.size() > 5000) {
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
    m_state.errorCount = 0;
    m_state.repeatCount = 0;
    return testOk;
}

void MarkingSession::rejectTest(const QString &entry, TestOutcome::Status status)
{
    TestOutcome outcome;
    outcome.path = entry;
    outcome.status = status;
    outcome.verdict = status == TestOutcome::Status::TooLong ? u".......too long or corrupt"_s
                                                             : u".......too short or empty"_s;
    m_host.appendReportText(entry + outcome.verdict + CRLF);
    outcome.resultsLine = zeroResultLine(entry);
    check(appendLine(resultsFilePath(), outcome.resultsLine));
    outcome.resultsLineWritten = true;
    m_host.testFinished(outcome);
}

void MarkingSession::markCurrentTest(const QString &entry)
{
    RichDocument &test = m_workspace.testDocument;
    RichDocument &memo = m_workspace.memoDocument;
    MarkingState &state = m_state;
    TestOutcome outcome;
    outcome.path = entry;

    const MemoLanguage language = chooseMemoLanguage(test.text());
    outcome.language = language;
    check(memo.loadFile(m_workspace.memoFile(language)));

    normaliseSentenceEndSpacing(test, memo);
    const QString testText = test.text();
    const QString memoText = memo.text();
    compareWithMemo(state, testText, memoText);
    outcome.testText = text::trimRight(testText);

    highlightErrors(state, test);
    for (int e = 1; e <= state.errorCount; ++e)
        outcome.errors.append({state.errorWords.at(e), state.errorStarts.at(e), e <= state.wordErrorCount ? state.errorKinds.at(e) : 0});
    for (int r = 1; r <= state.repeatCount; ++r)
        outcome.repeats.append({state.repeatWords.at(r), state.repeatStarts.at(r)});

    calculateResult(state);
    outcome.memoText = memoText;
    writeOutput(entry, memoText, int(testText.size()), outcome);
}

Failure MarkingSession::saveMarkedCopy()
{
    if (text::trimBlanks(m_host.currentTestLabel()).isEmpty())
        m_host.setCurrentTestLabel(u"Untitled"_s);
    return m_workspace.testDocument.saveFile(markedCopyPath(m_workspace.destFolder, m_host.currentTestLabel()));
}

void MarkingSession::writeOutput(const QString &entry, const QString &memoText, int testLength, TestOutcome &outcome)
{
    RichDocument &test = m_workspace.testDocument;
    MarkingState &state = m_state;

    buildReport(state, m_host.resultAsInteger());
    appendReportBlock(state, test);
    markExcessWords(state, test, testLength);
    test.setSelStart(test.length());
    check(saveMarkedCopy());

    outcome.resultsLine = resultsLine(m_workspace.destFolder, m_host.currentTestLabel(), state.wpm);
    if (!m_resultsBlocked) {
        check(appendLine(resultsFilePath(), outcome.resultsLine));
        outcome.resultsLineWritten = true;
    }

    outcome.verdict = reliabilityVerdict(state, memoText);
    m_host.appendReportText(entry + outcome.verdict + CRLF);

    outcome.memoCutLength = state.memoCutLength;
    outcome.charCount = state.charCount;
    outcome.grossWords = state.grossWords;
    outcome.errorCount = state.errorCount;
    outcome.wpm = state.unroundedWpm;
    outcome.finalWpm = state.wpm;
    for (int x = 1; x <= state.excessCount; ++x)
        outcome.excessWords.append(state.excessWords.at(x));
    outcome.doubleCounted = state.doubleCounted;
    outcome.layout = state.layout;
    outcome.reportText = state.reportText;
    outcome.highlights = state.highlights;
    m_host.testFinished(outcome);

    m_host.processPendingEvents();
}

} // namespace tallimark
