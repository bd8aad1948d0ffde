// The class results window: the class figures and histogram above a table of every learner's
// current result, with CSV, Excel workbook, print and PDF export. It opens for any destination folder.
#pragma once

#include "classresultsdata.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QFormLayout;
class QTableView;
class QThread;

namespace tallimark {

class ClassResultsModel;
class Dialogs;
class FrozenColumnTable;
class HistogramWidget;

class ClassResultsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ClassResultsWindow(Dialogs &dialogs, QWidget *parent = nullptr);
    // Waits for a folder still being read.
    ~ClassResultsWindow() override;

    // Reads the folder's class record on a thread of its own and shows it once read
    // (folderShown()); a class of hundreds would hold up the window for a noticeable moment.
    // Rows that could not be read are named in a note above the table.
    void showFolder(const QString &destFolder);
    // Shows class results read elsewhere, at once.
    void showResults(ClassResultsData results);
    const QString &folder() const { return m_folder; }

    QTableView *table() const;
    HistogramWidget *histogram() const { return m_histogram; }
    // The shown text of a class figure, by its label ("Mean", "Tests rejected", ...).
    QString figure(const QString &label) const;

    void saveAsCsv();
    // Only in a build that can write workbooks (canWriteWorkbooks()).
    void saveAsWorkbook();
    void printPack();
    void exportPdf();

protected:
    void changeEvent(QEvent *event) override;

signals:
    void folderShown();
    // The learner's marked copy, for the main window's viewer: Enter on a row or a double-click.
    void markedCopyRequested(const QString &path);

private:
    void openMarkedCopy(const QModelIndex &index);
    // A size that shows the table up to its Verdict column, within the screen.
    void fitToScreen();
    QList<LearnerResult> resultsAsShown() const;
    QString askSavePath(const QString &filter, const QString &nameEnding);
    void reportProblems(const QStringList &problems, const QString &what);
    void reportSaveFailure(const QString &path, const QString &failure);

    Dialogs &m_dialogs;
    QString m_folder;
    // The folder being read, and how many reads were asked for: only the latest is shown.
    QPointer<QThread> m_reader;
    int m_readsAsked = 0;
    QLabel *m_title;
    QLabel *m_note;
    QFormLayout *m_figures;
    HistogramWidget *m_histogram;
    FrozenColumnTable *m_table;
    ClassResultsModel *m_model;
};

} // namespace tallimark
