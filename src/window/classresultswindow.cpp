#include "classresultswindow.h"

#include "classresultsmodel.h"
#include "dialogs.h"
#include "frozencolumntable.h"
#include "histogramwidget.h"

#include "classpack/classdetails.h"
#include "classpack/classpack.h"
#include "classpack/classtexts.h"
#include "marking/outputfile.h"
#include "records/classfigures.h"
#include "records/classtable.h"
#include "records/classworkbook.h"
#include "records/csvformat.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

namespace tallimark {

using namespace Qt::StringLiterals;

ClassResultsWindow::ClassResultsWindow(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_title(new QLabel(this)), m_note(new QLabel(this)),
      m_figures(new QFormLayout), m_histogram(new HistogramWidget(this)), m_table(new FrozenColumnTable(this)),
      m_model(new ClassResultsModel(this))
{
    setObjectName(u"classResultsWindow"_s);
    setWindowTitle(tr("Class Results"));
    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_note->setWordWrap(true);
    m_note->setStyleSheet(u"color: #a00000"_s);
    m_note->hide();

    m_model->setWarningIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    m_table->setObjectName(u"classTable"_s);
    m_table->setModel(m_model);
    m_table->setSortingEnabled(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_table->frozenView()->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_table->setWordWrap(false);
    // Column widths from the first rows only: measuring every row of a class of hundreds held
    // up the window for a noticeable moment.
    m_table->horizontalHeader()->setResizeContentsPrecision(60);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setToolTip(tr("Double-click a learner, or press Enter, to open the marked copy"));
    connect(m_table, &FrozenColumnTable::rowActivated, this, &ClassResultsWindow::openMarkedCopy);

    auto *figuresAndHistogram = new QHBoxLayout;
    figuresAndHistogram->addLayout(m_figures);
    figuresAndHistogram->addWidget(m_histogram, 1);

    auto *buttons = new QHBoxLayout;
    const auto button = [&](const QString &name, const QString &caption, void (ClassResultsWindow::*action)()) {
        auto *pushButton = new QPushButton(caption, this);
        pushButton->setObjectName(name);
        connect(pushButton, &QPushButton::clicked, this, action);
        buttons->addWidget(pushButton);
    };
    button(u"saveCsvButton"_s, tr("Save as CSV\u2026"), &ClassResultsWindow::saveAsCsv);
    if (canWriteWorkbooks())
        button(u"saveWorkbookButton"_s, tr("Save as Excel workbook\u2026"), &ClassResultsWindow::saveAsWorkbook);
    button(u"printPackButton"_s, tr("Print class pack\u2026"), &ClassResultsWindow::printPack);
    button(u"exportPdfButton"_s, tr("Export class pack as PDF\u2026"), &ClassResultsWindow::exportPdf);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addLayout(figuresAndHistogram);
    layout->addWidget(m_note);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    resize(1000, 640);
}

ClassResultsWindow::~ClassResultsWindow()
{
    if (m_reader)
        m_reader->wait();
}

QTableView *ClassResultsWindow::table() const
{
    return m_table;
}

void ClassResultsWindow::openMarkedCopy(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QString copy = m_model->learner(index.row()).current.markedCopy;
    if (!copy.isEmpty())
        emit markedCopyRequested(copy);
}

void ClassResultsWindow::fitToScreen()
{
    int tableWidth = 2 * m_table->frameWidth() + m_table->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column <= ClassTableColumn::Verdict; ++column)
        tableWidth += m_table->columnWidth(column);
    const QMargins margins = layout()->contentsMargins();
    QSize wanted(std::max(tableWidth + margins.left() + margins.right(), 640), 640);
    // Less the window manager's frame and title bar.
    if (const QScreen *shown = screen())
        wanted = wanted.boundedTo(shown->availableSize() - QSize(16, 48));
    resize(wanted.expandedTo(minimumSizeHint()));
}

void ClassResultsWindow::showFolder(const QString &destFolder)
{
    const int asked = ++m_readsAsked;
    auto read = std::make_shared<ClassResultsData>();
    QThread *reader = QThread::create([read, destFolder, decimalPoint = locale().decimalPoint()] {
        *read = readClassResults(destFolder, decimalPoint);
    });
    reader->setObjectName(u"class results"_s);
    connect(reader, &QThread::finished, reader, &QObject::deleteLater);
    connect(reader, &QThread::finished, this, [this, asked, read] {
        // A folder asked for later is shown instead.
        if (asked == m_readsAsked)
            showResults(std::move(*read));
    });
    m_reader = reader;
    reader->start();
}

void ClassResultsWindow::showResults(ClassResultsData results)
{
    m_folder = results.folder;
    const QString name = QDir(m_folder).dirName();
    setWindowTitle(tr("Class Results \u2013 %1").arg(name));
    m_title->setText(tr("Class results: %1").arg(name));
    m_title->setToolTip(QDir::toNativeSeparators(m_folder));
    m_note->setText(results.notes.join(u'\n'));
    m_note->setVisible(!results.notes.isEmpty());

    while (m_figures->rowCount() > 0)
        m_figures->removeRow(0);
    for (const auto &[label, value] : figureLines(results.figures, locale().decimalPoint())) {
        auto *shown = new QLabel(value, this);
        shown->setObjectName(label);
        m_figures->addRow(shownFigureLabel(label) + u':', shown);
    }
    m_histogram->setBins(results.figures.histogram);

    // In one go: the table neither repaints nor lays out while its rows come in.
    m_table->setUpdatesEnabled(false);
    m_table->horizontalHeader()->setSortIndicator(ClassTableColumn::Learner, Qt::AscendingOrder);
    m_model->setResults(std::move(results)); // in learner order, as the indicator says
    m_table->resizeColumnsToContents();
    m_table->setUpdatesEnabled(true);
    if (!isVisible())
        fitToScreen();
    emit folderShown();
}

QString ClassResultsWindow::figure(const QString &label) const
{
    const auto *shown = findChild<QLabel *>(label);
    return shown ? shown->text() : QString();
}

QList<LearnerResult> ClassResultsWindow::resultsAsShown() const
{
    QList<LearnerResult> shown;
    for (int r = 0; r < m_model->rowCount(); ++r)
        shown.append(m_model->learner(r));
    return shown;
}

void ClassResultsWindow::reportProblems(const QStringList &problems, const QString &what)
{
    if (!problems.isEmpty())
        m_dialogs.message(this, what + u"\r"_s + problems.join(u'\r'), QString());
}

QString ClassResultsWindow::askSavePath(const QString &filter, const QString &nameEnding)
{
    // Suggested in the class's folder, named after the class; the extension is added when left out.
    const QString suffix = nameEnding.mid(nameEnding.lastIndexOf(u'.'));
    QString chosenPattern;
    QString path =
        m_dialogs.saveFileName(this, filter, m_folder + u'/' + QDir(m_folder).dirName() + nameEnding, chosenPattern);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += suffix;
    return path;
}

void ClassResultsWindow::saveAsCsv()
{
    const QString path = askSavePath(tr("CSV files") + u"|*.csv"_s, u" class results.csv"_s);
    if (path.isEmpty())
        return;
    // The rows in their shown order and text, as the teacher sees the table.
    QString csv = csvRecord(classTableHeader());
    for (int r = 0; r < m_model->rowCount(); ++r) {
        QStringList fields;
        for (int c = 0; c < m_model->columnCount(); ++c)
            fields.append(m_model->index(r, c).data().toString());
        csv += csvRecord(fields);
    }
    reportSaveFailure(path, writeOutputFile(path, csvFileBytes(csv)));
}

void ClassResultsWindow::saveAsWorkbook()
{
    const QString path = askSavePath(tr("Excel workbooks") + u"|*.xlsx"_s, u" class results.xlsx"_s);
    if (path.isEmpty())
        return;
    // Every column of the learners' current rows, typed, in the shown order.
    QList<ClassRecordRow> rows;
    for (const LearnerResult &result : resultsAsShown())
        rows.append(result.current);
    reportSaveFailure(path, writeClassWorkbook(path, rows, m_model->results().figures));
}

void ClassResultsWindow::reportSaveFailure(const QString &path, const QString &failure)
{
    if (failure.isEmpty())
        return;
    // The failure reads "path: reason"; the path is shown as the system writes it.
    const QString start = path + u": "_s;
    const QString reason = failure.startsWith(start) ? failure.mid(start.size()) : failure;
    m_dialogs.message(this, tr("%1 could not be saved: %2").arg(QDir::toNativeSeparators(path), reason), tr("Error"));
}

void ClassResultsWindow::printPack()
{
    QPrinter printer;
    preparePackDevice(printer, QLocale::system());
    if (!m_dialogs.choosePrinter(this, printer) || !printer.isValid())
        return;
    QStringList problems;
    const ClassPackContent content{QDir(m_folder).dirName(), resultsAsShown(), m_model->results().figures,
                                   readClassDetails(m_folder).details};
    if (!paintClassPack(printer, content, problems))
        m_dialogs.message(this, tr("The class pack could not be printed."), tr("Error"));
    reportProblems(problems, tr("Some marked copies could not be read:"));
}

void ClassResultsWindow::exportPdf()
{
    const QString path = askSavePath(tr("PDF files") + u"|*.pdf"_s, u" class pack.pdf"_s);
    if (path.isEmpty())
        return;
    QStringList problems;
    const ClassPackContent content{QDir(m_folder).dirName(), resultsAsShown(), m_model->results().figures,
                                   readClassDetails(m_folder).details};
    const QString failure = writeClassPackPdf(path, content, problems);
    if (!failure.isEmpty())
        m_dialogs.message(this, failure, tr("Error"));
    reportProblems(problems, tr("Some marked copies could not be read:"));
}

} // namespace tallimark
