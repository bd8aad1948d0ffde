// The window as the marking session's host.
#include "mainwindow.h"

#include "dialogs.h"
#include "filelist.h"
#include "foldertree.h"
#include "marking/markingsession.h"
#include "marking/programfolder.h"
#include "reportbox.h"
#include "testbox.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace tallimark {

void MainWindow::markTests()
{
    if (m_sessionRunning)
        return;
    // One session at a time: the box it reads and the button that starts it wait until it ends,
    // and no viewed file may take the place of the report it is writing.
    const QList<QWidget *> heldWidgets{m_markButton, m_testBox, m_clearTestsButton};
    const QList<QAction *> heldActions{m_openMarkedAction, m_openResultsAction};
    m_sessionRunning = true;
    for (QWidget *widget : heldWidgets)
        widget->setEnabled(false);
    for (QAction *action : heldActions)
        action->setEnabled(false);

    m_session->run();

    m_progress->hide();
    for (QWidget *widget : heldWidgets)
        widget->setEnabled(true);
    for (QAction *action : heldActions)
        action->setEnabled(true);
    m_sessionRunning = false;
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
    m_destinationPath->setText(path);
}

QString MainWindow::currentTestLabel() const
{
    return m_shownFileLabel->text();
}

void MainWindow::setCurrentTestLabel(const QString &path)
{
    m_shownFileLabel->setText(path);
}

void MainWindow::showReport()
{
    m_reportBox->show();
    m_reportBox->raise();
    m_closeReportButton->raise();
    // Keys must not go on working the tree or the list hidden under the report.
    if (m_folderTree->hasFocus() || m_fileList->hasFocus())
        m_reportBox->setFocus();
}

void MainWindow::setReportText(const QString &text)
{
    m_reportBox->setReportText(text);
}

void MainWindow::appendReportText(const QString &text)
{
    m_reportBox->appendReportText(text);
}

void MainWindow::showCloseReportButton()
{
    m_closeReportButton->show();
    m_closeReportButton->raise();
}

void MainWindow::message(const QString &text, const QString &title)
{
    m_dialogs.message(this, text, title);
}

QString MainWindow::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    return m_dialogs.inputBox(this, prompt, title, defaultText);
}

void MainWindow::processPendingEvents()
{
    QCoreApplication::processEvents();
}

QString MainWindow::applicationFolder() const
{
    ensureFolderExists(m_options.programFolder);
    return m_options.programFolder;
}

void MainWindow::sessionStarted(int testCount)
{
    m_testsDone = 0;
    m_progress->setRange(0, testCount);
    m_progress->setValue(0);
    m_progress->show();
    m_progress->raise();
}

void MainWindow::testFinished(const TestOutcome &outcome)
{
    Q_UNUSED(outcome);
    m_progress->setValue(++m_testsDone);
}

} // namespace tallimark
