// The window as it opens, its menus, the settings check marks, About and Help, the width rule.
#include "browser/filelist.h"
#include "browser/foldertree.h"
#include "browser/reportbox.h"
#include "windowfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

using namespace tallimark;

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void startStateShowsMemosDestinationAndHiddenControls();
    void missingMemoIsNamedWithItsFolder();
    void menusHaveTheirItemsInOrder();
    void roundingItemsSetRatherThanToggle();
    void aboutAndHelpShowTheirMessages();
    void windowKeepsItsMinimumWidth();
    void destinationNameIsSelectedWhenFocused();
    void startFolderThatDoesNotExistLeavesOnlyRoots();
    void fileListFocusShowsTheDragHint();
    void ctrlXClosesTheWindow();
};

void StartupTest::startStateShowsMemosDestinationAndHiddenControls()
{
    WindowFixture f;
    MainWindow &w = *f.window;
    if (QFileInfo(QDir::homePath()).isDir()) // with no start folder, the home folder is listed
        QCOMPARE(w.windowTitle(), QStringLiteral("Tallimark - ") + QDir::toNativeSeparators(QDir::homePath()));
    QCOMPARE(f.label(QStringLiteral("afrikaansMemoFile"))->text(), QStringLiteral("Bron.rtf"));
    QCOMPARE(f.label(QStringLiteral("englishMemoFile"))->text(), QStringLiteral("Source.rtf"));
    QCOMPARE(f.control<QLineEdit>(QStringLiteral("destinationEdit"))->text(), QStringLiteral("New Folder"));
    QCOMPARE(f.label(QStringLiteral("destinationPath"))->text(), f.programFolder() + QStringLiteral("/New Folder"));
    // The destination path itself is only set by a drag or a session.
    QVERIFY(w.workspace().destFolder.isEmpty());
    // The English memo is loaded last and stays in the memo document.
    RichDocument english;
    QVERIFY(!english.loadFile(f.root() + QStringLiteral("/Source.rtf")).failed());
    QVERIFY(english.length() > 50);
    QCOMPARE(w.workspace().memoDocument.text(), english.text());
    QVERIFY(f.dialogs.messages.isEmpty());

    for (const char *hidden : {"hintLabel", "dragArrow", "reportBox", "closeReportButton", "sessionProgress"})
        QVERIFY2(f.control<QWidget>(QString::fromLatin1(hidden))->isHidden(), hidden);
    for (const char *shown : {"afrikaansMemoCaption", "memoNameHint", "destinationCaption", "foldersCaption", "markButton", "clearTestsButton", "folderTree", "fileList", "testBox", "shownFileLabel"})
        QVERIFY2(!f.control<QWidget>(QString::fromLatin1(shown))->isHidden(), shown);

    auto *mark = f.control<QPushButton>(QStringLiteral("markButton"));
    QCOMPARE(mark->text(), QStringLiteral("Click here to mark speed tests below"));
    QVERIFY(mark->font().bold());
    // 15 twips to a pixel: m_markButton at 9060, 1950, 3855 x 330.
    QCOMPARE(mark->geometry(), QRect(604, 130, 257, 22));
    QCOMPARE(f.control<QWidget>(QStringLiteral("reportBox"))->geometry(), QRect(0, 152, 595, 553));
    QCOMPARE(f.control<QWidget>(QStringLiteral("testBox"))->palette().color(QPalette::Base), QColor(192, 255, 192));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.centralWidget()->size(), QSize(929, 709));
}

void StartupTest::missingMemoIsNamedWithItsFolder()
{
    WindowFixture f({}, false);
    QCOMPARE(f.dialogs.messages.size(), 1);
    const auto &message = f.dialogs.messages.first();
    QCOMPARE(message.title, QStringLiteral("Error"));
    QVERIFY(message.text.contains(QStringLiteral("Bron.rtf")));
    QVERIFY(message.text.contains(QStringLiteral("Source.rtf")));
    QVERIFY(message.text.contains(QDir::toNativeSeparators(f.root())));
    QVERIFY(f.window->workspace().memoDocument.text().isEmpty());
    // The labels keep their captions: they still name the files the memos must be saved as.
    QCOMPARE(f.label(QStringLiteral("afrikaansMemoFile"))->text(), QStringLiteral("Bron.rtf"));
}

