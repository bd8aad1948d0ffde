// Filling the test box (drops, the keyboard, Delete, Clear), the destination derived from its
// first test, and a marking session as the window hosts it: held-back controls, progress, closing.
#include "browser/filelist.h"
#include "browser/foldertree.h"
#include "browser/reportbox.h"
#include "browser/testbox.h"
#include "windowfixture.h"

#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QtTest>

#include <cstdio>

using namespace tallimark;
using namespace Qt::StringLiterals;

class MarkingTest : public QObject
{
    Q_OBJECT

private slots:
    void dropFromFileListAppendsSelectionInListOrder();
    void dragEndDerivesDestinationFromFirstTest();
    void keysAddAndDelete();
    void dropFromOutsideAddsTheDroppedFiles();
    void clearButtonsEmptyTheirBoxes();
    void sessionHoldsControlsBackAndShowsProgress();
    void closingTheWindowDuringASessionEndsTheProgram();

private:
    static QString makeClass(WindowFixture &f, const QString &name);
    static QString copySampleClass(WindowFixture &f);
    // Sends a drop onto the test box; a drag from the file list is then ended as it ends.
    static bool drop(WindowFixture &f, const QMimeData &data);
    static void dragSelectionToTestBox(WindowFixture &f);
};

QString MarkingTest::makeClass(WindowFixture &f, const QString &name)
{
    f.makeFolder(name + u"/Sub"_s);
    return f.makeFolder(name, {{u"Anna.rtf"_s, "a"}, {u"Ben.rtf"_s, "b"}, {u"Cara.rtf"_s, "c"}, {u"Dirk.rtf"_s, "d"}});
}

QString MarkingTest::copySampleClass(WindowFixture &f)
{
    QString target = f.makeFolder(u"Grade10A"_s);
    const QDir samples(QStringLiteral(TALLIMARK_SOURCE_DIR "/examples/Grade10A"));
    for (const QString &name : samples.entryList(QDir::Files))
        QFile::copy(samples.filePath(name), target + QLatin1Char('/') + name);
    f.tree()->showFolder(target);
    return target;
}

bool MarkingTest::drop(WindowFixture &f, const QMimeData &data)
{
    QWidget *target = f.testBox()->viewport();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

void MarkingTest::dragSelectionToTestBox(WindowFixture &f)
{
    QMimeData data;
    data.setData(FileList::selectionMimeType(), f.fileList()->folder().toUtf8());
    QVERIFY(drop(f, data));
    f.window->finishFileListDrag();
}

void MarkingTest::dropFromFileListAppendsSelectionInListOrder()
{
    WindowFixture f;
    const QString folder = makeClass(f, u"Gr10"_s);
    f.tree()->showFolder(folder);
    // Selected last-first; the box takes them in the list's order, twice when dropped twice.
    const QStringList once{folder + u"/Sub"_s, folder + u"/Ben.rtf"_s, folder + u"/Dirk.rtf"_s};
    for (int drag = 0; drag < 2; ++drag) {
        f.select({u"Dirk.rtf"_s, u"Ben.rtf"_s, u"Sub"_s});
        dragSelectionToTestBox(f);
        QVERIFY(f.fileList()->selectedItems().isEmpty());
    }
    QCOMPARE(f.window->tests(), once + once);
    dragSelectionToTestBox(f); // nothing selected: nothing added
    QCOMPARE(f.testBox()->count(), 6);
}

void MarkingTest::dragEndDerivesDestinationFromFirstTest()
{
    WindowFixture f;
    f.window->finishFileListDrag(); // with an empty box, nothing changes
    QCOMPARE(f.text(u"destinationEdit"_s), u"New Folder"_s);
    QVERIFY(f.window->workspace().destFolder.isEmpty());

    const QString first = makeClass(f, u"Gr10"_s);
    const QString second = makeClass(f, u"Gr11"_s);
    f.tree()->showFolder(first);
    f.select({u"Cara.rtf"_s});
    dragSelectionToTestBox(f);
    QCOMPARE(f.text(u"destinationEdit"_s), u"Gr10"_s);
    QCOMPARE(f.window->workspace().destFolder, f.programFolder() + u"/Gr10"_s);
    QCOMPARE(f.text(u"destinationPath"_s), f.programFolder() + u"/Gr10"_s);

    // The first test decides, not the last drag; an edited name stays until the next drag ends.
    f.tree()->showFolder(second);
    f.select({u"Anna.rtf"_s});
    dragSelectionToTestBox(f);
    QCOMPARE(f.text(u"destinationEdit"_s), u"Gr10"_s);
    f.control<QLineEdit>(u"destinationEdit"_s)->setText(u"Mine"_s);
    QCOMPARE(f.text(u"destinationPath"_s), f.programFolder() + u"/Gr10"_s);
    f.window->finishFileListDrag();
    QCOMPARE(f.text(u"destinationEdit"_s), u"Gr10"_s);
}

void MarkingTest::keysAddAndDelete()
{
    WindowFixture f;
    const QString folder = makeClass(f, u"Gr12"_s);
    f.tree()->showFolder(folder);
    f.select({u"Anna.rtf"_s, u"Cara.rtf"_s});
    QTest::keyClick(f.fileList(), Qt::Key_Insert);
    f.select({u"Ben.rtf"_s});
    QTest::keyClick(f.fileList(), Qt::Key_Return);
    QCOMPARE(f.window->tests(), (QStringList{folder + u"/Anna.rtf"_s, folder + u"/Cara.rtf"_s, folder + u"/Ben.rtf"_s}));
    QVERIFY(f.fileList()->selectedItems().isEmpty());
    QCOMPARE(f.text(u"destinationEdit"_s), u"Gr12"_s);

    // Delete removes the selected entry only, and nothing without a selection.
    TestBox *box = f.testBox();
    box->clearSelection();
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->count(), 3);
    box->item(1)->setSelected(true);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->tests(), (QStringList{folder + u"/Anna.rtf"_s, folder + u"/Ben.rtf"_s}));
    QVERIFY(box->selectedItems().isEmpty());
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->count(), 2);
}

