// The class results window: the table of current results, sorting, the figures, the marked
// copies it asks for, and the exports.
#include "records/classtable.h"
#include "records/classworkbook.h"
#include "window/classresultswindow.h"
#include "window/histogramwidget.h"
#include "windowfixture.h"

#include <QScrollBar>
#include <QTableView>

using namespace tallimark;
using namespace Qt::StringLiterals;

class ClassResultsTest : public QObject
{
    Q_OBJECT

private slots:
    // ben marked twice (60, then 100), Ann's result unreliable, Cas's test rejected; no copy on disk.
    void init()
    {
        QFile::remove(classRecordPath(m_dest.path()));
        QVERIFY(appendResult(m_dest.path(), u"ben"_s, 60, Verdict::Successful));
        QVERIFY(appendResult(m_dest.path(), u"Ann"_s, 45, Verdict::MayNotBeReliable));
        QVERIFY(appendResult(m_dest.path(), u"Cas"_s, std::nullopt, Verdict::TooShortOrEmpty));
        QVERIFY(appendResult(m_dest.path(), u"ben"_s, 100, Verdict::Successful));
        m_dialogs = ScriptedDialogs();
        m_window = std::make_unique<ClassResultsWindow>(m_dialogs);
        QVERIFY(showFolder(m_dest.path()));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void showsCurrentResultsAndFiguresAndOpensCopies()
    {
        QCOMPARE(column(ClassTableColumn::Learner), u"Ann ben Cas"_s);
        const QModelIndex unreliable = m_window->table()->model()->index(0, ClassTableColumn::Verdict);
        QCOMPARE(unreliable.data().toString(), u"Result may not be reliable"_s);
        QVERIFY(unreliable.data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(!unreliable.data(Qt::DecorationRole).isNull());

        // The figures of the current results only: ben's 60 is no longer counted.
        QCOMPARE(m_window->figure(u"Tests rejected"_s), u"1"_s);
        QCOMPARE(m_window->figure(u"Median"_s), u"72.5 wpm"_s);
        QCOMPARE(m_window->histogram()->bins().size(), 12); // 45 to 100 in steps of 5

        // A double-click asks for the row's marked copy; Cas's test was rejected and has none.
        QSignalSpy requested(m_window.get(), &ClassResultsWindow::markedCopyRequested);
        QTableView *table = m_window->table();
        for (int r = 0; r < 3; ++r) {
            const QRect cell = table->visualRect(table->model()->index(r, ClassTableColumn::MarkedAt));
            // The view answers a double-click only on the row that the first press went to.
            QTest::mousePress(table->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        }
        QCOMPARE(requested.size(), 2);
        QCOMPARE(requested.at(1).at(0).toString(), m_dest.path() + u"/ben.rug"_s);
    }

    void keepsTheLearnersInView()
    {
        QTableView *table = m_window->table();
        m_window->resize(420, 400);
        QCoreApplication::processEvents();
        QVERIFY(table->horizontalScrollBar()->maximum() > 0);
        table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
        QCoreApplication::processEvents();
        const auto *learners = table->findChild<QTableView *>(u"frozenColumn"_s);
        QVERIFY(learners && learners->isVisible());
        QCOMPARE(learners->geometry().left(), table->frameWidth());
        QCOMPARE(learners->columnWidth(ClassTableColumn::Learner), table->columnWidth(ClassTableColumn::Learner));
        const QModelIndex ben = table->model()->index(1, ClassTableColumn::Learner);
        QVERIFY(learners->viewport()->rect().contains(learners->visualRect(ben)));
    }

    // Descending: the learners without regard to case, the results as numbers with the rejected last.
    void sortsTextWithoutCaseAndFiguresAsNumbers()
    {
        m_window->table()->sortByColumn(ClassTableColumn::Learner, Qt::DescendingOrder);
        QCOMPARE(column(ClassTableColumn::Learner), u"Cas ben Ann"_s);
        m_window->table()->sortByColumn(ClassTableColumn::FinalResult, Qt::DescendingOrder);
        QCOMPARE(column(ClassTableColumn::Learner), u"ben Ann Cas"_s);
    }

    // The files' contents are checked with the command line's summary; the window adds the order
    // sorted and the message about unread copies. An unread test is counted as not marked.
    void exportsTheTableAsShownAndTheClassPack()
    {
        QVERIFY(!appendClassRecord(m_dest.path(),
                                   notMarkedRow(u"/t/Dee.rtf"_s, u"could not be read: no such file"_s,
                                                QDateTime::currentDateTime(), m_dest.path() + u"/Dee.rug"_s,
                                                Rounding::MultipleOf5))
                     .failed());
        QVERIFY(showFolder(m_dest.path()));
        QCOMPARE(m_window->figure(u"Tests not marked"_s), u"1"_s);
        QCOMPARE(column(ClassTableColumn::Verdict).count(u"Not marked"_s), 1);

        m_window->table()->sortByColumn(ClassTableColumn::FinalResult, Qt::AscendingOrder);
        QDir(m_dest.path()).mkdir(u"folder.xlsx"_s);
        m_dialogs.saveAnswers = QStringList{m_dest.path() + u"/shown"_s, m_dest.path() + u"/pack.pdf"_s,
                                            m_dest.path() + u"/shown"_s, m_dest.path() + u"/folder.xlsx"_s};
        m_window->saveAsCsv();
        m_window->exportPdf();
        auto *workbookButton = m_window->findChild<QPushButton *>(u"saveWorkbookButton"_s);
        QCOMPARE(workbookButton != nullptr, canWriteWorkbooks());
        if (workbookButton) {
            m_window->saveAsWorkbook();
            m_window->saveAsWorkbook();
        }

        QFile csv(m_dest.path() + u"/shown.csv"_s);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().split('\n');
        QVERIFY(lines.value(0).startsWith("\xEF\xBB\xBFLearner,"));
        // Those without a result first, in the order sorted.
        QCOMPARE((QSet{lines.value(1).left(4), lines.value(2).left(4)}), (QSet<QByteArray>{"Cas,", "Dee,"}));
        QVERIFY(QFileInfo(m_dest.path() + u"/pack.pdf"_s).size() > 0);
        QCOMPARE(m_dialogs.messages.size(), workbookButton ? 2 : 1);
        QVERIFY(m_dialogs.messages[0].contains(m_dest.path() + u"/ben.rug"_s));
        if (workbookButton) {
            QFile workbook(m_dest.path() + u"/shown.xlsx"_s);
            QVERIFY(workbook.open(QIODevice::ReadOnly));
            QCOMPARE(workbook.read(2), QByteArray("PK"));
            QCOMPARE(m_dialogs.messages[1],
                     QDir::toNativeSeparators(m_dest.path() + u"/folder.xlsx"_s)
                         + u" could not be saved: not a regular file (an output is written "
                           "only over a file or under a new name)"_s);
        }
    }

    // Not a check: renders the README's picture (scripts/class-results-screenshot.sh).
    void screenshotForTheReadme()
    {
        const QString folder = qEnvironmentVariable("TALLIMARK_SCREENSHOT_FOLDER");
        if (folder.isEmpty())
            QSKIP("TALLIMARK_SCREENSHOT_FOLDER is not set");
        QVERIFY(showFolder(folder));
        m_window->resize(1180, 580);
        m_window->table()->sortByColumn(ClassTableColumn::FinalResult, Qt::DescendingOrder);
        QCoreApplication::processEvents(); // the figures' labels show once events run
        QVERIFY(m_window->grab().save(qEnvironmentVariable("TALLIMARK_SCREENSHOT_FILE")));
    }

private:
    // The folder is read in the background; true once it is shown.
    bool showFolder(const QString &folder)
    {
        QSignalSpy shown(m_window.get(), &ClassResultsWindow::folderShown);
        m_window->showFolder(folder);
        return shown.wait(10000);
    }

    QString column(int c) const
    {
        QStringList texts;
        const QAbstractItemModel *model = m_window->table()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            texts.append(model->index(r, c).data().toString());
        return texts.join(u' ');
    }

    QTemporaryDir m_dest;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<ClassResultsWindow> m_window;
};

QTEST_MAIN(ClassResultsTest)
#include "tst_classresults.moc"
