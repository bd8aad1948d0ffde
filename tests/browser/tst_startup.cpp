// The window as it opens, its menus and settings, About and Help, the width rule and the keys.
#include "browser/filelist.h"
#include "browser/foldertree.h"
#include "browser/reportbox.h"
#include "windowfixture.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QtTest>

using namespace tallimark;
using namespace Qt::StringLiterals;

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void startStateShowsMemosDestinationAndHiddenControls();
    void missingMemosAreNamedWithTheirFolder();
    void menusAndTheirMessages();
    void windowKeepsItsMinimumWidth();
    void destinationNameIsSelectedWhenFocused();
    void startFolderThatDoesNotExistLeavesOnlyRoots();
    void fileListFocusShowsTheDragHint();
    void ctrlXClosesTheWindow();
};

void StartupTest::startStateShowsMemosDestinationAndHiddenControls()
{
    WindowFixture f;
    if (QFileInfo(QDir::homePath()).isDir()) // with no start folder, the home folder is listed
        QCOMPARE(f.window->windowTitle(), u"Tallimark - "_s + QDir::toNativeSeparators(QDir::homePath()));
    QCOMPARE(f.text(u"afrikaansMemoFile"_s), u"Bron.rtf"_s);
    QCOMPARE(f.text(u"englishMemoFile"_s), u"Source.rtf"_s);
    QCOMPARE(f.text(u"destinationEdit"_s), u"New Folder"_s);
    QCOMPARE(f.text(u"destinationPath"_s), f.programFolder() + u"/New Folder"_s);
    // The destination path itself is only set by a drag or a session.
    QVERIFY(f.window->workspace().destFolder.isEmpty());
    // The English memo is loaded last and stays in the memo document.
    RichDocument english;
    QVERIFY(!english.loadFile(f.root() + u"/Source.rtf"_s).failed());
    QCOMPARE(f.window->workspace().memoDocument.text(), english.text());
    QVERIFY(f.dialogs.messages.isEmpty());

    for (const char *hidden : {"hintLabel", "dragArrow", "reportBox", "closeReportButton", "sessionProgress"})
        QVERIFY2(f.control(QString::fromLatin1(hidden))->isHidden(), hidden);
    for (const char *shown : {"afrikaansMemoCaption", "memoNameHint", "destinationCaption", "foldersCaption",
                              "markButton", "clearTestsButton", "folderTree", "fileList", "testBox", "shownFileLabel"})
        QVERIFY2(!f.control(QString::fromLatin1(shown))->isHidden(), shown);
}

void StartupTest::missingMemosAreNamedWithTheirFolder()
{
    WindowFixture f({}, false);
    QCOMPARE(f.dialogs.messages.size(), 1);
    const auto &message = f.dialogs.messages.first();
    QCOMPARE(message.title, u"Error"_s);
    for (const QString &part : {u"Bron.rtf"_s, u"Source.rtf"_s, QDir::toNativeSeparators(f.root())})
        QVERIFY2(message.text.contains(part), qPrintable(part));
    // The labels keep their captions: they still name the files the memos must be saved as.
    QCOMPARE(f.text(u"afrikaansMemoFile"_s), u"Bron.rtf"_s);
}

