// The folder tree and the file list: what a listing shows, how the tree opens, and the clicks.
#include "browser/filelist.h"
#include "browser/foldertree.h"
#include "windowfixture.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QtTest>

using namespace tallimark;
using namespace Qt::StringLiterals;

class BrowsingTest : public QObject
{
    Q_OBJECT

private slots:
    void sizeText_data();
    void sizeText();
    void listingShowsFoldersThenOnlyRtfFiles();
    void treeOpensDownToTheFolderAndFillsOnExpansion();
    void foldersTheTreeCannotShowChangeNothing();
    void rootIsListedAgainEvenWhenUnchanged();
    void rightClickOnNodeSelectsWithoutListing();
    void arrowKeysListWhereTheSelectionRests();
    void startFolderNodeIsWhollyInView();
    void fileListClicks();

private:
    // Class/ with two subfolders (one holding another) and a mix of files.
    static QString makeClass(WindowFixture &f);
};

QString BrowsingTest::makeClass(WindowFixture &f)
{
    f.makeFolder(u"Class/alpha/inner"_s);
    f.makeFolder(u"Class/Zeta"_s, {{u"z.rtf"_s, QByteArray(3000, 'z')}});
    return f.makeFolder(u"Class"_s, {{u"b.rtf"_s, {}}, {u"a.RTF"_s, QByteArray(2560000, 'a')}, {u"c.doc"_s, "doc"},
                                     {u"d.rtfx"_s, "rtfx"}, {u"e.txt.rtf"_s, QByteArray(1536, 'e')}});
}

void BrowsingTest::sizeText_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << qint64(0) << u"0 KB"_s;
    QTest::newRow("rounds up") << qint64(1023) << u"1 KB"_s;
    QTest::newRow("half rounds up") << qint64(1536) << u"2 KB"_s;
    QTest::newRow("no separator") << qint64(1024 * 999) << u"999 KB"_s;
    QTest::newRow("thousands") << qint64(1024 * 1000) << u"1,000 KB"_s;
    QTest::newRow("millions") << qint64(1024) * 1234567 << u"1,234,567 KB"_s;
}

void BrowsingTest::sizeText()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, shown);
    QCOMPARE(FileList::sizeText(bytes), shown);
}

void BrowsingTest::listingShowsFoldersThenOnlyRtfFiles()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    // Runs from the pending events that the listing lets through first: the list is empty then.
    bool treeEnabled = true;
    int entriesSoFar = -1;
    QTimer::singleShot(0, f.window.get(), [&] {
        treeEnabled = f.tree()->isEnabled();
        entriesSoFar = f.fileList()->topLevelItemCount();
    });
    f.tree()->showFolder(folder);
    QVERIFY(!treeEnabled);
    QCOMPARE(entriesSoFar, 0);
    QVERIFY(f.tree()->isEnabled());

    QCOMPARE(f.window->windowTitle(), u"Tallimark - "_s + folder);
    QCOMPARE(f.fileListNames(), (QStringList{u"alpha"_s, u"Zeta"_s, u"a.RTF"_s, u"b.rtf"_s, u"e.txt.rtf"_s}));
    auto shown = [&](int row, int column) { return f.fileList()->topLevelItem(row)->text(column); };
    QCOMPARE(shown(1, FileList::SizeColumn), u" "_s); // folders show no size
    QCOMPARE(shown(2, FileList::SizeColumn), u"2,500 KB"_s);
    // Files and folders say what they are.
    QVERIFY(!shown(3, FileList::TypeColumn).isEmpty());
    QVERIFY(shown(0, FileList::TypeColumn) != shown(3, FileList::TypeColumn));
}

void BrowsingTest::treeOpensDownToTheFolderAndFillsOnExpansion()
{
    WindowFixture probe;
    const QString folder = makeClass(probe);
    WindowFixture f(folder);
    FolderTree *tree = f.tree();
    QTreeWidgetItem *node = tree->node(folder);
    QVERIFY(node);
    QCOMPARE(tree->currentItem(), node);
    // Every level above it was opened; the folder itself is not, and is filled only when opened.
    for (QTreeWidgetItem *up = node->parent(); up; up = up->parent())
        QVERIFY2(up->isExpanded(), qPrintable(FolderTree::key(up)));
    QVERIFY(!node->isExpanded() && FolderTree::isPlaceholder(node->child(0)));

    // Written with a closing separator, the folder itself is opened too, and filled once.
    tree->showFolder(folder + QLatin1Char('/'));
    QVERIFY(node->isExpanded());
    node->setExpanded(false);
    node->setExpanded(true);
    QCOMPARE(node->childCount(), 2);
    // alpha holds a folder and can be expanded; Zeta holds only a file and cannot.
    QTreeWidgetItem *alpha = node->child(0);
    QCOMPARE(node->child(1)->text(0), u"Zeta"_s);
    QCOMPARE(node->child(1)->childCount(), 0);
    alpha->setExpanded(true);
    QCOMPARE(alpha->child(0)->text(0), u"inner"_s);
    alpha->child(0)->setExpanded(true);
    QVERIFY(!alpha->child(0)->isExpanded());
}

void BrowsingTest::foldersTheTreeCannotShowChangeNothing()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    f.tree()->showFolder(folder);
    const QString title = f.window->windowTitle();
    const int nodes = f.tree()->node(folder)->parent()->childCount();

    f.tree()->showFolder(folder + u"/missing/deeper"_s);
    QCOMPARE(f.window->windowTitle(), title);
    QCOMPARE(f.tree()->node(folder)->parent()->childCount(), nodes);
    // More than 20 levels is beyond what the tree opens, even when the folder exists.
    f.tree()->showFolder(f.makeFolder(u"Class/alpha"_s + u"/d"_s.repeated(20)));
    QCOMPARE(f.tree()->listedFolder(), folder);
    QVERIFY(f.dialogs.messages.isEmpty());
}

