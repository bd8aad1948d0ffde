// The class details of a destination folder, from the File menu: entered once, kept in the
// folder, printed on the cover of every class pack made of it.
#include "mainwindow.h"

#include "dialogs.h"

#include "classpack/classdetails.h"

#include <QDir>
#include <QFileInfo>

namespace tallimark {

void MainWindow::editClassDetails()
{
    const QString start = QFileInfo(m_workspace.destFolder).isDir() ? m_workspace.destFolder : m_options.programFolder;
    const QString folder = m_dialogs.folderName(this, tr("Class Details"), start);
    if (folder.isEmpty())
        return;
    ClassDetailsRead read = readClassDetails(folder);
    if (!read.problem.isEmpty())
        m_dialogs.message(this,
                          tr("The class details kept in this folder could not be read, and are shown empty:\n%1")
                              .arg(QDir::toNativeSeparators(read.problem)),
                          tr("Error"));
    if (!m_dialogs.classDetails(this, folder, read.details))
        return;
    const QString failure = writeClassDetails(folder, read.details);
    if (!failure.isEmpty())
        m_dialogs.message(this, tr("The class details could not be saved:\n%1").arg(QDir::toNativeSeparators(failure)),
                          tr("Error"));
}

} // namespace tallimark
