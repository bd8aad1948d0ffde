// The folder tree and the file list: what a listing shows, how the tree opens, and the clicks.
#include "browser/filelist.h"
#include "browser/foldertree.h"
#include "browser/typeicons.h"
#include "windowfixture.h"

#include <QHeaderView>
#include <QtTest>

using namespace tallimark;

class BrowsingTest : public QObject
{
    Q_OBJECT

private slots:
    void listingShowsFoldersThenOnlyRtfFiles();
    void sizesUseKilobytesWithThousandsSeparator();
    void treeWaitsWhileTheWindowRepaintsDuringAListing();
    void treeOpensDownToTheStartFolder();
    void expandingFillsOnceAndDropsEmptyExpandButtons();
    void setTreePathOfMissingFolderChangesNothing();
    void rootIsListedAgainEvenWhenUnchanged();
    void rightClickOnNodeSelectsWithoutListing();
    void doubleClickOpensFolderEntriesOnly();
    void rightClickOnFolderEntryShowsFolderSizes();
    void headerClickSortsOnce();
    void iconsAreFetchedOncePerType();

private:
    // Class/ with two subfolders (one holding another) and a mix of files.
    static QString makeClass(WindowFixture &f);
    static void showAndWait(WindowFixture &f);
};

QString BrowsingTest::makeClass(WindowFixture &f)
{
    f.makeFolder(QStringLiteral("Class/alpha/inner"));
    f.makeFolder(QStringLiteral("Class/Zeta"), {{QStringLiteral("z.rtf"), QByteArray(3000, 'z')}});
    return f.makeFolder(QStringLiteral("Class"), {
        {QStringLiteral("b.rtf"), QByteArray()},
        {QStringLiteral("a.RTF"), QByteArray(2560000, 'a')},
        {QStringLiteral("c.doc"), QByteArray("doc")},
        {QStringLiteral("d.rtfx"), QByteArray("rtfx")},
        {QStringLiteral("e.txt.rtf"), QByteArray(1536, 'e')},
    });
}

void BrowsingTest::showAndWait(WindowFixture &f)
{
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
}

void BrowsingTest::listingShowsFoldersThenOnlyRtfFiles()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    f.tree()->showFolder(folder);

    QCOMPARE(f.window->windowTitle(), QStringLiteral("Tallimark - ") + folder);
    QCOMPARE(f.fileListNames(), (QStringList{QStringLiteral("alpha"), QStringLiteral("Zeta"), QStringLiteral("a.RTF"),
                                             QStringLiteral("b.rtf"), QStringLiteral("e.txt.rtf")}));
    FileList *list = f.fileList();
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Name"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Size"));
    QCOMPARE(list->headerItem()->text(2), QStringLiteral("Type"));
    // Folder entries carry their path as key and a blank size; files carry no key.
    QCOMPARE(FileList::key(list->topLevelItem(0)), folder + QStringLiteral("/alpha"));
    QCOMPARE(list->topLevelItem(1)->text(FileList::SizeColumn), QStringLiteral(" "));
    QVERIFY(!FileList::isFolderEntry(list->topLevelItem(2)));
    QCOMPARE(list->topLevelItem(2)->text(FileList::SizeColumn), QStringLiteral("2,500 KB"));
    QCOMPARE(list->topLevelItem(3)->text(FileList::SizeColumn), QStringLiteral("0 KB"));
    QCOMPARE(list->topLevelItem(4)->text(FileList::SizeColumn), QStringLiteral("2 KB")); // 1.5 KB
    QVERIFY(!list->topLevelItem(3)->text(FileList::TypeColumn).isEmpty());
    QVERIFY(list->topLevelItem(0)->text(FileList::TypeColumn) != list->topLevelItem(3)->text(FileList::TypeColumn));
    QVERIFY(f.tree()->isEnabled());
}

void BrowsingTest::sizesUseKilobytesWithThousandsSeparator()
{
    QCOMPARE(FileList::sizeText(0), QStringLiteral("0 KB"));
    QCOMPARE(FileList::sizeText(1023), QStringLiteral("1 KB"));
    QCOMPARE(FileList::sizeText(1024 * 999), QStringLiteral("999 KB"));
    QCOMPARE(FileList::sizeText(1024 * 1000), QStringLiteral("1,000 KB"));
    QCOMPARE(FileList::sizeText(qint64(1024) * 1234567), QStringLiteral("1,234,567 KB"));
}