void BrowsingTest::rootIsListedAgainEvenWhenUnchanged()
{
    WindowFixture f;
    QSignalSpy listings(f.tree(), &FolderTree::listFolderRequested);
    for (const QString &folder : {QDir::drives().first().absoluteFilePath(), makeClass(f)}) {
        f.tree()->showFolder(folder);
        f.tree()->showFolder(folder);
    }
    // Any other folder is listed only when it changes.
    QCOMPARE(listings.size(), 3);
}

void BrowsingTest::rightClickOnNodeSelectsWithoutListing()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    f.showAndWait();
    f.tree()->showFolder(folder + QLatin1Char('/'));
    QTreeWidgetItem *zeta = f.tree()->node(folder + u"/Zeta"_s);
    f.tree()->scrollToItem(zeta);
    const QPoint at(f.tree()->visualItemRect(zeta).left() + 8, f.tree()->visualItemRect(zeta).center().y());
    QTest::mouseClick(f.tree()->viewport(), Qt::RightButton, {}, at);
    QCOMPARE(f.tree()->currentItem(), zeta);
    QCOMPARE(f.tree()->listedFolder(), folder);

    QTest::qWait(QApplication::doubleClickInterval() + 50); // not a double click
    QTest::mouseClick(f.tree()->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(f.fileListNames(), QStringList{u"z.rtf"_s});
    QCOMPARE(f.window->windowTitle(), u"Tallimark - "_s + folder + u"/Zeta"_s);
}

void BrowsingTest::arrowKeysListWhereTheSelectionRests()
{
    WindowFixture probe;
    const QString folder = makeClass(probe);
    WindowFixture f(folder + u'/');
    f.showAndWait();
    FolderTree *tree = f.tree();
    tree->setFocus();
    QSignalSpy listed(tree, &FolderTree::listFolderRequested);
    // Moving on before the pause is over lists only the node the selection ends on.
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(FolderTree::key(tree->currentItem()), folder + u"/alpha"_s);
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(tree->listedFolder(), folder);
    QTRY_COMPARE(tree->listedFolder(), folder + u"/Zeta"_s);
    QCOMPARE(listed.size(), 1);
    QCOMPARE(f.fileListNames(), QStringList{u"z.rtf"_s});
    // The listing disabled the tree for a while; the teacher's keys still work it afterwards.
    QVERIFY(tree->hasFocus());
    QTest::keyClick(tree, Qt::Key_Up);
    QTRY_COMPARE(tree->listedFolder(), folder + u"/alpha"_s);
    QVERIFY(tree->hasFocus());
}

void BrowsingTest::startFolderNodeIsWhollyInView()
{
    WindowFixture probe;
    // Enough folders above it that the tree must scroll down to the start folder.
    for (int k = 0; k < 60; ++k)
        probe.makeFolder(u"Classes/Grade%1"_s.arg(k, 2, 10, QLatin1Char('0')));
    const QString folder = probe.makeFolder(u"Classes/Grade99"_s);
    WindowFixture f(folder, true, true);
    FolderTree *tree = f.tree();
    QTest::qWait(100); // the tree's pending layout, which may bring a horizontal scroll bar
    const QRect node = tree->visualItemRect(tree->node(folder));
    QVERIFY(tree->verticalScrollBar()->value() > 0);
    // Whole, and still whole if the view loses a scroll bar's height at the bottom.
    const int margin = tree->horizontalScrollBar()->sizeHint().height();
    QVERIFY2(node.top() >= 0 && node.bottom() + margin <= tree->viewport()->rect().bottom(), qPrintable(QDebug::toString(node)));
}

void BrowsingTest::fileListClicks()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    f.showAndWait();
    f.tree()->showFolder(folder);
    FileList *list = f.fileList();
    QWidget *view = list->viewport();
    auto centreOf = [list](int row) { return list->visualItemRect(list->topLevelItem(row)).center(); };

    // Sorting by a header is a one-shot; sizes sort as text, the folders' blanks first.
    const int sizeX = list->header()->sectionViewportPosition(FileList::SizeColumn) + 5;
    QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, {}, QPoint(sizeX, 5));
    QCOMPARE(f.fileListNames().mid(2), (QStringList{u"b.rtf"_s, u"e.txt.rtf"_s, u"a.RTF"_s}));

    // A right click on a file does nothing; on a folder it lists again with folder sizes.
    QTest::mouseClick(view, Qt::RightButton, {}, centreOf(4));
    QCOMPARE(list->topLevelItem(1)->text(FileList::SizeColumn), u" "_s);
    QTest::mouseClick(view, Qt::RightButton, {}, centreOf(0));
    QCOMPARE(f.fileListNames().first(), u"alpha"_s);
    QCOMPARE(list->topLevelItem(0)->text(FileList::SizeColumn), u"0 KB"_s);
    QCOMPARE(list->topLevelItem(1)->text(FileList::SizeColumn), u"3 KB"_s);

    // A double click opens a folder entry, and nothing else.
    QTest::mouseDClick(view, Qt::LeftButton, {}, centreOf(3));
    QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(5, view->height() - 5));
    QCOMPARE(f.tree()->listedFolder(), folder);
    QTest::mouseDClick(view, Qt::LeftButton, {}, centreOf(0));
    QCOMPARE(f.fileListNames(), QStringList{u"inner"_s});
    QCOMPARE(f.tree()->currentItem(), f.tree()->node(folder + u"/alpha"_s));
}

QTEST_MAIN(BrowsingTest)
#include "tst_browsing.moc"