void MarkingTest::dropFromOutsideAddsTheDroppedFiles()
{
    WindowFixture f;
    const QString listed = makeClass(f, u"Listed"_s);
    const QString elsewhere = makeClass(f, u"Elsewhere"_s);
    f.tree()->showFolder(listed);
    f.select({u"Anna.rtf"_s});

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(elsewhere + u"/Dirk.rtf"_s), QUrl::fromLocalFile(elsewhere + u"/Ben.rtf"_s),
                   QUrl(u"https://example.org/remote.rtf"_s)});
    QVERIFY(drop(f, files));
    QCOMPARE(f.window->tests(), (QStringList{elsewhere + u"/Dirk.rtf"_s, elsewhere + u"/Ben.rtf"_s}));
    QCOMPARE(f.fileList()->selectedItems().size(), 1); // the list's selection was not used, nor cleared

    QMimeData text;
    text.setText(u"just words"_s);
    QVERIFY(!drop(f, text));
}

void MarkingTest::clearButtonsEmptyTheirBoxes()
{
    WindowFixture f;
    f.tree()->showFolder(makeClass(f, u"Gr10"_s));
    f.select({u"Anna.rtf"_s});
    dragSelectionToTestBox(f);
    const QString preview = f.text(u"destinationPath"_s);
    f.click(u"clearTestsButton"_s);
    QCOMPARE(f.testBox()->count(), 0);
    QCOMPARE(f.text(u"destinationPath"_s), preview);
    QCOMPARE(f.text(u"destinationEdit"_s), u"Gr10"_s);

    // The report box's Clear empties and hides the box, its button and the path label.
    f.window->setReportText(u"a report"_s);
    f.window->showReport();
    f.window->showCloseReportButton();
    f.window->setCurrentTestLabel(u"/t/a.rug"_s);
    f.click(u"closeReportButton"_s);
    QVERIFY(f.control(u"reportBox"_s)->isHidden());
    QVERIFY(f.control(u"closeReportButton"_s)->isHidden());
    QVERIFY(f.window->reportBox().richDocument().text().isEmpty());
    QCOMPARE(f.text(u"shownFileLabel"_s), QString());
}

