// The folder tree and the file list: what a listing shows, how the tree opens, and the clicks.
#include "browser/filelist.h"
#include "browser/foldertree.h"
#include "browser/typeicons.h"
#include "windowfixture.h"

#include <QHeaderView>
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
    void fileListClicks();
    void iconsAreFetchedOncePerType();

private:
    // Class/ with two subfolders (one holding another) and a mix of files.
    static QString makeClass(WindowFixture &f);
};

QString BrowsingTest::makeClass(WindowFixture &f)
{
    f.makeFolder(u"Class/alpha/inner"_s);
    f.makeFolder(u"Class/Zeta"_s, {{u"z.rtf"_s, QByteArray(3000, 'z')}});
    return f.makeFolder(u"Class"_s, {{u"b.rtf"_s, QByteArray()},
                                     {u"a.RTF"_s, QByteArray(2560000, 'a')},
                                     {u"c.doc"_s, QByteArray("doc")},
                                     {u"d.rtfx"_s, QByteArray("rtfx")},
                                     {u"e.txt.rtf"_s, QByteArray(1536, 'e')}});
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
    // Runs from the pending events that the listing lets through.
    bool treeEnabled = true;
    int entriesSoFar = -1;
    QTimer::singleShot(0, f.window.get(), [&] {
        treeEnabled = f.tree()->isEnabled();
        entriesSoFar = f.fileList()->topLevelItemCount();
    });
    f.tree()->showFolder(folder);
    QVERIFY(!treeEnabled);
    QVERIFY(entriesSoFar >= 1 && entriesSoFar < 5);
    QVERIFY(f.tree()->isEnabled());

    QCOMPARE(f.window->windowTitle(), u"Tallimark - "_s + folder);
    QCOMPARE(f.fileListNames(), (QStringList{u"alpha"_s, u"Zeta"_s, u"a.RTF"_s, u"b.rtf"_s, u"e.txt.rtf"_s}));
    FileList *list = f.fileList();
    // Folder entries carry their path as key and a blank size; files carry no key.
    QCOMPARE(FileList::key(list->topLevelItem(0)), folder + u"/alpha"_s);
    QCOMPARE(list->topLevelItem(1)->text(FileList::SizeColumn), u" "_s);
    QVERIFY(!FileList::isFolderEntry(list->topLevelItem(2)));
    QCOMPARE(list->topLevelItem(2)->text(FileList::SizeColumn), u"2,500 KB"_s);
    QVERIFY(!list->topLevelItem(3)->text(FileList::TypeColumn).isEmpty());
    QVERIFY(list->topLevelItem(0)->text(FileList::TypeColumn) != list->topLevelItem(3)->text(FileList::TypeColumn));
}

void BrowsingTest::treeOpensDownToTheFolderAndFillsOnExpansion()
{
    WindowFixture probe;
    const QString folder = makeClass(probe);
    WindowFixture f(folder);
    FolderTree *tree = f.tree();
    QCOMPARE(tree->listedFolder(), folder);
    QTreeWidgetItem *node = tree->node(folder);
    QVERIFY(node);
    QCOMPARE(tree->currentItem(), node);
    // Every level above it was opened; the folder itself is not.
    for (QTreeWidgetItem *up = node->parent(); up; up = up->parent())
        QVERIFY2(up->isExpanded(), qPrintable(FolderTree::key(up)));
    QVERIFY(!node->isExpanded());
    QVERIFY(FolderTree::isPlaceholder(node->child(0)));

    // Written with a closing separator, the folder itself is opened too, and filled once.
    tree->showFolder(folder + QLatin1Char('/'));
    QVERIFY(node->isExpanded());
    node->setExpanded(false);
    node->setExpanded(true);
    QCOMPARE(node->childCount(), 2);
    QTreeWidgetItem *alpha = node->child(0);
    QCOMPARE(FolderTree::key(node->child(1)), folder + u"/Zeta"_s);
    // alpha holds a folder and can be expanded; Zeta holds only a file and cannot.
    QVERIFY(FolderTree::isPlaceholder(alpha->child(0)));
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
    const QString root = QDir::drives().first().absoluteFilePath();
    QSignalSpy listings(f.tree(), &FolderTree::listFolderRequested);
    f.tree()->showFolder(root);
    f.tree()->showFolder(root);
    QCOMPARE(listings.size(), 2);
    QCOMPARE(f.tree()->currentItem(), f.tree()->topLevelItem(0));
    // Any other folder is listed only when it changes.
    const QString folder = makeClass(f);
    f.tree()->showFolder(folder);
    f.tree()->showFolder(folder);
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

void BrowsingTest::iconsAreFetchedOncePerType()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    TypeIcons icons;
    auto fetch = [&](const QString &name, const QString &typeOf) {
        icons.icon(QFileInfo(folder + name), icons.typeName(QFileInfo(folder + typeOf)));
    };
    for (const QString &name : {u"/a.RTF"_s, u"/b.rtf"_s, u"/e.txt.rtf"_s})
        fetch(name, name);
    QCOMPARE(icons.fetchCount(), 1);
    fetch(u"/alpha"_s, u"/alpha"_s);
    fetch(u"/Zeta"_s, u"/alpha"_s);
    QCOMPARE(icons.fetchCount(), 2);

    // Programs have icons of their own, so each is fetched.
    QFile script(folder + u"/run.sh"_s);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    fetch(u"/run.sh"_s, u"/run.sh"_s);
    fetch(u"/run.sh"_s, u"/run.sh"_s);
    QCOMPARE(icons.fetchCount(), 4);
}

QTEST_MAIN(BrowsingTest)
#include "tst_browsing.moc"
