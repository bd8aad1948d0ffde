// The test box, the destination derived from its first test, and the report box's Clear.
#include "mainwindow.h"

#include "filelist.h"
#include "reportbox.h"
#include "testbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tallimark {

void MainWindow::addSelectedTests()
{
    m_testBox->appendTests(m_fileList->selectedPaths());
}

void MainWindow::finishFileListDrag()
{
    m_fileList->clearSelection();
    if (m_testBox->count() == 0)
        return;

    const QString first = m_testBox->item(0)->text();
    const QString folder = first.left(first.lastIndexOf(QLatin1Char('/')));
    m_destinationEdit->setText(folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1));
    m_workspace.destFolder = m_options.programFolder + QLatin1Char('/') + m_destinationEdit->text();
    m_destinationPath->setText(m_workspace.destFolder);
}

void MainWindow::closeReport()
{
    m_reportBox->setReportText(QString());
    m_reportBox->hide();
    m_closeReportButton->hide();
    m_shownFileLabel->clear();
}

} // namespace tallimark
