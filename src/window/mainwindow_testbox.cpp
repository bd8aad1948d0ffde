// The test box, the destination derived from its first test, and the report box's Clear.
#include "mainwindow.h"

#include "elidedlabel.h"
#include "filelist.h"
#include "reportbox.h"
#include "testbox.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace tallimark {

void MainWindow::addSelectedTests()
{
    // Folders are opened, not marked: only the selected tests go into the box.
    m_testBox->appendTests(m_fileList->selectedTests());
}

void MainWindow::finishFileListDrag()
{
    m_fileList->clearSelection();
    if (m_testBox->count() == 0)
        return;

    const QString first = m_testBox->tests().constFirst();
    const QString folder = first.left(first.lastIndexOf(QLatin1Char('/')));
    m_destinationEdit->setText(folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1));
    m_destinationTyped = false;
    m_workspace.destFolder = m_options.programFolder + QLatin1Char('/') + m_destinationEdit->text();
    m_destinationPath->setText(QDir::toNativeSeparators(m_workspace.destFolder));
}

void MainWindow::closeReport()
{
    m_reportBox->setReportText(QString());
    hideReport();
    showFileLabel(QString());
}

void MainWindow::hideReport()
{
    const bool reportHadFocus = m_reportBox->hasFocus();
    m_browserStack->setCurrentWidget(m_browserFrame);
    m_captionRow->setCurrentIndex(0);
    m_closeReportButton->hide();
    if (reportHadFocus)
        m_fileList->setFocus();
}

} // namespace tallimark
