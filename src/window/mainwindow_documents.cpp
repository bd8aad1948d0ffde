// Memos at start-up, viewing marked copies and results files, Save As and Print.
#include "mainwindow.h"

#include "dialogfilter.h"
#include "dialogs.h"
#include "documents/memoloader.h"
#include "elidedlabel.h"
#include "errormessage.h"
#include "rendering/richtextrender.h"
#include "reportbox.h"

#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>

namespace tallimark {

void MainWindow::loadMemos()
{
    const QList<Failure> failures = loadBothMemos(m_workspace);
    m_dialogFileName.clear();
    m_memoFileLabels[0]->setText(QDir::toNativeSeparators(m_workspace.memoFile(MemoLanguage::Afrikaans)));
    m_memoFileLabels[1]->setText(QDir::toNativeSeparators(m_workspace.memoFile(MemoLanguage::English)));
    if (failures.isEmpty())
        return;

    QStringList lines;
    for (const Failure &failure : failures)
        lines.append(failure.description);
    m_dialogs.message(this, lines.join(QLatin1Char('\r')), tr("Error"));
}

void MainWindow::openMarkedCopy()
{
    openForViewing(tr("Marked speed tests") + QStringLiteral("|*.rug|*.rug"));
}

void MainWindow::openResults()
{
    openForViewing(tr("Result files") + QStringLiteral("|*.res|*.res"));
}

void MainWindow::openForViewing(const QString &filter)
{
    // The teacher looks for what a session of this run just wrote, not in the start folder.
    // A cancelled dialog leaves the report box as it was.
    const QString chosen = m_dialogs.openFileName(this, filter, m_lastDestination);
    if (chosen.isEmpty())
        return;
    showReport();
    showCloseReportButton();
    m_reportBox->setReportText(QString());
    m_dialogFileName = chosen;
    showFile(chosen);
}

void MainWindow::showFile(const QString &path)
{
    m_workspace.currentFile = path;
    // A file that cannot be read is reported; the box then stays empty and the label still
    // names the file, so the teacher sees which one failed.
    const Failure failure = m_reportBox->loadFile(m_workspace.currentFile);
    if (failure.failed())
        m_dialogs.message(this, genericErrorMessage(failure), tr("Error"));

    RichDocument &document = m_reportBox->richDocument();
    document.setSelStart(1);
    document.setSelLength(document.textRtf().length());
    document.setSelOffset(0);
    document.setSelKerning(1);
    document.setSelLength(0);
    m_reportBox->refresh();

    showReport();
    showFileLabel(m_workspace.currentFile);
}

void MainWindow::showFileLabel(const QString &path)
{
    m_currentTestLabel = path;
    m_shownFileLabel->setText(QDir::toNativeSeparators(path));
}

void MainWindow::saveAs()
{
    QString chosenPattern;
    QString name = m_dialogs.saveFileName(this, tr("'Rich Text Format'-Lêers (*.RTF)") + QStringLiteral("|*.RTF"),
                                          m_dialogFileName, chosenPattern);
    if (name.isEmpty())
        return;
    // A name that does not end in ".rtf" would give a file that no word processor offers to
    // open; a dot inside the name ("Mr. Steyn feedback") is no extension.
    if (patternExtension(chosenPattern) == QLatin1String("rtf")
        && !name.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive))
        name += QLatin1String(".rtf");
    m_dialogFileName = name;
    const Failure failure = m_reportBox->richDocument().saveFile(name);
    if (failure.failed()) {
        m_dialogs.message(this, genericErrorMessage(failure), tr("Error"));
        return;
    }
    // The hint line beside the file list confirms where the save went.
    showSavedPath(name);
}

void MainWindow::printReport()
{
    RichDocument &document = m_reportBox->richDocument();
    const QString header = m_shownFileLabel->text() + QStringLiteral("\r\n\r\n");
    document.setSelStart(0);
    document.setSelText(header);

    // From here on nothing is reported: a cancelled or failed print prints nothing, and the
    // header comes out again either way.
    QPrinter printer;
    if (m_dialogs.choosePrinter(this, printer) && printer.isValid()) {
        QTextDocument printed;
        renderRichDocument(document, printed);
        printed.print(&printer);
    }

    document.setSelStart(0);
    document.setSelLength(int(header.length()));
    document.setSelText(QString());
}

} // namespace tallimark