void BrowsingTest::treeWaitsWhileTheWindowRepaintsDuringAListing()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    // Runs from the pending events that the listing lets through.
    bool ranDuringListing = false;
    bool treeEnabled = true;
    int entriesSoFar = -1;
    QTimer::singleShot(0, f.window.get(), [&] {
        ranDuringListing = true;
        treeEnabled = f.tree()->isEnabled();
        entriesSoFar = f.fileList()->topLevelItemCount();
    });
    f.tree()->showFolder(folder);
    QVERIFY(ranDuringListing);
    QVERIFY(!treeEnabled);
    QVERIFY(entriesSoFar >= 1 && entriesSoFar < 5);
    QVERIFY(f.tree()->isEnabled());
}

void BrowsingTest::treeOpensDownToTheStartFolder()
{
    WindowFixture probe;
    const QString folder = makeClass(probe);
    WindowFixture f(folder);
    FolderTree *tree = f.tree();
    QCOMPARE(tree->listedFolder(), folder);
    QTreeWidgetItem *node = tree->node(folder);
    QVERIFY(node);
    QCOMPARE(tree->currentItem(), node);
    QCOMPARE(node->text(0), QStringLiteral("Class"));
    // Every level above it was opened; the folder itself is not.
    for (QTreeWidgetItem *up = node->parent(); up; up = up->parent())
        QVERIFY2(up->isExpanded(), qPrintable(FolderTree::key(up)));
    QVERIFY(!node->isExpanded());
    QCOMPARE(f.fileListNames().size(), 5);

    // Written with a closing separator, the folder itself is opened too.
    tree->showFolder(folder + QLatin1Char('/'));
    QVERIFY(node->isExpanded());
    QCOMPARE(node->childCount(), 2);
}

void BrowsingTest::expandingFillsOnceAndDropsEmptyExpandButtons()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    f.tree()->showFolder(folder);
    QTreeWidgetItem *node = f.tree()->node(folder);
    QVERIFY(FolderTree::isPlaceholder(node->child(0)));
    node->setExpanded(true);
    QCOMPARE(node->childCount(), 2);
    QTreeWidgetItem *alpha = node->child(0);
    QTreeWidgetItem *zeta = node->child(1);
    QCOMPARE(alpha->text(0), QStringLiteral("alpha"));
    QCOMPARE(FolderTree::key(zeta), folder + QStringLiteral("/Zeta"));
    // alpha holds a folder and can be expanded; Zeta holds only a file and cannot.
    QCOMPARE(alpha->childCount(), 1);
    QVERIFY(FolderTree::isPlaceholder(alpha->child(0)));
    QCOMPARE(zeta->childCount(), 0);

    node->setExpanded(false);
    node->setExpanded(true);
    QCOMPARE(node->childCount(), 2);

    alpha->setExpanded(true);
    QCOMPARE(alpha->childCount(), 1);
    QCOMPARE(alpha->child(0)->text(0), QStringLiteral("inner"));
    QCOMPARE(alpha->child(0)->childCount(), 0);
    alpha->child(0)->setExpanded(true);
    QVERIFY(!alpha->child(0)->isExpanded());
}

void BrowsingTest::setTreePathOfMissingFolderChangesNothing()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    f.tree()->showFolder(folder);
    const QString title = f.window->windowTitle();
    const int nodes = f.tree()->node(folder)->parent()->childCount();

    f.tree()->showFolder(folder + QStringLiteral("/missing/deeper"));
    QCOMPARE(f.window->windowTitle(), title);
    QCOMPARE(f.tree()->listedFolder(), folder);
    QCOMPARE(f.tree()->node(folder)->parent()->childCount(), nodes);

    // More than 20 levels is beyond what the tree opens, even when the folder exists.
    QString deep = QStringLiteral("Class/alpha");
    for (int i = 0; i < 20; ++i)
        deep += QStringLiteral("/d");
    const QString deepPath = f.makeFolder(deep);
    f.tree()->showFolder(deepPath);
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
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Tallimark - ") + QDir::toNativeSeparators(root));
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
    showAndWait(f);
    f.tree()->showFolder(folder + QLatin1Char('/'));
    QTreeWidgetItem *zeta = f.tree()->node(folder + QStringLiteral("/Zeta"));
    QVERIFY(zeta);
    QWidget *viewport = f.tree()->viewport();
    f.tree()->scrollToItem(zeta);
    const QRect row = f.tree()->visualItemRect(zeta);
    const QPoint at(row.left() + 8, row.center().y());
    QCOMPARE(f.tree()->itemAt(at), zeta);

    QTest::mouseClick(viewport, Qt::RightButton, {}, at);
    QCOMPARE(f.tree()->currentItem(), zeta);
    QCOMPARE(f.tree()->listedFolder(), folder);

    // Far enough apart not to make a double click.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QCOMPARE(f.tree()->listedFolder(), folder + QStringLiteral("/Zeta"));
    QCOMPARE(f.fileListNames(), QStringList{QStringLiteral("z.rtf")});
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Tallimark - ") + folder + QStringLiteral("/Zeta"));
}

