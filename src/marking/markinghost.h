// What the marking session needs from whoever hosts it: the window, the command line or a test.
// The session never touches a widget; everything it shows or asks goes through here.
#pragma once

#include "roundingsetting.h"

#include "documents/failure.h"

#include <QString>
#include <QStringList>

namespace tallimark {

struct TestOutcome; // testoutcome.h: what one marked or rejected test produced

class MarkingHost
{
public:
    virtual ~MarkingHost() = default;

    // The test box: full paths in marking order. Read afresh whenever the session needs them.
    virtual QStringList tests() const = 0;

    // The destination folder's name (initially "New Folder") and the preview of its full path.
    virtual QString destinationName() const = 0;
    virtual void setDestinationName(const QString &name) = 0;
    virtual void setDestinationPreview(const QString &path) = 0;

    // The label that shows the path of the test being marked (empty when none).
    virtual void setCurrentTestLabel(const QString &path) = 0;

    // The report box: shown at the start, its text replaced once, then lines appended.
    virtual void showReport() = 0;
    virtual void setReportText(const QString &text) = 0;
    virtual void appendReportText(const QString &text) = 0;
    // The button that closes the report box; shown whenever a session ends after it started.
    virtual void showCloseReportButton() = 0;

    // A message box with an OK button only.
    virtual void message(const QString &text, const QString &title) = 0;
    // An input box; an empty result means the teacher cancelled or cleared the answer.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) = 0;

    // The rounding setting, read each time a result is computed.
    virtual Rounding rounding() const = 0;

    // Lets the window repaint between tests.
    virtual void processPendingEvents() = 0;

    // The program's own folder, where destination folders are made.
    virtual QString applicationFolder() const = 0;

    // Beyond what a teacher sees in the report box: progress, per-test detail and the failures
    // that the session skips silently. Hosts that do not care leave them empty.
    // sessionStarted comes after the copy step, with the settled destination folder and the
    // number of tests in the box;
    // testFinished once per marked or rejected test; sessionEnded on every way out of a session
    // that got past its preconditions (normal end, empty folder answer, session-ending failure).
    virtual void sessionStarted(const QString &destFolder, int testCount)
    {
        Q_UNUSED(destFolder);
        Q_UNUSED(testCount);
    }
    virtual void testFinished(const TestOutcome &outcome) { Q_UNUSED(outcome); }
    virtual void failureSkipped(const Failure &failure) { Q_UNUSED(failure); }
    virtual void sessionEnded() { }
};

} // namespace tallimark
