// The window started as the program starts it, in a temporary working folder that holds the
// memos and a program folder; its dialogs are answered by the test.
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

using namespace Qt::StringLiterals;

// Records every dialog; each takes the next prepared answer, and one without an answer is cancelled.
class ScriptedDialogs : public Dialogs
{
public:
    QStringList messages, questions, inputPrompts, openFilters, openFolders, saveInitialNames, folderStarts;
    QList<bool> questionAnswers;
    QStringList openAnswers, saveAnswers, folderAnswers, classDetailsFolders;
    // The type chosen in each save dialog; none prepared: the first one offered.
    QStringList saveChosenPatterns;
    // Runs as each message is shown, while whatever showed it is still under way.
    std::function<void()> onMessage;
    std::function<bool(QPrinter &)> printerSetup;
    std::function<bool(ClassDetails &)> classDetailsEntry;

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
        chosenPattern = saveChosenPatterns.isEmpty() ? filter.section(u'|', 1, 1) : next(saveChosenPatterns);
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

// Appends the learner's row, marked now, to the folder's class record; with a result, a marked copy is named.
inline bool appendResult(const QString &folder, const QString &learner, std::optional<double> result, Verdict verdict)
{
    ClassRecordRow row;
    row.markedAt = QDateTime::currentDateTime();
    row.learner = learner;
    row.verdict = verdict;
    if (result) {
        row.markedCopy = folder + u'/' + learner + u".rug"_s;
        row.finalResult = result;
    }
    return !appendClassRecord(folder, row).failed();
}

class WindowFixture
{
public:
    // startFolder empty: the home folder. shown: the window is shown before it starts, as the program does.
    explicit WindowFixture(const QString &startFolder = {}, bool withMemos = true, bool shown = false)
    {
        const QStringList memos = withMemos ? QStringList{u"Bron.rtf"_s, u"Source.rtf"_s} : QStringList();
        for (const QString &memo : memos)
            QFile::copy(QStringLiteral(TALLIMARK_SOURCE_DIR "/examples/") + memo, root() + u'/' + memo);
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
    QString programFolder() const { return root() + u"/program"_s; }
    // Makes a folder under the root with these files (name, content); its path.
    QString makeFolder(const QString &relative, const QList<std::pair<QString, QByteArray>> &files = {}) const
    {
        const QString path = root() + u'/' + relative;
        QDir().mkpath(path);
        for (const auto &[name, content] : files) {
            QFile file(path + u'/' + name);
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
    static QString native(const QString &path) { return QDir::toNativeSeparators(path); }
    void click(const QString &button) const { control<QPushButton>(button)->click(); }
    void trigger(const QString &action) const { control<QAction>(action)->trigger(); }
    // Clicks Mark and waits for the background session by processing events: a window closed
    // earlier asked the application to quit, which ends event loops.
    bool markAndWait() const
    {
        click(u"markButton"_s);
        return QTest::qWaitFor([this] { return !window->sessionRunning(); }, 60000);
    }
    void showAndWait() const
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    FolderTree *tree() const { return control<FolderTree>(u"folderTree"_s); }
    FileList *fileList() const { return control<FileList>(u"fileList"_s); }
    TestBox *testBox() const { return control<TestBox>(u"testBox"_s); }
    QStringList fileListColumn(int column = FileList::NameColumn) const
    {
        QStringList texts;
        for (int i = 0; i < fileList()->topLevelItemCount(); ++i)
            texts.append(fileList()->topLevelItem(i)->text(column));
        return texts;
    }
    void select(const QStringList &names) const
    {
        for (int i = 0; i < fileList()->topLevelItemCount(); ++i) {
            QTreeWidgetItem *entry = fileList()->topLevelItem(i);
            entry->setSelected(names.contains(entry->text(FileList::NameColumn)));
        }
    }
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
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        if (enter.isAccepted())
            QCoreApplication::sendEvent(target, &dropped);
        return enter.isAccepted() && dropped.isAccepted();
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