void StartupTest::menusAndTheirMessages()
{
    WindowFixture f;
    const QList<QAction *> bar = f.window->menuBar()->actions();
    QStringList captions;
    for (QAction *a : bar)
        captions.append(a->text());
    QCOMPARE(captions, (QStringList{u"&File"_s, u"Settings"_s, u"About"_s, u"Help"_s}));
    QStringList file;
    for (QAction *a : bar.first()->menu()->actions())
        file.append(a->isSeparator() ? u"-"_s : a->text());
    QCOMPARE(file, (QStringList{u"Open Marked SpeedTest"_s, u"Open Results"_s, u"Save As..."_s, u"Print"_s, u"-"_s,
                                u"E&xit"_s}));
    QCOMPARE(bar.first()->menu()->actions().last()->shortcut(), QKeySequence(u"Ctrl+X"_s));

    // The Settings items show the setting as check marks; choosing one twice keeps it.
    auto *integer = f.window->findChild<QAction *>(u"integerResultAction"_s);
    auto *five = f.window->findChild<QAction *>(u"multipleOf5ResultAction"_s);
    QVERIFY(five->isChecked() && !integer->isChecked());
    integer->trigger();
    integer->trigger();
    QVERIFY(integer->isChecked() && !five->isChecked() && f.window->resultAsInteger());

    f.trigger(u"aboutAction"_s);
    f.trigger(u"helpAction"_s);
    QCOMPARE(f.dialogs.messages.size(), 2);
    QCOMPARE(f.dialogs.messages[0].title, u"Tallimark PRO"_s);
    QCOMPARE(f.dialogs.messages[0].text.count(QLatin1Char('\r')), 1);
    QVERIFY(f.dialogs.messages[0].text.section(QLatin1Char('\r'), 1).startsWith(u"https://"_s));
    QCOMPARE(f.dialogs.messages[1].title, u"Help"_s);
    QCOMPARE(f.dialogs.messages[1].text, u" For Help & Instructions, please read 'Afr Tallimark.doc' or "
                                         "'Eng Tallimark.doc in the current folder."_s);
}

void StartupTest::windowKeepsItsMinimumWidth()
{
    WindowFixture f;
    f.showAndWait();
    f.window->resize(120, 90);
    QTRY_COMPARE(f.window->frameGeometry().width(), 200);
    QVERIFY(f.window->height() < 200); // height has no limit of its own
    f.window->resize(500, 300);
    QTRY_COMPARE(f.window->width(), 500);
}

void StartupTest::destinationNameIsSelectedWhenFocused()
{
    WindowFixture f;
    f.showAndWait();
    auto *edit = f.control<QLineEdit>(u"destinationEdit"_s);
    edit->setText(u"Grade 10B"_s);
    edit->deselect();
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, 5));
    QTRY_COMPARE(edit->selectedText(), u"Grade 10B"_s);
    QTest::keyClicks(edit, u"Gr11"_s);
    QCOMPARE(edit->text(), u"Gr11"_s);
}

void StartupTest::startFolderThatDoesNotExistLeavesOnlyRoots()
{
    WindowFixture f(u"/no/such/folder/anywhere"_s);
    QCOMPARE(f.window->windowTitle(), u"Tallimark 2013"_s);
    QCOMPARE(f.fileList()->topLevelItemCount(), 0);
    QCOMPARE(f.tree()->topLevelItemCount(), QDir::drives().size());
    QVERIFY(!f.tree()->topLevelItem(0)->isExpanded());
    QVERIFY(FolderTree::isPlaceholder(f.tree()->topLevelItem(0)->child(0)));
    QVERIFY(f.dialogs.messages.isEmpty());
}

void StartupTest::fileListFocusShowsTheDragHint()
{
    WindowFixture f;
    f.showAndWait();
    QVERIFY(f.control(u"hintLabel"_s)->isHidden());
    f.fileList()->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!f.control(u"hintLabel"_s)->isHidden());
    QVERIFY(!f.control(u"dragArrow"_s)->isHidden());
    // The picture sits beside the hint, not on it.
    QVERIFY(f.control(u"dragArrow"_s)->x() > f.control(u"hintLabel"_s)->x());

    // Once the report covers the list, keys no longer go to it; nothing hides the hint again.
    f.window->showReport();
    QVERIFY(f.window->reportBox().hasFocus());
    f.tree()->setFocus();
    f.window->openResults();
    QVERIFY(f.window->reportBox().hasFocus());
    QVERIFY(!f.control(u"hintLabel"_s)->isHidden());
}

void StartupTest::ctrlXClosesTheWindow()
{
    for (const char *focused : {"testBox", "reportBox"}) {
        WindowFixture f;
        f.window->showReport();
        f.showAndWait();
        QWidget *target = f.control(QString::fromLatin1(focused));
        target->setFocus();
        QTest::keyClick(target, Qt::Key_X, Qt::ControlModifier);
        QVERIFY2(!f.window->isVisible(), focused);
    }
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
