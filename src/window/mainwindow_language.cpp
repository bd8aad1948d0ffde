// The window in the interface's language: every text set again when Settings > Language
// switches, so that nothing waits for a restart.
#include "mainwindow.h"

#include "backgroundmarking.h"
#include "elidedlabel.h"
#include "filelist.h"
#include "foldertree.h"
#include "reportbox.h"
#include "testbox.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace tallimark {

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QMainWindow::changeEvent(event);
}

void MainWindow::retranslateUi()
{
    m_memoCaptions[0]->setText(tr("Afrikaans memo: (Oct 2013 preloaded)"));
    m_memoCaptions[1]->setText(tr("English memo file: (Oct 2013 preloaded)"));
    m_memoNameHint->setText(tr("(Any new memo must be saved as Bron.rtf or Source.rtf)"));
    m_destinationCaption->setText(tr("Destination folder (where results will be saved)"));
    m_foldersCaption->setText(tr("Search here for speed tests"));
    // A saved file's path stays until its time is up.
    if (!m_hintCaptionTimer->isActive())
        m_hintLabel->setText(tr("Drag speed tests to green box"));
    m_hintLabel->setMinimumWidth(m_hintLabel->fontMetrics().horizontalAdvance(tr("Drag speed tests to green box")) + 2);
    m_progress->setFormat(m_sessionRunning && m_marking->stopRequested() ? tr("Stopping after the test being marked...")
                                                                         : tr("%v of %m tests marked"));
    m_cancelButton->setText(tr("Cancel"));
    m_closeReportButton->setText(tr("Clear"));
    m_markButton->setText(tr("Click here to mark speed tests below"));
    m_clearTestsButton->setText(tr("Clear"));
    m_fileList->setHeaderLabels({FileList::tr("Name"), FileList::tr("Size"), FileList::tr("Type")});

    if (auto *fileMenu = findChild<QMenu *>(QStringLiteral("fileMenu")))
        fileMenu->setTitle(tr("&File"));
    const std::pair<const char *, QString> actions[] = {
        {"openMarkedAction", tr("Open Marked SpeedTest")},
        {"openResultsAction", tr("Open Results")},
        {"classResultsAction", tr("Class Results...")},
        {"classDetailsAction", tr("Class Details...")},
        {"saveAsAction", tr("Save As...")},
        {"printAction", tr("Print")},
        {"exitAction", tr("E&xit")},
        {"aboutAction", tr("About")},
        {"helpAction", tr("Help")},
    };
    for (const auto &[name, text] : actions) {
        if (auto *action = findChild<QAction *>(QString::fromLatin1(name)))
            action->setText(text);
    }
    // The accessible names and descriptions are set where the window is built.
    setTabOrderAndNames();
}

} // namespace tallimark
