// The main window driven as a teacher drives it: how it opens, the folder tree and file list,
// filling the test box, a marking session, and the report box as a viewer (open, Print, Save As).
#include "browser/classresultswindow.h"
#include "browser/reportbox.h"
#include "support/childprocess.h"
#include "windowfixture.h"

#include <QHeaderView>
#include <QPrinter>
#include <QProgressBar>
#include <QScrollBar>
#include <QTableView>
#include <QTextCursor>
#include <QtTest>

using namespace tallimark;
using namespace Qt::StringLiterals;

namespace {

// Class/ with two subfolders (one holding another) and a mix of files.
QString makeClass(WindowFixture &f)
{
    f.makeFolder(u"Class/alpha/inner"_s);
    f.makeFolder(u"Class/Zeta"_s, {{u"z.rtf"_s, QByteArray(3000, 'z')}});
    return f.makeFolder(u"Class"_s,
                        {{u"b.rtf"_s, {}},
                         {u"a.RTF"_s, QByteArray(2560000, 'a')},
                         {u"c.doc"_s, "doc"},
                         {u"d.rtfx"_s, "rtfx"},
                         {u"e.txt.rtf"_s, QByteArray(1536, 'e')}});
}

// A listed class folder of four learners' tests and a subfolder.
QString listLearners(WindowFixture &f, const QString &name)
{
    f.makeFolder(name + u"/Sub"_s);
    const QString folder =
        f.makeFolder(name, {{u"Anna.rtf"_s, "a"}, {u"Ben.rtf"_s, "b"}, {u"Cara.rtf"_s, "c"}, {u"Dirk.rtf"_s, "d"}});
    f.tree()->showFolder(folder);
    return folder;
}

QTextCharFormat formatAt(const QTextDocument &document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(position + 1); // the format of the character before the cursor
    return cursor.charFormat();
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void startsAndAnswersTheSettingsAndKeys()
    {
        WindowFixture f;
        if (QFileInfo(QDir::homePath()).isDir()) // with no start folder, the home folder is listed
            QCOMPARE(f.window->windowTitle(), u"Tallimark - "_s + QDir::toNativeSeparators(QDir::homePath()));
        QCOMPARE(f.text(u"destinationPath"_s), f.programFolder() + u"/New Folder"_s);
        for (const char *hidden : {"hintLabel", "dragArrow", "reportBox", "closeReportButton", "sessionProgress"})
            QVERIFY2(f.hidden(QString::fromLatin1(hidden)), hidden);

        // The Settings items show the setting as check marks; choosing one twice keeps it.
        auto *integer = f.control<QAction>(u"integerResultAction"_s);
        auto *five = f.control<QAction>(u"multipleOf5ResultAction"_s);
        QVERIFY(five->isChecked() && !integer->isChecked());
        integer->trigger();
        integer->trigger();
        QVERIFY(integer->isChecked() && !five->isChecked());

        f.showAndWait();
        f.window->resize(120, 90);
        QTRY_COMPARE(f.window->frameGeometry().width(), 200);

        // Clicking into the destination name selects it, so typing replaces it.
        auto *edit = f.control<QLineEdit>(u"destinationEdit"_s);
        edit->deselect();
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(edit->selectedText(), u"New Folder"_s);

        // The file list's focus shows the drag hint. Once the report covers the list, keys no
        // longer go to it, and nothing hides the hint again.
        f.fileList()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!f.hidden(u"hintLabel"_s) && !f.hidden(u"dragArrow"_s));
        f.window->showReport();
        f.tree()->setFocus();
        f.window->openResults();
        QVERIFY(f.window->reportBox().hasFocus() && !f.hidden(u"hintLabel"_s));
        // Ctrl+X closes the window even from the report box, a text box that could take it for Cut.
        QTest::keyClick(f.control(u"reportBox"_s), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!f.window->isVisible());

        // Started in a folder that does not exist, without memos: the drives unopened, the list
        // empty, and both missing memos named in one message.
        WindowFixture nowhere(u"/no/such/folder/anywhere"_s, false);
        QCOMPARE(nowhere.fileList()->topLevelItemCount(), 0);
        QVERIFY(FolderTree::isPlaceholder(nowhere.tree()->topLevelItem(0)->child(0)));
        QCOMPARE(nowhere.dialogs.messages.size(), 1);
        QVERIFY(nowhere.dialogs.messages[0].contains(u"Bron.rtf"_s)
                && nowhere.dialogs.messages[0].contains(u"Source.rtf"_s));
    }

