// The window started the way the program starts it, inside a temporary folder that holds the
// memos (the working folder), a program folder and whatever class folder a test makes; its
// dialogs are answered by the test.
#pragma once

#include "classpack/classdetails.h"
#include "records/classrecord.h"
#include "window/dialogs.h"
#include "window/elidedlabel.h"
#include "window/filelist.h"
#include "window/foldertree.h"
#include "window/mainwindow.h"
#include "window/testbox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace tallimark {

// Every message and question is recorded; a question takes the next prepared answer, and one
// without an answer is cancelled (No).
class ScriptedDialogs : public Dialogs
{
public:
    QStringList messages, questions, inputPrompts, openFilters, openFolders, saveInitialNames, folderStarts;
    QList<bool> questionAnswers;
    QStringList openAnswers, saveAnswers, folderAnswers;
    // The pattern the teacher chooses in each save dialog; none prepared: the first one offered.
    QStringList saveChosenPatterns;
    // Runs as each message is shown, while whatever showed it is still under way.
    std::function<void()> onMessage;
    // Set up the printer, or edit the class details, as the teacher would; false or unset: cancelled.
    std::function<bool(QPrinter &)> printerSetup;
    std::function<bool(ClassDetails &)> classDetailsEntry;
    QStringList classDetailsFolders;

    void message(QWidget *, const QString &text, const QString &, Icon) override
    {
        messages.append(text);
        if (onMessage)
            onMessage();
    }
    bool question(QWidget *, const QString &text, const QString &) override
    {
        questions.append(text);
        return !questionAnswers.isEmpty() && questionAnswers.takeFirst();
    }
    QString inputBox(QWidget *, const QString &prompt, const QString &, const QString &) override
    {
        inputPrompts.append(prompt);
        return {};
    }
    QString openFileName(QWidget *, const QString &filter, const QString &startFolder) override
    {
        openFilters.append(filter);
        openFolders.append(startFolder);
        return next(openAnswers);
    }
    QString folderName(QWidget *, const QString &, const QString &startFolder) override
    {
        folderStarts.append(startFolder);
        return next(folderAnswers);
    }
    QString saveFileName(QWidget *, const QString &filter, const QString &initialName, QString &chosenPattern) override
    {
        chosenPattern =
            saveChosenPatterns.isEmpty() ? filter.section(QLatin1Char('|'), 1, 1) : next(saveChosenPatterns);
        saveInitialNames.append(initialName);
        return next(saveAnswers);
    }
    bool choosePrinter(QWidget *, QPrinter &printer) override { return printerSetup && printerSetup(printer); }
    bool classDetails(QWidget *, const QString &destFolder, ClassDetails &details) override
    {
        classDetailsFolders.append(destFolder);
        return classDetailsEntry && classDetailsEntry(details);
    }

private:
    static QString next(QStringList &answers) { return answers.isEmpty() ? QString() : answers.takeFirst(); }
};

// Appends a row to the class record in the folder: the learner marked now, with a marked copy
// there when there is a result.
inline bool appendResult(const QString &folder, const QString &learner, std::optional<double> result, Verdict verdict,
                         const QString &remarks = {})
{
    ClassRecordRow row;
    row.markedAt = QDateTime::currentDateTime();
    row.learner = learner;
    row.verdict = verdict;
    row.remarks = remarks;
    if (result) {
        row.markedCopy = folder + QLatin1Char('/') + learner + QStringLiteral(".rug");
        row.finalResult = result;
    }
    return !appendClassRecord(folder, row).failed();
}

class WindowFixture
{
public:
    // The memos are copied in unless withMemos is false. startFolder empty: the home folder.
    // shown: the window is shown before it starts, as the program does.
    explicit WindowFixture(const QString &startFolder = {}, bool withMemos = true, bool shown = false)
    {
        for (const char *memo : {"Bron.rtf", "Source.rtf"})
            if (withMemos)
                QFile::copy(QStringLiteral(TALLIMARK_SOURCE_DIR "/examples/") + QLatin1String(memo),
                            root() + QLatin1Char('/') + QLatin1String(memo));
        QDir::setCurrent(root());
        window = std::make_unique<MainWindow>(dialogs, StartOptions{startFolder, programFolder()});
        if (shown)
            showAndWait();
        window->start();
    }
    ~WindowFixture()
    {
        window.reset();
        QDir::setCurrent(m_previousCurrent);
    }

