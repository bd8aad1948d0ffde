// Filling the test box: drops from the file list and from outside, the destination derived at
// the end of a drag, the keyboard way, Delete and the two Clear buttons.
#include "browser/filelist.h"
#include "browser/foldertree.h"
#include "browser/reportbox.h"
#include "browser/testbox.h"
#include "windowfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

using namespace tallimark;

class TestBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void dropFromFileListAppendsSelectionInListOrder();
    void dragEndDerivesDestinationFromFirstTest();
    void insertKeyAddsLikeADrag();
    void dropFromOutsideAddsTheDroppedFiles();
    void deleteRemovesOnlyTheSelectedEntry();
    void clearButtonsEmptyTheirBoxes();

private:
    static QString makeClass(WindowFixture &f, const QString &name);
    // Sends a drop carrying the file list's drag data onto the test box, then ends the drag.
    static void dragSelectionToTestBox(WindowFixture &f);
};

QString TestBoxTest::makeClass(WindowFixture &f, const QString &name)
{
    f.makeFolder(name + QStringLiteral("/Sub"));
    return f.makeFolder(name, {{QStringLiteral("Anna.rtf"), rtfOf(QStringLiteral("a"))},
                               {QStringLiteral("Ben.rtf"), rtfOf(QStringLiteral("b"))},
                               {QStringLiteral("Cara.rtf"), rtfOf(QStringLiteral("c"))},
                               {QStringLiteral("Dirk.rtf"), rtfOf(QStringLiteral("d"))}});
}

void TestBoxTest::dragSelectionToTestBox(WindowFixture &f)
{
    QMimeData data;
    data.setData(FileList::selectionMimeType(), f.fileList()->folder().toUtf8());
    QWidget *target = f.testBox()->viewport();
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
    f.window->finishFileListDrag();
}

void TestBoxTest::dropFromFileListAppendsSelectionInListOrder()
{
    WindowFixture f;
    const QString folder = makeClass(f, QStringLiteral("Gr10"));
    f.tree()->showFolder(folder);
    // Selected last-first; the box takes them in the list's order.
    f.select({QStringLiteral("Dirk.rtf"), QStringLiteral("Ben.rtf"), QStringLiteral("Sub")});
    dragSelectionToTestBox(f);
    const QStringList once{folder + QStringLiteral("/Sub"), folder + QStringLiteral("/Ben.rtf"),
                           folder + QStringLiteral("/Dirk.rtf")};
    QCOMPARE(f.testBox()->tests(), once);
    QVERIFY(f.fileList()->selectedItems().isEmpty());

    f.select({QStringLiteral("Dirk.rtf"), QStringLiteral("Ben.rtf"), QStringLiteral("Sub")});
    dragSelectionToTestBox(f);
    QCOMPARE(f.testBox()->tests(), once + once);
    QCOMPARE(f.window->tests(), once + once);

    // Nothing selected: nothing added.
    dragSelectionToTestBox(f);
    QCOMPARE(f.testBox()->count(), 6);
}

void TestBoxTest::dragEndDerivesDestinationFromFirstTest()
{
    WindowFixture f;
    auto *text1 = f.control<QLineEdit>(QStringLiteral("destinationEdit"));
    // A drag ending with an empty box changes nothing.
    f.window->finishFileListDrag();
    QCOMPARE(text1->text(), QStringLiteral("New Folder"));
    QVERIFY(f.window->workspace().destFolder.isEmpty());

    const QString first = makeClass(f, QStringLiteral("Gr10"));
    const QString second = makeClass(f, QStringLiteral("Gr11"));
    f.tree()->showFolder(first);
    f.select({QStringLiteral("Cara.rtf")});
    dragSelectionToTestBox(f);
    QCOMPARE(text1->text(), QStringLiteral("Gr10"));
    QCOMPARE(f.window->workspace().destFolder, f.programFolder() + QStringLiteral("/Gr10"));
    QCOMPARE(f.label(QStringLiteral("destinationPath"))->text(), f.programFolder() + QStringLiteral("/Gr10"));

    // The first test decides, not the last drag.
    f.tree()->showFolder(second);
    f.select({QStringLiteral("Anna.rtf")});
    dragSelectionToTestBox(f);
    QCOMPARE(text1->text(), QStringLiteral("Gr10"));
    QCOMPARE(f.testBox()->count(), 2);

    // An edited name stays until the next drag ends.
    text1->setText(QStringLiteral("Mine"));
    QCOMPARE(f.label(QStringLiteral("destinationPath"))->text(), f.programFolder() + QStringLiteral("/Gr10"));
    f.window->finishFileListDrag();
    QCOMPARE(text1->text(), QStringLiteral("Gr10"));
}

