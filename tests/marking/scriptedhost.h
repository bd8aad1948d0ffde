// A marking host for tests: answers the input box from a script and records what the session
// showed, so that a test can check every message, line and outcome.
#pragma once

#include "marking/markinghost.h"
#include "marking/testoutcome.h"

#include <QList>
#include <QStringList>

namespace tallimark::testing {

struct ShownMessage
{
    QString text;
    QString title;
};

struct AskedInput
{
    QString prompt;
    QString title;
    QString defaultText;
};

class ScriptedHost : public MarkingHost
{
public:
    QStringList testList;
    QString folder;                 // the application folder
    QStringList inputAnswers;       // taken in order; none left: an empty answer
    bool integerResults = false;

    QString name = QStringLiteral("New Folder");
    QString preview;
    QString label;
    bool reportShown = false;
    QString report;
    bool closeButtonShown = false;
    QList<ShownMessage> messages;
    QList<AskedInput> inputs;
    QList<TestOutcome> outcomes;
    QList<Failure> skipped;
    int pendingEventRuns = 0;
    int sessionsEnded = 0;

    QStringList tests() const override { return testList; }
    QString destinationName() const override { return name; }
    void setDestinationName(const QString &n) override { name = n; }
    void setDestinationPreview(const QString &path) override { preview = path; }
    QString currentTestLabel() const override { return label; }
    void setCurrentTestLabel(const QString &path) override { label = path; }
    void showReport() override { reportShown = true; }
    void setReportText(const QString &text) override { report = text; }
    void appendReportText(const QString &text) override { report += text; }
    void showCloseReportButton() override { closeButtonShown = true; }
    void message(const QString &text, const QString &title) override { messages.append({text, title}); }
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override
    {
        inputs.append({prompt, title, defaultText});
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    bool resultAsInteger() const override { return integerResults; }
    void processPendingEvents() override { ++pendingEventRuns; }
    QString applicationFolder() const override { return folder; }
    void testFinished(const TestOutcome &outcome) override { outcomes.append(outcome); }
    void failureSkipped(const Failure &failure) override { skipped.append(failure); }
    void sessionEnded() override { ++sessionsEnded; }
};

} // namespace tallimark::testing
