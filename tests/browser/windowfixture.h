// A window started the way the program starts it, inside a temporary folder that holds the
// memos (the working folder), a program folder and whatever class folder a test makes.
#pragma once

#include "browser/mainwindow.h"
#include "scripteddialogs.h"

#include <QTemporaryDir>

#include <memory>
#include <utility>

namespace tallimark {

class FileList;
class FolderTree;
class TestBox;

class WindowFixture
{
public:
    // The memos are copied in unless withMemos is false. startFolder empty: the home folder.
    explicit WindowFixture(const QString &startFolder = {}, bool withMemos = true);
    ~WindowFixture();

    QString root() const { return m_root.path(); }
    QString programFolder() const { return root() + QStringLiteral("/program"); }
    // Makes a folder under the root with the given files (name, content) and returns its path.
    QString makeFolder(const QString &relative, const QList<std::pair<QString, QByteArray>> &files = {});

    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    template<typename T = QWidget> T *control(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    // The text of a label or line edit, by object name.
    QString text(const QString &name) const;
    void click(const QString &button) const;
    void trigger(const QString &action) const;
    void showAndWait() const;

    FolderTree *tree() const;
    FileList *fileList() const;
    TestBox *testBox() const;
    QStringList fileListNames() const;
    // Selects the file list's entries of these names, nothing else.
    void select(const QStringList &names) const;

private:
    QTemporaryDir m_root;
    QString m_previousCurrent;
};

} // namespace tallimark
