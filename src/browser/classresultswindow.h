// The class results window: the class figures and histogram above a table of every learner's
// current result, with CSV, print and PDF export. It opens for any destination folder.
#pragma once

#include "marking/classrecord.h"

#include <QWidget>

class QLabel;
class QFormLayout;
class QStandardItemModel;
class QTableView;

namespace tallimark {

class Dialogs;
class FrozenColumnTable;
class HistogramWidget;

class ClassResultsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ClassResultsWindow(Dialogs &dialogs, QWidget *parent = nullptr);

    // Reads the folder's class record and shows it. Rows that could not be read are named in
    // a note above the table.
    void showFolder(const QString &destFolder);
    const QString &folder() const { return m_folder; }

    QTableView *table() const;
    HistogramWidget *histogram() const { return m_histogram; }
    // The shown text of a class figure, by its label ("Mean", "Tests rejected", ...).
    QString figure(const QString &label) const;

    void saveAsCsv();
    void printPack();
    void exportPdf();

protected:
    void changeEvent(QEvent *event) override;

signals:
    // The learner's marked copy, for the main window's viewer: Enter on a row or a double-click.
    void markedCopyRequested(const QString &path);

private:
    void fillTable();
    void openMarkedCopy(const QModelIndex &index);
    // A size that shows the table up to its Verdict column, within the screen.
    void fitToScreen();
    QList<LearnerResult> resultsAsShown() const;
    QString askSavePath(const QString &filter, const QString &nameEnding);
    void reportProblems(const QStringList &problems, const QString &what);

    Dialogs &m_dialogs;
    QString m_folder;
    QList<LearnerResult> m_results;
    QLabel *m_title;
    QLabel *m_note;
    QFormLayout *m_figures;
    HistogramWidget *m_histogram;
    FrozenColumnTable *m_table;
    QStandardItemModel *m_model;
};

} // namespace tallimark