void StartupTest::menusHaveTheirItemsInOrder()
{
    WindowFixture f;
    const QList<QAction *> bar = f.window->menuBar()->actions();
    QStringList captions;
    for (QAction *a : bar)
        captions.append(a->text());
    QCOMPARE(captions, (QStringList{QStringLiteral("&File"), QStringLiteral("Settings"), QStringLiteral("About"), QStringLiteral("Help")}));

    QStringList file;
    for (QAction *a : bar.first()->menu()->actions())
        file.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(file, (QStringList{QStringLiteral("Open Marked SpeedTest"), QStringLiteral("Open Results"),
                                QStringLiteral("Save As..."), QStringLiteral("Print"), QStringLiteral("-"),
                                QStringLiteral("E&xit")}));
    QCOMPARE(bar.first()->menu()->actions().last()->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
}

void StartupTest::roundingItemsSetRatherThanToggle()
{
    WindowFixture f;
    auto *integer = f.window->findChild<QAction *>(QStringLiteral("integerResultAction"));
    auto *five = f.window->findChild<QAction *>(QStringLiteral("multipleOf5ResultAction"));
    QVERIFY(!integer->isChecked());
    QVERIFY(five->isChecked());
    QVERIFY(!f.window->resultAsInteger());

    integer->trigger();
    integer->trigger();
    QVERIFY(integer->isChecked());
    QVERIFY(!five->isChecked());
    QVERIFY(f.window->resultAsInteger());

    five->trigger();
    five->trigger();
    QVERIFY(five->isChecked());
    QVERIFY(!integer->isChecked());
    QVERIFY(!f.window->resultAsInteger());
}

void StartupTest::aboutAndHelpShowTheirMessages()
{
    WindowFixture f;
    f.window->findChild<QAction *>(QStringLiteral("aboutAction"))->trigger();
    f.window->findChild<QAction *>(QStringLiteral("helpAction"))->trigger();
    QCOMPARE(f.dialogs.messages.size(), 2);
    QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Tallimark PRO"));
    QCOMPARE(f.dialogs.messages[0].text.count(QLatin1Char('\r')), 1);
    QVERIFY(f.dialogs.messages[0].text.section(QLatin1Char('\r'), 1).startsWith(QStringLiteral("https://")));
    QCOMPARE(f.dialogs.messages[1].title, QStringLiteral("Help"));
    QCOMPARE(f.dialogs.messages[1].text,
             QStringLiteral(" For Help & Instructions, please read 'Afr Tallimark.doc' or 'Eng Tallimark.doc in the current folder."));
}

void StartupTest::windowKeepsItsMinimumWidth()
{
    WindowFixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.window->resize(120, 90);
    QTRY_VERIFY(f.window->frameGeometry().width() >= 200);
    QCOMPARE(f.window->frameGeometry().width(), 200);
    // Height has no limit of its own.
    QVERIFY(f.window->height() < 200);
    f.window->resize(500, 300);
    QTRY_COMPARE(f.window->width(), 500);
}

void StartupTest::destinationNameIsSelectedWhenFocused()
{
    WindowFixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    auto *text1 = f.control<QLineEdit>(QStringLiteral("destinationEdit"));
    text1->setText(QStringLiteral("Grade 10B"));
    text1->deselect();
    QTest::mouseClick(text1, Qt::LeftButton, {}, QPoint(5, 5));
    QTRY_COMPARE(text1->selectedText(), QStringLiteral("Grade 10B"));
    QTest::keyClicks(text1, QStringLiteral("Gr11"));
    QCOMPARE(text1->text(), QStringLiteral("Gr11"));
}

void StartupTest::startFolderThatDoesNotExistLeavesOnlyRoots()
{
    WindowFixture f(QStringLiteral("/no/such/folder/anywhere"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Tallimark 2013"));
    QCOMPARE(f.fileList()->topLevelItemCount(), 0);
    QCOMPARE(f.tree()->topLevelItemCount(), QDir::drives().size());
    QVERIFY(!f.tree()->topLevelItem(0)->isExpanded());
    QVERIFY(FolderTree::isPlaceholder(f.tree()->topLevelItem(0)->child(0)));
    QVERIFY(f.dialogs.messages.isEmpty());
}

void StartupTest::fileListFocusShowsTheDragHint()
{
    WindowFixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QVERIFY(f.label(QStringLiteral("hintLabel"))->isHidden());
    f.fileList()->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!f.label(QStringLiteral("hintLabel"))->isHidden());
    QVERIFY(!f.label(QStringLiteral("dragArrow"))->isHidden());
    // The picture sits beside the hint, not on it.
    QVERIFY(f.label(QStringLiteral("dragArrow"))->x() > f.label(QStringLiteral("hintLabel"))->x());

    // Once the report covers the list, keys no longer go to it.
    f.window->showReport();
    QVERIFY(f.window->reportBox().hasFocus());
    f.control<QWidget>(QStringLiteral("folderTree"))->setFocus();
    f.window->openResults();
    QVERIFY(f.window->reportBox().hasFocus());
    // Nothing hides the hint again.
    QVERIFY(!f.label(QStringLiteral("hintLabel"))->isHidden());
}

void StartupTest::ctrlXClosesTheWindow()
{
    for (const char *focused : {"testBox", "reportBox"}) {
        WindowFixture f;
        f.window->show();
        f.window->showReport();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QWidget *target = f.control<QWidget>(QString::fromLatin1(focused));
        target->setFocus();
        QTest::keyClick(target, Qt::Key_X, Qt::ControlModifier);
        QVERIFY2(!f.window->isVisible(), focused);
    }
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
