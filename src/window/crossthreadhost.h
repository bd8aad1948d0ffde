// The marking session's host on the marking thread. What the window settled before the run
// (the tests, the rounding setting) is answered from a copy; everything the teacher sees is
// passed to the window's thread in order, and the few questions wait there for the answer.
#pragma once

#include "marking/markinghost.h"

#include <atomic>
#include <memory>

class QObject;

namespace tallimark {

class CrossThreadHost : public MarkingHost
{
public:
    // The window's side, touched on the window's thread only. Cleared when the window goes, so
    // that calls still queued reach nothing and questions get empty answers.
    struct Link
    {
        MarkingHost *windowHost = nullptr;
    };

    // windowHost and context live on the window's thread; calls reach the window through the
    // context's event queue. The test box and rounding setting are read there, now.
    CrossThreadHost(std::shared_ptr<Link> link, QObject *context);

    // From the window's thread: the rounding setting changed while the session runs.
    void setRounding(Rounding rounding) { m_rounding = rounding; }

    QStringList tests() const override { return m_tests; }
    QString destinationName() const override { return m_destinationName; }
    void setDestinationName(const QString &name) override;
    void setDestinationPreview(const QString &path) override;
    void setCurrentTestLabel(const QString &path) override;
    void showReport() override;
    void setReportText(const QString &text) override;
    void appendReportText(const QString &text) override;
    void showCloseReportButton() override;
    void message(const QString &text, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    Rounding rounding() const override { return m_rounding; }
    void processPendingEvents() override { }
    QString applicationFolder() const override;
    void sessionStarted(const QString &destFolder, int testCount) override;
    void testFinished(const TestOutcome &outcome) override;
    void failureSkipped(const Failure &failure) override;
    void sessionEnded() override;

private:
    // Runs on the window's thread after what was passed before it; the session goes on at once.
    template <typename Call> void pass(Call call) const;
    // Runs on the window's thread and waits for the answer.
    template <typename Answer, typename Call> Answer ask(Call call) const;

    std::shared_ptr<Link> m_link;
    QObject *m_context;        // outlives the session's thread
    const QStringList m_tests; // the box is held while the session runs
    QString m_destinationName;
    std::atomic<Rounding> m_rounding;
};

} // namespace tallimark