    QString root() const { return m_root.path(); }
    QString programFolder() const { return root() + QStringLiteral("/program"); }
    // Makes a folder under the root with the given files (name, content) and returns its path.
    QString makeFolder(const QString &relative, const QList<std::pair<QString, QByteArray>> &files = {}) const
    {
        const QString path = root() + QLatin1Char('/') + relative;
        QDir().mkpath(path);
        for (const auto &[name, content] : files) {
            QFile file(path + QLatin1Char('/') + name);
            if (file.open(QIODevice::WriteOnly))
                file.write(content);
        }
        return path;
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    template <typename T = QWidget> T *control(const QString &name) const { return window->findChild<T *>(name); }
    bool hidden(const QString &name) const { return control(name)->isHidden(); }
    QString text(const QString &label) const { return control<QLabel>(label)->text(); }
    // A path as the window shows it, with the system's separators.
    static QString native(const QString &path) { return QDir::toNativeSeparators(path); }
    void click(const QString &button) const { control<QPushButton>(button)->click(); }
    void trigger(const QString &action) const { control<QAction>(action)->trigger(); }
    // Clicks the mark button and waits for the session, which runs in the background, to end.
    bool markAndWait() const
    {
        // Waited for by processing events rather than in an event loop of its own: a window
        // closed earlier in the test asked the application to quit, which ends such loops.
        click(QStringLiteral("markButton"));
        const QDeadlineTimer deadline(60000);
        while (window->sessionRunning() && !deadline.hasExpired())
            QTest::qWait(5);
        return !window->sessionRunning();
    }
    void showAndWait() const
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    FolderTree *tree() const { return control<FolderTree>(QStringLiteral("folderTree")); }
    FileList *fileList() const { return control<FileList>(QStringLiteral("fileList")); }
    TestBox *testBox() const { return control<TestBox>(QStringLiteral("testBox")); }
    // A column of the file list, top to bottom.
    QStringList fileListColumn(int column = FileList::NameColumn) const
    {
        QStringList texts;
        for (int i = 0; i < fileList()->topLevelItemCount(); ++i)
            texts.append(fileList()->topLevelItem(i)->text(column));
        return texts;
    }
    // The sample class copied in and listed, these of its tests put in the test box.
    void boxSampleTests(const QStringList &names) const
    {
        const QString target = makeFolder(QStringLiteral("Grade10A"));
        const QDir samples(QStringLiteral(TALLIMARK_SOURCE_DIR "/examples/Grade10A"));
        for (const QString &name : samples.entryList(QDir::Files))
            QFile::copy(samples.filePath(name), target + QLatin1Char('/') + name);
        tree()->showFolder(target);
        // The list is read as the folder is shown; on a slow machine it may take a moment.
        (void)QTest::qWaitFor([&] { return fileListColumn().contains(names.value(0)); }, 10000);
        addSelection(names);
    }
    // Selects the file list's entries of these names, nothing else.
    void select(const QStringList &names) const
    {
        for (int i = 0; i < fileList()->topLevelItemCount(); ++i) {
            QTreeWidgetItem *entry = fileList()->topLevelItem(i);
            entry->setSelected(names.contains(entry->text(FileList::NameColumn)));
        }
    }
    // Selects these entries and adds them to the test box by a key on the file list.
    void addSelection(const QStringList &names, Qt::Key key = Qt::Key_Insert) const
    {
        select(names);
        QTest::keyClick(fileList(), key);
    }
    // Drops the data onto the test box; whether the box took it.
    bool drop(const QMimeData &data) const
    {
        QWidget *target = testBox()->viewport();
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &dropped);
        return dropped.isAccepted();
    }
    // Drags these entries of the file list onto the test box and ends the drag as the list ends it.
    void dragSelection(const QStringList &names) const
    {
        select(names);
        QMimeData data;
        data.setData(FileList::selectionMimeType(), fileList()->folder().toUtf8());
        QVERIFY(drop(data));
        window->finishFileListDrag();
    }

private:
    QTemporaryDir m_root;
    QString m_previousCurrent = QDir::currentPath();
};

} // namespace tallimark