void BrowsingTest::doubleClickOpensFolderEntriesOnly()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    showAndWait(f);
    f.tree()->showFolder(folder);
    FileList *list = f.fileList();

    const QPoint onFile = list->visualItemRect(list->topLevelItem(3)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, onFile);
    QCOMPARE(f.tree()->listedFolder(), folder);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 5));
    QCOMPARE(f.tree()->listedFolder(), folder);

    const QPoint onAlpha = list->visualItemRect(list->topLevelItem(0)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, onAlpha);
    QCOMPARE(f.tree()->listedFolder(), folder + QStringLiteral("/alpha"));
    QCOMPARE(f.fileListNames(), QStringList{QStringLiteral("inner")});
    QCOMPARE(f.tree()->currentItem(), f.tree()->node(folder + QStringLiteral("/alpha")));
}

void BrowsingTest::rightClickOnFolderEntryShowsFolderSizes()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    showAndWait(f);
    f.tree()->showFolder(folder);
    FileList *list = f.fileList();

    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->visualItemRect(list->topLevelItem(3)).center());
    QCOMPARE(list->topLevelItem(1)->text(FileList::SizeColumn), QStringLiteral(" "));

    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
    // The current folder is listed again: alpha holds nothing but a folder, Zeta 3000 bytes.
    QCOMPARE(f.tree()->listedFolder(), folder);
    QCOMPARE(f.fileListNames().size(), 5);
    QCOMPARE(list->topLevelItem(0)->text(FileList::SizeColumn), QStringLiteral("0 KB"));
    QCOMPARE(list->topLevelItem(1)->text(FileList::SizeColumn), QStringLiteral("3 KB"));
}

void BrowsingTest::headerClickSortsOnce()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    showAndWait(f);
    f.tree()->showFolder(folder);
    QHeaderView *header = f.fileList()->header();
    const int sizeX = header->sectionViewportPosition(FileList::SizeColumn) + 5;

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(sizeX, 5));
    const QStringList once = f.fileListNames();
    // Sizes sort as text: the folders' blanks first, then "0 KB", "2 KB", "2,500 KB".
    QCOMPARE(once.mid(2), (QStringList{QStringLiteral("b.rtf"), QStringLiteral("e.txt.rtf"), QStringLiteral("a.RTF")}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(sizeX, 5));
    QCOMPARE(f.fileListNames(), once);

    // A new listing comes in its own order again.
    f.fileList()->topLevelItem(0)->setSelected(true);
    QTest::mouseClick(f.fileList()->viewport(), Qt::RightButton, {},
                      f.fileList()->visualItemRect(f.fileList()->topLevelItem(0)).center());
    QCOMPARE(f.fileListNames().first(), QStringLiteral("alpha"));
}

void BrowsingTest::iconsAreFetchedOncePerType()
{
    WindowFixture f;
    const QString folder = makeClass(f);
    TypeIcons icons;
    for (const QString &name : {QStringLiteral("a.RTF"), QStringLiteral("b.rtf"), QStringLiteral("e.txt.rtf")}) {
        const QFileInfo file(folder + QLatin1Char('/') + name);
        icons.icon(file, icons.typeName(file));
    }
    QCOMPARE(icons.fetchCount(), 1);
    const QFileInfo sub(folder + QStringLiteral("/alpha"));
    icons.icon(sub, icons.typeName(sub));
    icons.icon(QFileInfo(folder + QStringLiteral("/Zeta")), icons.typeName(sub));
    QCOMPARE(icons.fetchCount(), 2);

    // Programs have icons of their own, so each is fetched.
    const QString program = folder + QStringLiteral("/run.sh");
    QFile script(program);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    icons.icon(QFileInfo(program), icons.typeName(QFileInfo(program)));
    icons.icon(QFileInfo(program), icons.typeName(QFileInfo(program)));
    QCOMPARE(icons.fetchCount(), 4);
}

QTEST_MAIN(BrowsingTest)
#include "tst_browsing.moc"
