// A marking host for tests: answers the input box from a script and records what the session
// showed, so that a test can check every message, line and outcome.
#pragma once

#include "marking/markinghost.h"
#include "marking/testoutcome.h"

#include <QDir>
#include <QList>
#include <QStringList>

#include <functional>

namespace tallimark::testing {

class ScriptedHost : public MarkingHost
{
public:
    QStringList testList;
    QString folder;           // the application folder
    QStringList inputAnswers; // taken in order; none left: an empty answer
    bool integerResults = false;
    std::function<void()> onPendingEvents;

    QString name = QStringLiteral("New Folder");
    QString preview;
    QString label;
    bool reportShown = false;
    QString report;
    bool closeButtonShown = false;
    QStringList messages; // "title: text"
    QStringList inputs;   // "title: prompt [default]"
    QList<TestOutcome> outcomes;
    QList<int> skipped; // failure numbers
    int pendingEventRuns = 0;

    QStringList tests() const override { return testList; }
    QString destinationName() const override { return name; }
    void setDestinationName(const QString &n) override { name = n; }
    void setDestinationPreview(const QString &path) override { preview = path; }
    void setCurrentTestLabel(const QString &path) override { label = path; }
    void showReport() override { reportShown = true; }
    // Paths are kept in the '/' form the tests build them in; the platform tests check that
    // Windows shows them with backslashes.
    void setReportText(const QString &text) override { report = QDir::fromNativeSeparators(text); }
    void appendReportText(const QString &text) override { report += QDir::fromNativeSeparators(text); }
    void showCloseReportButton() override { closeButtonShown = true; }
    void message(const QString &text, const QString &title) override
    {
        messages.append(title + QStringLiteral(": ") + QDir::fromNativeSeparators(text));
    }
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override
    {
        inputs.append(title + QStringLiteral(": ") + prompt + u'[' + defaultText + u']');
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    Rounding rounding() const override { return integerResults ? Rounding::Integer : Rounding::MultipleOf5; }
    void processPendingEvents() override
    {
        ++pendingEventRuns;
        if (onPendingEvents)
            onPendingEvents();
    }
    QString applicationFolder() const override { return folder; }
    void testFinished(const TestOutcome &outcome) override { outcomes.append(outcome); }
    void failureSkipped(const Failure &failure) override { skipped.append(int(failure.number)); }
};

} // namespace tallimark::testing
