// Every window on the screens schools have, at the scalings desktops use: every control inside and
// every text whole. Run as it is, with QT_SCALE_FACTOR=2 (fonts and pictures at 200 %) and in Afrikaans.
#include "language/interfacelanguage.h"
#include "marking/testoutcome.h"
#include "records/classtable.h"
#include "window/classdetailsdialog.h"
#include "window/classresultswindow.h"
#include "window/helpwindow.h"
#include "window/reportbox.h"
#include "windowfixture.h"

#include <QTableView>

using namespace tallimark;
using namespace Qt::StringLiterals;

namespace {

// Whether every text fits its control and every control lies inside the window; each that does
// not is told. Paths shortened with an ellipsis (ElidedLabel) fit by design.
bool wholeAndInside(QWidget *top)
{
    QStringList problems;
    for (QWidget *widget : top->findChildren<QWidget *>()) {
        if (widget->isWindow() || !widget->isVisibleTo(top))
            continue;
        const QString name = widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                                            : widget->objectName();
        const QRect at(widget->mapTo(top, QPoint(0, 0)), widget->size());
        if (!top->rect().contains(at))
            problems.append(name + u" lies outside the window: "_s + QDebug::toString(at));
        const QFontMetrics metrics = widget->fontMetrics();
        QString cutOff;
        if (auto *label = qobject_cast<QLabel *>(widget); label && !qobject_cast<ElidedLabel *>(widget)) {
            // A label with a buddy shows its access key underlined, without the "&".
            QString shown = label->text();
            if (label->buddy())
                shown.replace(u"&&"_s, u"\x01"_s).remove(u'&').replace(u'\x01', u'&');
            const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                                : metrics.horizontalAdvance(shown) <= label->contentsRect().width()
                    && metrics.height() <= label->contentsRect().height();
            if (!label->text().isEmpty() && !fits)
                cutOff = label->text();
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget); button && !button->text().isEmpty()) {
            if (button->sizeHint().width() > button->width() || button->minimumSizeHint().height() > button->height())
                cutOff = button->text();
        } else if (auto *bar = qobject_cast<QProgressBar *>(widget); bar && bar->isTextVisible()) {
            if (metrics.horizontalAdvance(bar->text()) + metrics.averageCharWidth() * 2 > bar->width())
                cutOff = bar->text();
        }
        if (!cutOff.isEmpty())
            problems.append(name + u" cuts off \""_s + cutOff + u"\" at "_s + QDebug::toString(widget->size()));
    }
    for (const QString &problem : problems)
        qWarning("%s", qPrintable(problem));
    return problems.isEmpty();
}

// What a maximised window gets of the row's screen: less the task bar, and the title bar above it.
QSize windowRoom()
{
    QFETCH_GLOBAL(QSize, screen);
    QFETCH_GLOBAL(double, scale);
    const QSizeF logical = QSizeF(screen.width(), screen.height() - 40) / scale;
    return QSize(int(logical.width()), int(logical.height()) - 30);
}

// Whether the window's smallest size fits the room and, shown at most that large, the window is whole.
bool fitsTheRoom(QWidget *window, const QSize &room)
{
    if (window->minimumSizeHint().boundedTo(room) != window->minimumSizeHint()) {
        qWarning() << window->minimumSizeHint() << "does not fit" << room;
        return false;
    }
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    window->resize(window->size().boundedTo(room));
    QCoreApplication::processEvents();
    return wholeAndInside(window);
}

} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<double>("scale");
        // A row sets only the room: the smallest of all, the narrowest to show the verdicts, the largest.
        QTest::newRow("1024x600 at 125 %") << QSize(1024, 600) << 1.25;
        QTest::newRow("1366x768") << QSize(1366, 768) << 1.0;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 1.0;
    }

    void initTestCase()
    {
        // In the system's language, as the program starts (LANGUAGE=af: Afrikaans, with longer words).
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

    void mainWindowFitsEveryScreen()
    {
        const QSize room = windowRoom();
        WindowFixture f({}, true, true);
        f.window->resize(room); // a smallest size larger than the room keeps the window larger
        QTRY_COMPARE(f.window->size(), room);

        f.fileList()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!f.hidden(u"hintLabel"_s));
        QCoreApplication::processEvents();
        QVERIFY(wholeAndInside(f.window.get()));
        // The report box, as a session of 500 tests shows it with its progress and buttons.
        f.window->showReport();
        f.window->showCloseReportButton();
        f.window->sessionStarted(f.programFolder(), 500);
        f.window->testFinished({});
        QCoreApplication::processEvents();
        QVERIFY(wholeAndInside(f.window.get()));
        // The report's Clear and Cancel sit beside the box, never over its text.
        const QRect box(f.window->reportBox().mapTo(f.window.get(), QPoint()), f.window->reportBox().size());
        for (const char *button : {"closeReportButton", "cancelMarkingButton"}) {
            QWidget *control = f.control(QString::fromLatin1(button));
            QVERIFY(!QRect(control->mapTo(f.window.get(), QPoint()), control->size()).intersects(box));
        }
    }

    void guideAndClassDetailsFitEveryScreen()
    {
        HelpWindow help;
        help.showSection(u"marking"_s);
        QVERIFY(fitsTheRoom(&help, windowRoom()));
        ClassDetailsDialog dialog(u"/home/teacher/Tallimark/Grade 10 A"_s,
                                  {u"Hoërskool Bergsig"_s, {}, u"Grade 10 A"_s, {}, {}, {}});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.size().boundedTo(windowRoom()), dialog.size());
        QVERIFY(wholeAndInside(&dialog));
    }

    void classResultsFitEveryScreen()
    {
        const QSize room = windowRoom();
        QTemporaryDir dest;
        QVERIFY(appendResult(dest.path(), u"Anika Botha"_s, 45, Verdict::MayNotBeReliable));
        ScriptedDialogs dialogs;
        ClassResultsWindow results(dialogs);
        QSignalSpy shown(&results, &ClassResultsWindow::folderShown);
        results.showFolder(dest.path());
        QVERIFY(shown.wait(10000));
        QVERIFY(fitsTheRoom(&results, room));

        // Where the room allows (1366 wide and more), the verdicts show without scrolling.
        if (room.width() >= 1366) {
            results.resize(room);
            QCoreApplication::processEvents();
            QTableView *table = results.table();
            const int verdictEnd = table->columnViewportPosition(ClassTableColumn::Verdict)
                + table->columnWidth(ClassTableColumn::Verdict);
            QVERIFY2(verdictEnd <= table->viewport()->width(), qPrintable(QString::number(verdictEnd)));
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
