// The main window, the class results window and the guide's window on the screens schools have, at the scalings
// desktops use: every control inside the window and every text whole. Run once as it is, once
// with QT_SCALE_FACTOR=2, so that fonts and pictures are drawn at 200 % too, and once in Afrikaans.
#include "language/interfacelanguage.h"
#include "marking/testoutcome.h"
#include "records/classrecord.h"
#include "records/classtable.h"
#include "window/classdetailsdialog.h"
#include "window/classresultswindow.h"
#include "window/helpwindow.h"
#include "window/reportbox.h"
#include "windowfixture.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

using namespace tallimark;
using namespace Qt::StringLiterals;

namespace {

// What a maximised window gets of a screen: less the task bar, and the title bar above it.
QSize windowRoom(const QSize &screen, double scale)
{
    const QSizeF logical = QSizeF(screen.width(), screen.height() - 40) / scale;
    return QSize(int(logical.width()), int(logical.height()) - 30);
}

void screensAndScalings()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<double>("scale");
    QTest::newRow("1024x600 school laptop") << QSize(1024, 600) << 1.0;
    QTest::newRow("1024x600 at 125 %") << QSize(1024, 600) << 1.25;
    QTest::newRow("1366x768") << QSize(1366, 768) << 1.0;
    QTest::newRow("1366x768 at 125 %") << QSize(1366, 768) << 1.25;
    QTest::newRow("1366x768 at 150 %") << QSize(1366, 768) << 1.5;
    QTest::newRow("1920x1080") << QSize(1920, 1080) << 1.0;
    QTest::newRow("1920x1080 at 150 %") << QSize(1920, 1080) << 1.5;
    QTest::newRow("1920x1080 at 200 %") << QSize(1920, 1080) << 2.0;
}

} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // In the system's language, as the program starts: run again with LANGUAGE=af for the
        // Afrikaans texts, whose longer words must fit as well.
        const bool afrikaans = qEnvironmentVariable("LANGUAGE").startsWith(u"af"_s);
#ifdef Q_OS_WIN
        // Windows takes the language from its own settings, not from LANGUAGE: set as it would.
        if (afrikaans)
            QLocale::setDefault(QLocale(QLocale::Afrikaans, QLocale::SouthAfrica));
#endif
        QVERIFY(applyInterfaceLanguage(languageOfLocale(QLocale())));
        if (afrikaans)
            QCOMPARE(currentInterfaceLanguage(), InterfaceLanguage::Afrikaans);
    }

    void mainWindowFitsEveryScreen_data()
    {
        screensAndScalings();
    }

    void mainWindowFitsEveryScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(double, scale);
        const QSize room = windowRoom(screen, scale);
        WindowFixture f({}, true, true);
        QVERIFY2(f.window->minimumSizeHint().width() <= room.width()
                     && f.window->minimumSizeHint().height() <= room.height(),
                 qPrintable(QDebug::toString(f.window->minimumSizeHint())));
        f.window->resize(room);
        QTRY_COMPARE(f.window->size(), room);

        // Browsing, with the drag hint shown.
        f.fileList()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!f.hidden(u"hintLabel"_s));
        QCoreApplication::processEvents();
        QStringList problems = layoutProblems(f.window.get());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        // The report box, as a session of 500 tests shows it with its progress and buttons.
        f.window->showReport();
        f.window->showCloseReportButton();
        f.window->sessionStarted(500);
        f.window->testFinished({});
        QCoreApplication::processEvents();
        problems = layoutProblems(f.window.get());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        // The report's Clear and Cancel sit beside the box, never over its text.
        const QRect box(f.window->reportBox().mapTo(f.window.get(), QPoint()), f.window->reportBox().size());
        for (const char *button : {"closeReportButton", "cancelMarkingButton"}) {
            QWidget *control = f.control(QString::fromLatin1(button));
            QVERIFY(!QRect(control->mapTo(f.window.get(), QPoint()), control->size()).intersects(box));
        }
    }

    void helpWindowFitsEveryScreen_data()
    {
        screensAndScalings();
    }

    void helpWindowFitsEveryScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(double, scale);
        const QSize room = windowRoom(screen, scale);
        HelpWindow help;
        help.showSection(u"marking"_s);
        QVERIFY2(help.minimumSizeHint().width() <= room.width() && help.minimumSizeHint().height() <= room.height(),
                 qPrintable(QDebug::toString(help.minimumSizeHint())));
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        help.resize(help.size().boundedTo(room));
        QCoreApplication::processEvents();
        const QStringList problems = layoutProblems(&help);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    void classDetailsFitEveryScreen_data()
    {
        screensAndScalings();
    }

    void classDetailsFitEveryScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(double, scale);
        const QSize room = windowRoom(screen, scale);
        ClassDetailsDialog dialog(u"/home/teacher/Tallimark/Grade 10 A"_s,
                                  {u"Hoërskool Bergsig"_s, {}, u"Grade 10 A"_s, {}, {}, {}});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY2(dialog.width() <= room.width() && dialog.height() <= room.height(),
                 qPrintable(QDebug::toString(dialog.size())));
        const QStringList problems = layoutProblems(&dialog);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    void classResultsFitEveryScreen_data()
    {
        screensAndScalings();
    }

    void classResultsFitEveryScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(double, scale);
        const QSize room = windowRoom(screen, scale);
        QTemporaryDir dest;
        for (const auto &[learner, verdict] :
             {std::pair{u"Anika Botha"_s, Verdict::MayNotBeReliable}, std::pair{u"Ben"_s, Verdict::Successful}}) {
            ClassRecordRow row;
            row.markedAt = QDateTime::currentDateTime();
            row.learner = learner;
            row.verdict = verdict;
            row.finalResult = 45;
            row.remarks = u"Wrong number of line feeds; excess words"_s;
            QVERIFY(!appendClassRecord(dest.path(), row).failed());
        }
        ScriptedDialogs dialogs;
        ClassResultsWindow results(dialogs);
        QSignalSpy shown(&results, &ClassResultsWindow::folderShown);
        results.showFolder(dest.path());
        QVERIFY(shown.wait(10000));
        QVERIFY2(results.minimumSizeHint().width() <= room.width()
                     && results.minimumSizeHint().height() <= room.height(),
                 qPrintable(QDebug::toString(results.minimumSizeHint())));
        results.show();
        QVERIFY(QTest::qWaitForWindowExposed(&results));
        results.resize(results.size().boundedTo(room));
        QCoreApplication::processEvents();
        const QStringList problems = layoutProblems(&results);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));

        // Where the room allows (1366 wide and more), the verdicts show without scrolling.
        QTableView *table = results.table();
        if (room.width() >= 1366) {
            results.resize(room);
            QCoreApplication::processEvents();
            const int verdictEnd = table->columnViewportPosition(ClassTableColumn::Verdict)
                + table->columnWidth(ClassTableColumn::Verdict);
            QVERIFY2(verdictEnd <= table->viewport()->width(), qPrintable(QString::number(verdictEnd)));
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
