// The window as the marking session's host.
#include "mainwindow.h"

#include "backgroundmarking.h"
#include "classresultswindow.h"
#include "dialogs.h"
#include "elidedlabel.h"
#include "filelist.h"
#include "foldertree.h"
#include "marking/destinationnames.h"
#include "marking/programfolder.h"
#include "reportbox.h"
#include "sessiontexts.h"
#include "testbox.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>

namespace tallimark {

void MainWindow::markTests()
{
    if (m_sessionRunning)
        return;
    // A name typed after the last drag is the teacher's choice; otherwise the session names the
    // destination after the tests' folder.
    const QString typed = m_destinationTyped ? m_destinationEdit->text().trimmed() : QString();
    // The session's own check: the window refuses what its question would refuse.
    if (const QString problem = typed.isEmpty() ? QString() : destinationNameProblem(typed); !problem.isEmpty()) {
        m_dialogs.message(this, shownSessionText(problem), tr("Destination folder"));
        m_destinationEdit->setFocus();
        return;
    }
    m_reportShownBeforeSession = !m_reportBox->isHidden();
    m_sessionRunning = true;
    holdControlsForSession(true);
    m_marking->start(m_workspace.memoFiles, typed);
}

void MainWindow::stopMarking()
{
    if (!m_sessionRunning)
        return;
    m_marking->requestStop();
    m_cancelButton->setEnabled(false);
    m_progress->setFormat(tr("Stopping after the test being marked..."));
}

void MainWindow::holdControlsForSession(bool held)
{
    // One session at a time: the box it reads and the button that starts it wait until it ends,
    // and no viewed file may take the place of the report it is writing.
    for (QWidget *widget : {static_cast<QWidget *>(m_markButton), static_cast<QWidget *>(m_testBox),
                            static_cast<QWidget *>(m_clearTestsButton), static_cast<QWidget *>(m_destinationEdit)})
        widget->setEnabled(!held);
    for (QAction *action : {m_openMarkedAction, m_openResultsAction})
        action->setEnabled(!held);
}

void MainWindow::showSessionStateSoon()
{
    if (!m_sessionDisplayTimer->isActive())
        m_sessionDisplayTimer->start(sessionDisplayIntervalMs);
}

void MainWindow::showSessionState()
{
    m_sessionDisplayTimer->stop();
    if (m_progress->value() != m_testsDone && m_testsDone <= m_progress->maximum())
        m_progress->setValue(m_testsDone);
    if (m_shownFileLabel->text() != QDir::toNativeSeparators(m_currentTestLabel))
        showFileLabel(m_currentTestLabel);
    m_reportBox->showAppended();
}

void MainWindow::backgroundSessionFinished()
{
    showSessionState();
    m_progress->hide();
    m_cancelButton->hide();
    m_cancelButton->setEnabled(true);
    m_progress->setFormat(tr("%v of %m tests marked"));
    // The session worked on its own copy; the window keeps where it marked into.
    m_workspace.destFolder = m_marking->workspace().destFolder;
    m_workspace.currentFile = m_marking->workspace().currentFile;
    holdControlsForSession(false);
    m_sessionRunning = false;
    const MarkingSession::Ending ending = m_marking->ending();
    if (ending == MarkingSession::Ending::Cancelled && !m_reportShownBeforeSession)
        hideReport();
    emit sessionFinished();
    if (m_closeWhenStopped) {
        close();
        return;
    }
    // Read on the marking thread as the session ended: only the showing is left.
    if (ending == MarkingSession::Ending::Completed)
        classResultsWindow()->showResults(m_marking->takeClassResults());
}

QStringList MainWindow::tests() const
{
    return m_testBox->tests();
}

QString MainWindow::destinationName() const
{
    return m_destinationEdit->text();
}

void MainWindow::setDestinationName(const QString &name)
{
    m_destinationEdit->setText(name);
}

void MainWindow::setDestinationPreview(const QString &path)
{
    m_destinationPath->setText(QDir::toNativeSeparators(path));
}

void MainWindow::setCurrentTestLabel(const QString &path)
{
    m_currentTestLabel = path;
    showSessionStateSoon();
}

void MainWindow::showReport()
{
    // Keys must not go on working the tree or the list the report takes the place of.
    const bool browserHadFocus = m_folderTree->hasFocus() || m_fileList->hasFocus();
    m_browserStack->setCurrentWidget(m_reportBox);
    m_captionRow->setCurrentIndex(1);
    if (browserHadFocus)
        m_reportBox->setFocus();
}

void MainWindow::setReportText(const QString &text)
{
    m_reportBox->setReportText(text);
}

void MainWindow::appendReportText(const QString &text)
{
    // The box shows it with the session's next display, or within its own interval.
    m_reportBox->appendReportText(text);
}

void MainWindow::showCloseReportButton()
{
    m_closeReportButton->show();
}

void MainWindow::message(const QString &text, const QString &title)
{
    // Behind the message the teacher sees the session as far as it got.
    showSessionState();
    m_dialogs.message(this, shownSessionText(text), shownSessionText(title));
}

QString MainWindow::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    showSessionState();
    return m_dialogs.inputBox(this, shownSessionText(prompt), shownSessionText(title), defaultText);
}

void MainWindow::processPendingEvents()
{
    // The session runs on its own thread; the window's events run all the while.
}

QString MainWindow::applicationFolder() const
{
    ensureFolderExists(m_options.programFolder);
    return m_options.programFolder;
}

void MainWindow::sessionStarted(const QString &destFolder, int testCount)
{
    m_testsDone = 0;
    // The session may have settled on another folder than the box named (a new name for one
    // that exists); the Open dialogs start where the copies are.
    m_lastDestination = destFolder;
    m_progress->setRange(0, testCount);
    m_progress->setValue(0);
    m_progress->show();
    m_cancelButton->show();
    m_cancelButton->setEnabled(!m_marking->stopRequested());
}

void MainWindow::testFinished(const TestOutcome &outcome)
{
    Q_UNUSED(outcome);
    // The first test shows at once, so that the teacher sees the marking is under way.
    if (++m_testsDone == 1)
        showSessionState();
    else
        showSessionStateSoon();
}

} // namespace tallimark
