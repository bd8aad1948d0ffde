#include "testbox.h"

#include "filelist.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

namespace tallimark {

namespace {

constexpr int PathRole = Qt::UserRole;

bool fromFileList(const QMimeData *data)
{
    return data && data->hasFormat(FileList::selectionMimeType());
}

bool carriesFiles(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return false;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile())
            return true;
    return false;
}

} // namespace

TestBox::TestBox(QWidget *parent) : QListWidget(parent)
{
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DropOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QStringList TestBox::tests() const
{
    QStringList paths;
    paths.reserve(count());
    for (int i = 0; i < count(); ++i)
        paths.append(item(i)->data(PathRole).toString());
    return paths;
}

void TestBox::appendTests(const QStringList &paths)
{
    // Shown with the system's separators; marked by the path as Qt writes it.
    for (const QString &path : paths) {
        auto *test = new QListWidgetItem(QDir::toNativeSeparators(path), this);
        test->setData(PathRole, path);
    }
}

void TestBox::removeSelectedTest()
{
    const QList<QListWidgetItem *> selected = selectedItems();
    if (selected.isEmpty())
        return;
    delete takeItem(row(selected.first()));
    clearSelection();
    setCurrentItem(nullptr);
}

void TestBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (fromFileList(event->mimeData()) || carriesFiles(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TestBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (fromFileList(event->mimeData()) || carriesFiles(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TestBox::dropEvent(QDropEvent *event)
{
    const QMimeData *dropped = event->mimeData();
    if (fromFileList(dropped)) {
        emit fileListSelectionDropped();
    } else if (carriesFiles(dropped)) {
        // From a file manager or the desktop: the files that were dropped, as they are.
        QStringList paths;
        for (const QUrl &url : dropped->urls())
            if (url.isLocalFile())
                paths.append(QFileInfo(url.toLocalFile()).absoluteFilePath());
        appendTests(paths);
    } else {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void TestBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete) {
        removeSelectedTest();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace tallimark
