#include "windowfixture.h"

#include "browser/filelist.h"
#include "browser/foldertree.h"
#include "browser/testbox.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace tallimark {

WindowFixture::WindowFixture(const QString &startFolder, bool withMemos)
    : m_previousCurrent(QDir::currentPath())
{
    if (withMemos) {
        for (const QString &name : {QStringLiteral("Bron.rtf"), QStringLiteral("Source.rtf")})
            QFile::copy(QStringLiteral(TALLIMARK_SOURCE_DIR "/examples/") + name, root() + QLatin1Char('/') + name);
    }
    QDir::setCurrent(root());
    window = std::make_unique<MainWindow>(dialogs, StartOptions{startFolder, programFolder()});
    window->start();
}

WindowFixture::~WindowFixture()
{
    window.reset();
    QDir::setCurrent(m_previousCurrent);
}

QString WindowFixture::makeFolder(const QString &relative, const QList<std::pair<QString, QByteArray>> &files)
{
    QString path = root() + QLatin1Char('/') + relative;
    QDir().mkpath(path);
    for (const auto &[name, content] : files) {
        QFile file(path + QLatin1Char('/') + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }
    return path;
}

QString WindowFixture::text(const QString &name) const
{
    if (auto *edit = control<QLineEdit>(name))
        return edit->text();
    return control<QLabel>(name)->text();
}

void WindowFixture::click(const QString &button) const
{
    control<QPushButton>(button)->click();
}

void WindowFixture::trigger(const QString &action) const
{
    window->findChild<QAction *>(action)->trigger();
}

void WindowFixture::showAndWait() const
{
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

FolderTree *WindowFixture::tree() const
{
    return control<FolderTree>(QStringLiteral("folderTree"));
}

FileList *WindowFixture::fileList() const
{
    return control<FileList>(QStringLiteral("fileList"));
}

TestBox *WindowFixture::testBox() const
{
    return control<TestBox>(QStringLiteral("testBox"));
}

QStringList WindowFixture::fileListNames() const
{
    QStringList names;
    for (int i = 0; i < fileList()->topLevelItemCount(); ++i)
        names.append(fileList()->topLevelItem(i)->text(FileList::NameColumn));
    return names;
}

void WindowFixture::select(const QStringList &names) const
{
    for (int i = 0; i < fileList()->topLevelItemCount(); ++i) {
        QTreeWidgetItem *entry = fileList()->topLevelItem(i);
        entry->setSelected(names.contains(entry->text(FileList::NameColumn)));
    }
}

} // namespace tallimark
