// The marking host of `tallimark-cli mark`: the report goes to standard output as it grows,
// message boxes to standard error, and the destination question is answered by --reuse, by the
// user at a terminal, or not at all.
#pragma once

#include "marking/markinghost.h"
#include "marking/roundingsetting.h"

#include <QFile>
#include <QStringList>

#include <memory>

namespace tallimark::cli {

struct MarkOptions
{
    QStringList tests; // full paths
    QString outRoot;   // where destination folders are made
    bool reuse = false;
    Rounding rounding = Rounding::MultipleOf5;
    QString jsonPath; // empty: none; "-": standard output
};

class CommandLineHost : public MarkingHost
{
public:
    explicit CommandLineHost(const MarkOptions &options);
    ~CommandLineHost() override;

    // Checks the JSON file before anything is marked: false when it is a file of destFolder that
    // marking writes (the class record, Resultaat.res, a test's copy or marked copy, the lock) or
    // when it cannot be opened (the message is in jsonError()). Nothing is emptied yet: the file
    // is opened for writing once the session has settled its destination, which a question at
    // the terminal may still change, and is checked against that one again. A failed write
    // later also leaves its message in jsonError().
    bool prepareJson(const QString &destFolder);
    QString jsonError() const { return m_jsonError; }
    // The input box's prompt when it could not be asked.
    const QString &unansweredPrompt() const { return m_unansweredPrompt; }

    QStringList tests() const override { return m_options.tests; }
    QString destinationName() const override { return m_destinationName; }
    void setDestinationName(const QString &name) override { m_destinationName = name; }
    void setDestinationPreview(const QString &path) override;
    // Each test is named in its verdict line instead.
    void setCurrentTestLabel(const QString &) override { }
    void showReport() override { }
    void setReportText(const QString &text) override;
    void appendReportText(const QString &text) override;
    void showCloseReportButton() override { }
    void message(const QString &text, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    Rounding rounding() const override { return m_options.rounding; }
    void processPendingEvents() override;
    QString applicationFolder() const override { return m_options.outRoot; }
    void sessionStarted(const QString &destFolder, int testCount) override;
    void testFinished(const TestOutcome &outcome) override;
    void failureSkipped(const Failure &failure) override;
    void sessionEnded() override;

private:
    QString jsonRefusal(const QString &destFolder) const;
    void openJson(const QString &destFolder);
    void printReport(const QString &text);
    void drawProgress();
    void clearProgress();

    MarkOptions m_options;
    QString m_destinationName = QStringLiteral("New Folder");
    QString m_destinationPreview;
    QString m_unansweredPrompt;
    std::unique_ptr<QFile> m_json;
    QString m_jsonError;
    bool m_progress = false;
    bool m_progressShown = false;
    int m_testCount = 0;
    int m_testsDone = 0;
};

} // namespace tallimark::cli
