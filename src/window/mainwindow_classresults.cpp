// The class results window as the main window opens it: from the File menu for any destination
// folder, and after a session for the folder it marked into.
#include "mainwindow.h"

#include "classresultswindow.h"
#include "dialogs.h"

#include <QFileInfo>

namespace tallimark {

void MainWindow::openClassResults()
{
    // The teacher usually wants the class just marked, or one beside it in the program folder.
    const QString start = QFileInfo(m_workspace.destFolder).isDir() ? m_workspace.destFolder : m_options.programFolder;
    const QString folder = m_dialogs.folderName(this, tr("Class Results"), start);
    if (!folder.isEmpty())
        showClassResults(folder);
}

ClassResultsWindow *MainWindow::classResultsWindow()
{
    if (m_classResults)
        return m_classResults;
    m_classResults = new ClassResultsWindow(m_dialogs, this);
    connect(m_classResults, &ClassResultsWindow::markedCopyRequested, this, [this](const QString &copy) {
        showReport();
        showCloseReportButton();
        showFile(copy);
        // The teacher asked from the class results window: the copy shows in front of it.
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
    });
    // The window comes to the front with the folder asked for, once it is read.
    connect(m_classResults, &ClassResultsWindow::folderShown, this, [this] {
        m_classResults->show();
        m_classResults->raise();
    });
    return m_classResults;
}

void MainWindow::showClassResults(const QString &destFolder)
{
    classResultsWindow()->showFolder(destFolder);
}

} // namespace tallimark
