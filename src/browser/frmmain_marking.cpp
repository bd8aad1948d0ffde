// The window as the marking session's host.
#include "frmmain.h"

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

void frmMain::Command1_Click()
{
    if (m_sessionRunning)
        return;
    // One session at a time: the box it reads and the button that starts it wait until it ends,
    // and no viewed file may take the place of the report it is writing.
    const QList<QWidget *> heldWidgets{Command1, List1, Command8[1]};
    const QList<QAction *> heldActions{mnuMarked, mnuResults};
    m_sessionRunning = true;
    for (QWidget *widget : heldWidgets)
        widget->setEnabled(false);
    for (QAction *action : heldActions)
        action->setEnabled(false);

    m_session->run();

    progress->hide();
    for (QWidget *widget : heldWidgets)
        widget->setEnabled(true);
    for (QAction *action : heldActions)
        action->setEnabled(true);
    m_sessionRunning = false;
}

QStringList frmMain::tests() const
{
    return List1->tests();
}

QString frmMain::destinationName() const
{
    return Text1->text();
}

void frmMain::setDestinationName(const QString &name)
{
    Text1->setText(name);
}

void frmMain::setDestinationPreview(const QString &path)
{
    Label9->setText(path);
}

QString frmMain::currentTestLabel() const
{
    return Label3->text();
}

void frmMain::setCurrentTestLabel(const QString &path)
{
    Label3->setText(path);
}

void frmMain::showReport()
{
    RichTextBox3->show();
    RichTextBox3->raise();
    Command8[0]->raise();
    // Keys must not go on working the tree or the list hidden under the report.
    if (tvDir->hasFocus() || lvDir->hasFocus())
        RichTextBox3->setFocus();
}

void frmMain::setReportText(const QString &text)
{
    RichTextBox3->setReportText(text);
}

void frmMain::appendReportText(const QString &text)
{
    RichTextBox3->appendReportText(text);
}

void frmMain::showCloseReportButton()
{
    Command8[0]->show();
    Command8[0]->raise();
}

void frmMain::message(const QString &text, const QString &title)
{
    m_dialogs.message(this, text, title);
}

QString frmMain::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    return m_dialogs.inputBox(this, prompt, title, defaultText);
}

void frmMain::processPendingEvents()
{
    QCoreApplication::processEvents();
}

QString frmMain::applicationFolder() const
{
    ensureFolderExists(m_options.programFolder);
    return m_options.programFolder;
}

void frmMain::sessionStarted(int testCount)
{
    m_testsDone = 0;
    progress->setRange(0, testCount);
    progress->setValue(0);
    progress->show();
    progress->raise();
}

void frmMain::testFinished(const TestOutcome &outcome)
{
    Q_UNUSED(outcome);
    progress->setValue(++m_testsDone);
}

} // namespace tallimark
