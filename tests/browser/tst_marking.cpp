// Marking the sample class from the window: the report box, the files written, the questions
// asked, and the controls held back while a session runs.
#include "browser/filelist.h"
#include "browser/foldertree.h"
#include "browser/reportbox.h"
#include "browser/testbox.h"
#include "windowfixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace tallimark;

class MarkingTest : public QObject
{
    Q_OBJECT

private slots:
    void emptyTestBoxIsRefused();
    void sessionMarksTheDraggedTests();
    void existingDestinationAsksForAName();

private:
    static QString copySampleClass(WindowFixture &f);
    static void addTests(WindowFixture &f, const QStringList &names);
    static QStringList resultsLines(const QString &folder);
};

QString MarkingTest::copySampleClass(WindowFixture &f)
{
    const QString target = f.makeFolder(QStringLiteral("Grade10A"));
    const QDir samples(QStringLiteral(TALLIMARK_SOURCE_DIR "/examples/Grade10A"));
    for (const QString &name : samples.entryList(QDir::Files))
        QFile::copy(samples.filePath(name), target + QLatin1Char('/') + name);
    return target;
}

void MarkingTest::addTests(WindowFixture &f, const QStringList &names)
{
    f.select(names);
    QTest::keyClick(f.fileList(), Qt::Key_Insert);
}