    void treeAndFileListFollowTheTeacher()
    {
        WindowFixture probe;
        for (int k = 0; k < 60; ++k) // enough folders above it that the tree must scroll down to it
            probe.makeFolder(u"A%1"_s.arg(k));
        const QString folder = makeClass(probe);
        WindowFixture f(folder, true, true);
        FolderTree *tree = f.tree();
        QTreeWidgetItem *node = tree->node(folder);
        QCOMPARE(tree->currentItem(), node);
        // Folders, then the .rtf files in any case; sizes in whole KB, rounded, and none for folders.
        QCOMPARE(f.fileListColumn(), (QStringList{u"alpha"_s, u"Zeta"_s, u"a.RTF"_s, u"b.rtf"_s, u"e.txt.rtf"_s}));
        QCOMPARE(f.fileListColumn(FileList::SizeColumn),
                 (QStringList{u" "_s, u" "_s, u"2,500 KB"_s, u"0 KB"_s, u"2 KB"_s}));
        const QStringList types = f.fileListColumn(FileList::TypeColumn);
        QVERIFY(!types[3].isEmpty() && types[0] != types[3]);

        // Wholly in view, and still whole if the view loses a scroll bar's height at the bottom.
        QTest::qWait(100); // the tree's pending layout, which may bring a horizontal scroll bar
        const QRect shown = tree->visualItemRect(node);
        const int margin = tree->horizontalScrollBar()->sizeHint().height();
        QVERIFY(tree->verticalScrollBar()->value() > 0);
        QVERIFY2(shown.top() >= 0 && shown.bottom() + margin <= tree->viewport()->rect().bottom(),
                 qPrintable(QDebug::toString(shown)));
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
        // alpha holds a folder and can be opened; Zeta holds only a file and cannot.
        QVERIFY(FolderTree::isPlaceholder(node->child(0)->child(0)));
        QCOMPARE(node->child(1)->text(0), u"Zeta"_s);
        QCOMPARE(node->child(1)->childCount(), 0);

        // Arrow keys: moving on before the pause is over lists only the node the selection ends on.
        tree->setFocus();
        QSignalSpy listed(tree, &FolderTree::listFolderRequested);
        QTest::keyClick(tree, Qt::Key_Down);
        QTest::keyClick(tree, Qt::Key_Down);
        QCOMPARE(tree->listedFolder(), folder);
        QTRY_COMPARE(tree->listedFolder(), folder + u"/Zeta"_s);
        QCOMPARE(listed.size(), 1);
        // The listing disabled the tree for a while; the teacher's keys still work it afterwards.
        QTest::keyClick(tree, Qt::Key_Up);
        QTRY_COMPARE(tree->listedFolder(), folder + u"/alpha"_s);
        QVERIFY(tree->hasFocus());

        // Folders the tree cannot show change nothing: missing ones, and more than 20 levels down.
        tree->showFolder(folder + u"/missing/deeper"_s);
        tree->showFolder(probe.makeFolder(u"Class/alpha"_s + u"/d"_s.repeated(20)));
        QCOMPARE(tree->listedFolder(), folder + u"/alpha"_s);

        // A right click on a node selects it without listing it; a left click lists it.
        QTreeWidgetItem *zeta = node->child(1);
        tree->scrollToItem(zeta);
        const QPoint at(tree->visualItemRect(zeta).left() + 8, tree->visualItemRect(zeta).center().y());
        QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, at);
        QCOMPARE(tree->currentItem(), zeta);
        QCOMPARE(tree->listedFolder(), folder + u"/alpha"_s);
        QTest::qWait(QApplication::doubleClickInterval() + 50); // not a double click
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.fileListColumn(), QStringList{u"z.rtf"_s});

        tree->showFolder(folder);
        FileList *list = f.fileList();
        QWidget *view = list->viewport();
        auto centreOf = [list](int row) { return list->visualItemRect(list->topLevelItem(row)).center(); };
        // Sorting by a header is a one-shot; sizes sort as text, the folders' blanks first.
        const int sizeX = list->header()->sectionViewportPosition(FileList::SizeColumn) + 5;
        QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, {}, QPoint(sizeX, 5));
        QCOMPARE(f.fileListColumn().mid(2), (QStringList{u"b.rtf"_s, u"e.txt.rtf"_s, u"a.RTF"_s}));

        // A right click on a file does nothing; on a folder it lists again with folder sizes.
        QTest::mouseClick(view, Qt::RightButton, {}, centreOf(4));
        QCOMPARE(f.fileListColumn(FileList::SizeColumn)[1], u" "_s);
        QTest::mouseClick(view, Qt::RightButton, {}, centreOf(0));
        QCOMPARE(f.fileListColumn().first(), u"alpha"_s);
        QCOMPARE(f.fileListColumn(FileList::SizeColumn).mid(0, 2), (QStringList{u"0 KB"_s, u"3 KB"_s}));

        // A double click opens a folder entry, and nothing else.
        QTest::mouseDClick(view, Qt::LeftButton, {}, centreOf(3));
        QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(5, view->height() - 5));
        QCOMPARE(tree->listedFolder(), folder);
        QTest::mouseDClick(view, Qt::LeftButton, {}, centreOf(0));
        QCOMPARE(f.fileListColumn(), (QStringList{u"d"_s, u"inner"_s}));
        QCOMPARE(tree->currentItem(), tree->node(folder + u"/alpha"_s));
    }

    void fillingAndClearingTheTestBox()
    {
        WindowFixture f;
        f.window->finishFileListDrag(); // with an empty box, nothing changes
        QCOMPARE(f.window->destinationName(), u"New Folder"_s);
        const QString folder = listLearners(f, u"Gr10"_s);
        // The box takes the selection in the list's order, twice when dragged twice.
        const QStringList once{folder + u"/Sub"_s, folder + u"/Ben.rtf"_s, folder + u"/Dirk.rtf"_s};
        f.dragSelection({u"Sub"_s, u"Ben.rtf"_s, u"Dirk.rtf"_s});
        QVERIFY(f.fileList()->selectedItems().isEmpty());
        f.dragSelection({u"Sub"_s, u"Ben.rtf"_s, u"Dirk.rtf"_s});
        f.dragSelection({}); // nothing selected: nothing added
        QCOMPARE(f.window->tests(), once + once);
        QCOMPARE(f.window->destinationName(), u"Gr10"_s);
        QCOMPARE(f.text(u"destinationPath"_s), f.programFolder() + u"/Gr10"_s);

        // The first test decides, not the last drag; an edited name stays until the next drag ends.
        listLearners(f, u"Gr11"_s);
        f.dragSelection({u"Anna.rtf"_s});
        QCOMPARE(f.window->destinationName(), u"Gr10"_s);
        f.window->setDestinationName(u"Mine"_s);
        QCOMPARE(f.text(u"destinationPath"_s), f.programFolder() + u"/Gr10"_s);
        f.window->finishFileListDrag();
        QCOMPARE(f.window->destinationName(), u"Gr10"_s);
        // Clear empties the box and leaves the destination as it was.
        f.click(u"clearTestsButton"_s);
        QCOMPARE(f.testBox()->count(), 0);
        QCOMPARE(f.text(u"destinationPath"_s), f.programFolder() + u"/Gr10"_s);

        // Insert and Enter add the list's selection.
        const QString gr12 = listLearners(f, u"Gr12"_s);
        f.addSelection({u"Anna.rtf"_s, u"Cara.rtf"_s});
        f.addSelection({u"Ben.rtf"_s}, Qt::Key_Return);
        QCOMPARE(f.window->tests(), (QStringList{gr12 + u"/Anna.rtf"_s, gr12 + u"/Cara.rtf"_s, gr12 + u"/Ben.rtf"_s}));
        QVERIFY(f.fileList()->selectedItems().isEmpty());
        QCOMPARE(f.window->destinationName(), u"Gr12"_s);

        // Delete removes the selected entry only, and nothing without a selection.
        TestBox *box = f.testBox();
        box->clearSelection();
        QTest::keyClick(box, Qt::Key_Delete);
        box->item(1)->setSelected(true);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->tests(), (QStringList{gr12 + u"/Anna.rtf"_s, gr12 + u"/Ben.rtf"_s}));

        // Files dropped from elsewhere are added as dropped; the list's selection is neither used
        // nor cleared. Text is refused.
        f.select({u"Anna.rtf"_s});
        const QString dropped = f.root() + u"/Elsewhere/Dirk.rtf"_s;
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(dropped), QUrl(u"https://example.org/remote.rtf"_s)});
        QVERIFY(f.drop(files));
        QCOMPARE(box->tests().mid(2), QStringList{dropped});
        QCOMPARE(f.fileList()->selectedItems().size(), 1);
        QMimeData text;
        text.setText(u"just words"_s);
        QVERIFY(!f.drop(text));
    }

    void sessionHoldsControlsBackAndShowsProgressAndClassResults()
    {
        WindowFixture f;
        f.boxSampleTests({u"Anika Botha.rtf"_s, u"Danie Kruger.rtf"_s, u"Emily Jacobs.rtf"_s});
        f.trigger(u"openResultsAction"_s); // before any session: where the dialog starts by itself

        // At the closing message the session is still under way: the controls wait for it.
        const QStringList held{u"markButton"_s, u"testBox"_s, u"clearTestsButton"_s, u"openMarkedAction"_s,
                               u"openResultsAction"_s};
        auto enabled = [&] {
            QStringList on;
            for (const QString &name : held)
                if (f.window->findChild<QObject *>(name)->property("enabled").toBool())
                    on.append(name);
            return on;
        };
        QStringList enabledDuringSession{u"not asked"_s};
        int progressAtEnd = -1;
        f.dialogs.onMessage = [&] {
            enabledDuringSession = enabled();
            auto *progress = f.control<QProgressBar>(u"sessionProgress"_s);
            progressAtEnd = progress->isHidden() ? -1 : progress->value();
        };
        f.click(u"markButton"_s);

        QCOMPARE(enabledDuringSession, QStringList());
        QCOMPARE(progressAtEnd, 3);
        QCOMPARE(enabled(), held);
        QVERIFY(f.hidden(u"sessionProgress"_s));
        QVERIFY(!f.window->reportBox().isHidden() && !f.hidden(u"closeReportButton"_s));
        // The report's Clear sits beside the box: it hides neither text nor the scroll bar.
        QCOMPARE(f.control(u"closeReportButton"_s)->geometry() & f.window->reportBox().geometry(), QRect());

        // After the session the open dialogs start where it marked into.
        f.trigger(u"openMarkedAction"_s);
        const QString marked = f.programFolder() + u"/Grade10A"_s;
        QCOMPARE(f.dialogs.openFolders, (QStringList{QString(), marked}));

        // The class results of the folder just marked are shown; the File menu shows another
        // folder's, asking for it where the session marked into.
        auto *results = f.window->findChild<ClassResultsWindow *>();
        QVERIFY(results && results->isVisible());
        QCOMPARE(results->folder(), marked);
        const QString other = f.makeFolder(u"Other"_s);
        f.dialogs.folderAnswers = {other};
        f.trigger(u"classResultsAction"_s);
        QCOMPARE(f.dialogs.folderStarts, QStringList{marked});
        QCOMPARE(results->folder(), other);
        QCOMPARE(results->table()->model()->rowCount(), 0);
    }

    void closingTheWindowDuringASessionEndsTheProgram()
    {
        WindowFixture f;
        f.boxSampleTests({u"Anika Botha.rtf"_s, u"Emily Jacobs.rtf"_s});
        // Closing ends the whole program at once, so the window closes in a child process.
        const int exitCode = testing::inChildProcess(
            [&] {
                // The first events the session lets through, after the first test, close the window.
                QTimer::singleShot(0, f.window.get(), [&] { f.window->close(); });
                f.click(u"markButton"_s);
                return 1; // the session went on after the window was closed
            },
            false);
        QCOMPARE(exitCode, 0);
        // What the first test left is whole; the second was never started.
        const QString destination = f.programFolder() + u"/Grade10A"_s;
        QFile results(destination + u"/Resultaat.res"_s);
        QVERIFY(results.open(QIODevice::ReadOnly));
        const QByteArray lines = results.readAll();
        QVERIFY(lines.count("\r\n") == 1 && lines.endsWith("\r\n"));
        QVERIFY(QFileInfo::exists(destination + u"/Anika Botha.rug"_s));
        QVERIFY(!QFileInfo::exists(destination + u"/Emily Jacobs.rug"_s));
    }

    void viewsPrintsAndClosesMarkedCopiesAndResultsFiles()
    {
        WindowFixture f;
        // A marked copy in Arial: an error ("cow") in bold white on red, a repeat ("grss") red and underlined.
        const QByteArray copy =
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green255\\blue255;\\red255\\green0"
            "\\blue0;}\\f0 The {\\b\\cf1\\highlight2 cow} ate grass.\\par The cow ate {\\cf2\\ul grss}.}";
        const QString path = f.makeFolder(u"Gr10"_s, {{u"Anna.rug"_s, copy}}) + u"/Anna.rug"_s;
        f.dialogs.openAnswers = {path};
        f.trigger(u"openMarkedAction"_s);
        QVERIFY(f.dialogs.openFilters.last().contains(u"*.rug"_s));
        const ReportBox &box = f.window->reportBox();
        QVERIFY(!f.hidden(u"closeReportButton"_s));
        QCOMPARE(f.text(u"shownFileLabel"_s), path);
        QCOMPARE(box.toPlainText(), u"The cow ate grass.\nThe cow ate grss."_s);
        const QTextCharFormat error = formatAt(*box.document(), 5);
        QCOMPARE(error.background().color(), QColor(Qt::red));
        QCOMPARE(error.foreground().color(), QColor(Qt::white));
        QCOMPARE(error.fontWeight(), int(QFont::Bold));
        const QTextCharFormat repeat = formatAt(*box.document(), 32); // the view has one break character
        QVERIFY(repeat.foreground().color() == QColor(Qt::red) && repeat.fontUnderline());
        const QTextCharFormat plain = formatAt(*box.document(), 0);
        QVERIFY(plain.fontWeight() != int(QFont::Bold));
        QCOMPARE(plain.fontFamilies().toStringList(), QStringList{u"Arial"_s});

        const QString before = box.richDocument().text();
        // Save As offers the file opened for viewing, and still offers it after a cancel.
        f.trigger(u"saveAsAction"_s);
        f.trigger(u"saveAsAction"_s);
        QCOMPARE(f.dialogs.saveInitialNames, (QStringList{path, path}));

        // Print puts the file's path on top while printing and takes it off again.
        const QString pdf = f.root() + u"/printed.pdf"_s;
        QString printedText;
        bool print = true;
        f.dialogs.printerSetup = [&](QPrinter &printer) {
            printedText = box.richDocument().text();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return print;
        };
        f.trigger(u"printAction"_s);
        QCOMPARE(printedText, path + u"\r\n\r\n"_s + before);
        QCOMPARE(box.richDocument().text(), before);
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly) && printed.read(5) == "%PDF-");
        // A cancelled print takes the path off too.
        print = false;
        f.window->printReport();
        QCOMPARE(box.richDocument().text(), before);

        // A cancelled open leaves the box shown and empty, and names no file.
        f.window->openMarkedCopy();
        QVERIFY(!box.isHidden() && box.richDocument().text().isEmpty());
        QCOMPARE(f.text(u"shownFileLabel"_s), QString());

        // A results file is plain text.
        const QByteArray lines("/c/Gr10/Anna.rug  35  wpm\r\n/c/Gr10/Ben.rug  0  wpm\r\n");
        const QString results = f.makeFolder(u"Gr10"_s, {{u"Resultaat.res"_s, lines}}) + u"/Resultaat.res"_s;
        f.dialogs.openAnswers = {results};
        f.window->openResults();
        QVERIFY(f.dialogs.openFilters.last().contains(u"*.res"_s));
        QCOMPARE(box.richDocument().text(), QString::fromLatin1(lines));
        QCOMPARE(f.text(u"shownFileLabel"_s), results);
        // The report box's Clear empties and hides the box, its button and the path label.
        f.click(u"closeReportButton"_s);
        QVERIFY(f.hidden(u"reportBox"_s) && f.hidden(u"closeReportButton"_s));
        QVERIFY(box.richDocument().text().isEmpty());
        QCOMPARE(f.text(u"shownFileLabel"_s), QString());

        // A file that cannot be read is named in the message and leaves the box empty.
        const QString missing = f.root() + u"/gone.rug"_s;
        f.dialogs.openAnswers = {missing};
        f.window->openMarkedCopy();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(box.richDocument().text().isEmpty());
        QCOMPARE(f.text(u"shownFileLabel"_s), missing);

        // A report growing piece by piece, a line end split between two pieces, shows as if whole.
        ReportBox growing;
        for (const QString &piece : {u"one\r"_s, u"\ntwo"_s, u"\rthree\r\n"_s, u"\nfour"_s})
            growing.appendReportText(piece);
        QCOMPARE(growing.document()->toPlainText(), u"one\ntwo\nthree\n\nfour"_s);
    }

    void saveAsAddsTheExtensionOfTheChosenType_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosenPattern");
        QTest::addColumn<QString>("written"); // none: refused
        QTest::newRow("none, a folder with a dot") << u"v1.2/report"_s << u"*.RTF"_s << u"v1.2/report.rtf"_s;
        QTest::newRow("its own kept") << u"report.doc"_s << u"*.RTF"_s << u"report.doc"_s;
        QTest::newRow("another type") << u"report"_s << u"*"_s << u"report"_s;
        QTest::newRow("a folder that does not exist") << u"no/such/folder/out.rtf"_s << u"*.RTF"_s << QString();
    }

    void saveAsAddsTheExtensionOfTheChosenType()
    {
        QFETCH(QString, typed);
        QFETCH(QString, chosenPattern);
        QFETCH(QString, written);
        WindowFixture f;
        f.makeFolder(u"v1.2"_s);
        f.window->setReportText(u"the report"_s);
        const QString hint = f.text(u"hintLabel"_s);
        f.dialogs.saveAnswers = {f.root() + u'/' + typed};
        f.dialogs.saveChosenPatterns = {chosenPattern};
        f.window->saveAs();
        if (written.isEmpty()) { // said so; the hint line stays as it was
            QCOMPARE(f.dialogs.messages.size(), 1);
            QCOMPARE(f.text(u"hintLabel"_s), hint);
            return;
        }
        QVERIFY(f.dialogs.messages.isEmpty());
        RichDocument saved;
        QVERIFY(!saved.loadFile(f.root() + u'/' + written).failed());
        QCOMPARE(saved.text(), u"the report"_s);
        // The hint line beside the file list names the saved file; the next Save As offers it.
        QCOMPARE(f.text(u"hintLabel"_s), f.root() + u'/' + written);
        f.window->saveAs();
        QCOMPARE(f.dialogs.saveInitialNames.last(), f.root() + u'/' + written);
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