void MarkingTest::sessionHoldsControlsBackAndShowsProgress()
{
    WindowFixture f;
    copySampleClass(f);
    f.select({u"Anika Botha.rtf"_s, u"Danie Kruger.rtf"_s, u"Emily Jacobs.rtf"_s});
    QTest::keyClick(f.fileList(), Qt::Key_Insert);

    // At the closing message the session is still under way: the controls wait for it.
    const QStringList held{u"markButton"_s, u"testBox"_s, u"clearTestsButton"_s};
    const QStringList heldActions{u"openMarkedAction"_s, u"openResultsAction"_s};
    auto enabled = [&](const QStringList &widgets, const QStringList &actions) {
        QStringList on;
        for (const QString &name : widgets)
            if (f.control(name)->isEnabled())
                on.append(name);
        for (const QString &name : actions)
            if (f.window->findChild<QAction *>(name)->isEnabled())
                on.append(name);
        return on;
    };
    QStringList enabledDuringSession{u"not asked"_s};
    int progressAtEnd = -1;
    f.dialogs.onMessage = [&](const ScriptedDialogs::Message &) {
        enabledDuringSession = enabled(held, heldActions);
        auto *progress = f.control<QProgressBar>(u"sessionProgress"_s);
        progressAtEnd = progress->isHidden() ? -1 : progress->value();
    };
    f.click(u"markButton"_s);

    QCOMPARE(f.dialogs.messages.size(), 1);
    QCOMPARE(f.dialogs.messages[0].title, u"Done"_s);
    QCOMPARE(enabledDuringSession, QStringList());
    QCOMPARE(progressAtEnd, 3);
    QCOMPARE(enabled(held, heldActions), held + heldActions);
    QVERIFY(f.control(u"sessionProgress"_s)->isHidden());
    QVERIFY(!f.window->reportBox().isHidden());
    QVERIFY(!f.control(u"closeReportButton"_s)->isHidden());
    QCOMPARE(f.window->reportBox().toPlainText().section(QLatin1Char('\n'), 0, 0),
             u"               Marking speed tests in Grade10A"_s);
}

void MarkingTest::closingTheWindowDuringASessionEndsTheProgram()
{
    // Closing ends the whole program at once, so the window runs in a child copy of this test.
    if (qEnvironmentVariableIsSet("TALLIMARK_CLOSING_CHILD")) {
        WindowFixture f;
        copySampleClass(f);
        f.select({u"Anika Botha.rtf"_s, u"Emily Jacobs.rtf"_s});
        QTest::keyClick(f.fileList(), Qt::Key_Insert);
        std::printf("root=%s\n", qPrintable(f.root()));
        std::fflush(stdout);
        // The first events the session lets through, after the first test, close the window.
        QTimer::singleShot(0, f.window.get(), [&] { f.window->close(); });
        f.click(u"markButton"_s);
        QFAIL("the session went on after the window was closed");
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"TALLIMARK_CLOSING_CHILD"_s, u"1"_s);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {u"closingTheWindowDuringASessionEndsTheProgram"_s});
    QVERIFY(child.waitForFinished(60000));
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    const QString root = output.section(u"root="_s, 1).section(QLatin1Char('\n'), 0, 0);
    QVERIFY2(!root.isEmpty(), qPrintable(output));
    const auto removeRoot = qScopeGuard([&] { QDir(root).removeRecursively(); });

    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    // What the first test left is whole; the second was never started.
    const QString destination = root + u"/program/Grade10A"_s;
    QFile results(destination + u"/Resultaat.res"_s);
    QVERIFY(results.open(QIODevice::ReadOnly));
    const QByteArray lines = results.readAll();
    QCOMPARE(lines.count("\r\n"), 1);
    QVERIFY(lines.endsWith("\r\n"));
    QVERIFY(QFileInfo::exists(destination + u"/Anika Botha.rug"_s));
    QVERIFY(!QFileInfo::exists(destination + u"/Emily Jacobs.rug"_s));
}

QTEST_MAIN(MarkingTest)
#include "tst_marking.moc"