QStringList MarkingTest::resultsLines(const QString &folder)
{
    QFile results(folder + QStringLiteral("/Resultaat.res"));
    if (!results.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(results.readAll()).split(QStringLiteral("\r\n"));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void MarkingTest::emptyTestBoxIsRefused()
{
    WindowFixture f;
    f.control<QPushButton>(QStringLiteral("markButton"))->click();
    QCOMPARE(f.dialogs.messages.size(), 1);
    QCOMPARE(f.dialogs.messages[0].text, QStringLiteral("No speed tests in the green box..."));
    QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Error"));
    QVERIFY(f.window->reportBox().isHidden());
    QVERIFY(f.control<QPushButton>(QStringLiteral("markButton"))->isEnabled());
    QVERIFY(!QFileInfo::exists(f.programFolder() + QStringLiteral("/New Folder")));
}

void MarkingTest::sessionMarksTheDraggedTests()
{
    WindowFixture f;
    const QString sample = copySampleClass(f);
    f.tree()->showFolder(sample);
    addTests(f, {QStringLiteral("Anika Botha.rtf"), QStringLiteral("Danie Kruger.rtf"), QStringLiteral("Emily Jacobs.rtf")});
    const QString destination = f.programFolder() + QStringLiteral("/Grade10A");
    QCOMPARE(f.label(QStringLiteral("destinationPath"))->text(), destination);

    // At the closing message the session is still under way: the controls wait for it.
    bool heldBack = false;
    int progressAtEnd = -1;
    f.dialogs.onMessage = [&](const ScriptedDialogs::Message &) {
        heldBack = !f.control<QPushButton>(QStringLiteral("markButton"))->isEnabled()
                   && !f.testBox()->isEnabled()
                   && !f.control<QPushButton>(QStringLiteral("clearTestsButton"))->isEnabled()
                   && !f.window->findChild<QAction *>(QStringLiteral("openMarkedAction"))->isEnabled();
        auto *progress = f.control<QProgressBar>(QStringLiteral("sessionProgress"));
        progressAtEnd = progress->isVisible() || !progress->isHidden() ? progress->value() : -1;
    };
    f.control<QPushButton>(QStringLiteral("markButton"))->click();

    QCOMPARE(f.dialogs.messages.size(), 1);
    QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Done"));
    QCOMPARE(f.dialogs.messages[0].text, QStringLiteral("End of this marking session.\rResults have been saved in ")
                                             + destination + QStringLiteral("\r"));
    QVERIFY(heldBack);
    QCOMPARE(progressAtEnd, 3);
    QVERIFY(f.control<QPushButton>(QStringLiteral("markButton"))->isEnabled());
    QVERIFY(f.testBox()->isEnabled());
    QVERIFY(f.window->findChild<QAction *>(QStringLiteral("openResultsAction"))->isEnabled());
    QVERIFY(f.control<QWidget>(QStringLiteral("sessionProgress"))->isHidden());

    const QStringList report = f.window->reportBox().richDocument().text().split(QStringLiteral("\r\n"));
    QCOMPARE(report.size(), 6); // title, empty line, three tests, and the empty text after the last CR LF
    QCOMPARE(report[0], QStringLiteral("               Marking speed tests in Grade10A"));
    QCOMPARE(report[1], QString());
    QVERIFY2(report[2] == sample + QStringLiteral("/Anika Botha.rtf.......Successful")
                 || report[2] == sample + QStringLiteral("/Anika Botha.rtf.......Result may not be reliable"),
             qPrintable(report[2]));
    QCOMPARE(report[3], sample + QStringLiteral("/Danie Kruger.rtf.......too short or empty"));
    QVERIFY2(report[4].startsWith(sample + QStringLiteral("/Emily Jacobs.rtf.......")), qPrintable(report[4]));
    QCOMPARE(f.window->reportBox().toPlainText().section(QLatin1Char('\n'), 3, 3), report[3]);
    QVERIFY(!f.window->reportBox().isHidden());
    QVERIFY(!f.control<QPushButton>(QStringLiteral("closeReportButton"))->isHidden());
    QCOMPARE(f.label(QStringLiteral("shownFileLabel"))->text(), QString());
    QCOMPARE(f.window->workspace().destFolder, destination);

    // Copies of all three, marked copies of the two usable ones, one results line each.
    for (const char *name : {"Anika Botha.rtf", "Danie Kruger.rtf", "Emily Jacobs.rtf", "Anika Botha.rug", "Emily Jacobs.rug"})
        QVERIFY2(QFileInfo::exists(destination + QLatin1Char('/') + QString::fromLatin1(name)), name);
    QVERIFY(!QFileInfo::exists(destination + QStringLiteral("/Danie Kruger.rug")));
    const QStringList lines = resultsLines(destination);
    QCOMPARE(lines.size(), 3);
    const QRegularExpression marked(QStringLiteral("^(.*)   (-?\\d+) wpm$"));
    const auto anika = marked.match(lines[0]);
    QVERIFY2(anika.hasMatch(), qPrintable(lines[0]));
    QCOMPARE(anika.captured(1), destination + QStringLiteral("/Anika Botha"));
    QCOMPARE(anika.captured(2).toInt() % 5, 0); // multiple of 5 by default
    QVERIFY(anika.captured(2).toInt() > 0);
    QCOMPARE(lines[1], sample + QStringLiteral("/Danie Kruger.rug  0  wpm"));

    // The marked copy opens in the report box with its errors shown.
    f.dialogs.openAnswers = {destination + QStringLiteral("/Emily Jacobs.rug")};
    f.window->openMarkedCopy();
    QVERIFY(f.window->reportBox().richDocument().text().size() > 1000);
    bool anyRedBackground = false;
    for (const TextRun &run : f.window->reportBox().richDocument().runs())
        anyRedBackground = anyRedBackground || run.format.background == std::optional<Colour>(Red);
    QVERIFY(anyRedBackground);
}

void MarkingTest::existingDestinationAsksForAName()
{
    WindowFixture f;
    const QString sample = copySampleClass(f);
    f.tree()->showFolder(sample);
    addTests(f, {QStringLiteral("Liam Peters.rtf")});
    const QString destination = f.programFolder() + QStringLiteral("/Grade10A");
    QDir().mkpath(destination);

    // No answer: the session ends quietly with the report box's Clear shown.
    f.control<QPushButton>(QStringLiteral("markButton"))->click();
    QCOMPARE(f.dialogs.questions.size(), 1);
    QCOMPARE(f.dialogs.questions[0].prompt, QStringLiteral("Type new foldername or click Enter to proceed "));
    QCOMPARE(f.dialogs.questions[0].title, QStringLiteral("Folder already exists"));
    QCOMPARE(f.dialogs.questions[0].defaultText, QStringLiteral("Grade10A"));
    QVERIFY(f.dialogs.messages.isEmpty());
    QVERIFY(!f.control<QPushButton>(QStringLiteral("closeReportButton"))->isHidden());
    QVERIFY(f.control<QPushButton>(QStringLiteral("markButton"))->isEnabled());
    QVERIFY(resultsLines(destination).isEmpty());

    // The same name reuses the folder; results are added to it.
    f.dialogs.inputAnswers = {QStringLiteral("Grade10A")};
    f.control<QPushButton>(QStringLiteral("markButton"))->click();
    f.dialogs.inputAnswers = {QStringLiteral("Grade10A")};
    f.control<QPushButton>(QStringLiteral("markButton"))->click();
    QCOMPARE(resultsLines(destination).size(), 2);

    // Another name makes a new folder and shows it.
    f.dialogs.inputAnswers = {QStringLiteral("Grade10A again")};
    f.control<QPushButton>(QStringLiteral("markButton"))->click();
    QCOMPARE(f.control<QLineEdit>(QStringLiteral("destinationEdit"))->text(), QStringLiteral("Grade10A again"));
    QCOMPARE(f.label(QStringLiteral("destinationPath"))->text(), f.programFolder() + QStringLiteral("/Grade10A again"));
    QCOMPARE(resultsLines(f.programFolder() + QStringLiteral("/Grade10A again")).size(), 1);
}

QTEST_MAIN(MarkingTest)
#include "tst_marking.moc"
