#include "windowfixture.h"

#include "browser/filelist.h"
#include "browser/foldertree.h"
#include "browser/testbox.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QtTest>

namespace tallimark {

WindowFixture::WindowFixture(const QString &startFolder, bool withMemos)
    : m_previousCurrent(QDir::currentPath())
{
    if (withMemos) {
        for (const char *memo : {"Bron.rtf", "Source.rtf"}) {
            const QString name = QString::fromLatin1(memo);
            QFile::copy(QStringLiteral(TALLIMARK_SOURCE_DIR "/examples/") + name, root() + QLatin1Char('/') + name);
        }
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
    const QString path = root() + QLatin1Char('/') + relative;
    QDir().mkpath(path);
    for (const auto &[name, content] : files) {
        QFile file(path + QLatin1Char('/') + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }
    return path;
}

QLabel *WindowFixture::label(const QString &name) const
{
    return control<QLabel>(name);
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

QByteArray rtfOf(const QString &text)
{
    QByteArray body;
    for (QChar c : text) {
        if (c == QLatin1Char('\n'))
            body += "\\par\n";
        else if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
            body += '\\' + QByteArray(1, char(c.unicode()));
        else if (c.unicode() < 128)
            body += char(c.unicode());
        else
            body += "\\u" + QByteArray::number(c.unicode()) + '?';
    }
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + body + "}";
}

} // namespace tallimark