void TestBoxTest::insertKeyAddsLikeADrag()
{
    WindowFixture f;
    const QString folder = makeClass(f, QStringLiteral("Gr12"));
    f.tree()->showFolder(folder);
    f.select({QStringLiteral("Anna.rtf"), QStringLiteral("Cara.rtf")});
    QTest::keyClick(f.fileList(), Qt::Key_Insert);
    QCOMPARE(f.testBox()->tests(), (QStringList{folder + QStringLiteral("/Anna.rtf"), folder + QStringLiteral("/Cara.rtf")}));
    QVERIFY(f.fileList()->selectedItems().isEmpty());
    QCOMPARE(f.control<QLineEdit>(QStringLiteral("destinationEdit"))->text(), QStringLiteral("Gr12"));

    f.select({QStringLiteral("Ben.rtf")});
    QTest::keyClick(f.fileList(), Qt::Key_Return);
    QCOMPARE(f.testBox()->count(), 3);
    QCOMPARE(f.testBox()->tests().last(), folder + QStringLiteral("/Ben.rtf"));
}

void TestBoxTest::dropFromOutsideAddsTheDroppedFiles()
{
    WindowFixture f;
    const QString listed = makeClass(f, QStringLiteral("Listed"));
    const QString elsewhere = makeClass(f, QStringLiteral("Elsewhere"));
    f.tree()->showFolder(listed);
    f.select({QStringLiteral("Anna.rtf")});

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(elsewhere + QStringLiteral("/Dirk.rtf")),
                  QUrl::fromLocalFile(elsewhere + QStringLiteral("/Ben.rtf")),
                  QUrl(QStringLiteral("https://example.org/remote.rtf"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(f.testBox()->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(f.testBox()->viewport(), &drop);
    QCOMPARE(f.testBox()->tests(), (QStringList{elsewhere + QStringLiteral("/Dirk.rtf"), elsewhere + QStringLiteral("/Ben.rtf")}));
    // The file list's selection was not used, nor cleared.
    QCOMPARE(f.fileList()->selectedItems().size(), 1);

    QMimeData text;
    text.setText(QStringLiteral("just words"));
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
    QCoreApplication::sendEvent(f.testBox()->viewport(), &refused);
    QVERIFY(!refused.isAccepted());
}

void TestBoxTest::deleteRemovesOnlyTheSelectedEntry()
{
    WindowFixture f;
    TestBox *box = f.testBox();
    box->appendTests({QStringLiteral("/t/a.rtf"), QStringLiteral("/t/b.rtf"), QStringLiteral("/t/c.rtf")});
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->count(), 3);

    box->item(1)->setSelected(true);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->tests(), (QStringList{QStringLiteral("/t/a.rtf"), QStringLiteral("/t/c.rtf")}));
    QVERIFY(box->selectedItems().isEmpty());
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->count(), 2);
}

void TestBoxTest::clearButtonsEmptyTheirBoxes()
{
    WindowFixture f;
    const QString folder = makeClass(f, QStringLiteral("Gr10"));
    f.tree()->showFolder(folder);
    f.select({QStringLiteral("Anna.rtf")});
    dragSelectionToTestBox(f);
    const QString preview = f.label(QStringLiteral("destinationPath"))->text();

    f.control<QPushButton>(QStringLiteral("clearTestsButton"))->click();
    QCOMPARE(f.testBox()->count(), 0);
    QCOMPARE(f.label(QStringLiteral("destinationPath"))->text(), preview);
    QCOMPARE(f.control<QLineEdit>(QStringLiteral("destinationEdit"))->text(), QStringLiteral("Gr10"));

    // The report box's Clear empties and hides the box, its button and the path label.
    f.window->setReportText(QStringLiteral("a report"));
    f.window->showReport();
    f.window->showCloseReportButton();
    f.window->setCurrentTestLabel(QStringLiteral("/t/a.rug"));
    auto *close = f.control<QPushButton>(QStringLiteral("closeReportButton"));
    close->click();
    QVERIFY(f.control<QWidget>(QStringLiteral("reportBox"))->isHidden());
    QVERIFY(close->isHidden());
    QVERIFY(f.window->reportBox().richDocument().text().isEmpty());
    QCOMPARE(f.label(QStringLiteral("shownFileLabel"))->text(), QString());
}

QTEST_MAIN(TestBoxTest)
#include "tst_testbox.moc"
