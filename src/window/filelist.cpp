#include "filelist.h"

#include "eventpacer.h"
#include "typeicons.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QDrag>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>

namespace tallimark {

namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int PathRole = Qt::UserRole + 1;

Failure unreadable(const QString &path)
{
    return {ErrorNumber::PermissionDenied,
            QCoreApplication::translate("FileList", "Permission denied: %1").arg(QDir::toNativeSeparators(path))};
}

// The total size of everything below the folder.
qint64 folderSize(const QString &folder)
{
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}

} // namespace

FileList::FileList(TypeIcons &icons, QWidget *parent)
    : QTreeWidget(parent), m_icons(icons), m_watcher(new QFileSystemWatcher(this)), m_changeSettle(new QTimer(this))
{
    setColumnCount(3);
    setHeaderLabels({tr("Name"), tr("Size"), tr("Type")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    header()->resizeSection(NameColumn, 170);
    header()->resizeSection(SizeColumn, 70);
    // Sorting is a one-shot on header click; entries added later come at the end.
    connect(header(), &QHeaderView::sectionClicked, this,
            [this](int column) { sortItems(column, Qt::AscendingOrder); });

    m_changeSettle->setSingleShot(true);
    m_changeSettle->setInterval(changeSettleMs);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_changeSettle, qOverload<>(&QTimer::start));
    connect(m_changeSettle, &QTimer::timeout, this, &FileList::followChange);
}

void FileList::watch(const QString &folder)
{
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    if (QFileInfo(folder).isDir())
        m_watcher->addPath(folder);
}

void FileList::followChange()
{
    // Not in the middle of a listing or a drag: both work on the entries as they are.
    if (m_listing || m_dragging) {
        m_changeSettle->start();
        return;
    }
    QStringList selected;
    for (const QTreeWidgetItem *entry : selectedItems())
        selected.append(entry->text(NameColumn));
    const QString current = currentItem() ? currentItem()->text(NameColumn) : QString();
    const int scrolled = verticalScrollBar()->value();
    (void)listFolder(m_folder);
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *entry = topLevelItem(i);
        if (entry->text(NameColumn) == current)
            setCurrentItem(entry, NameColumn, QItemSelectionModel::NoUpdate);
        entry->setSelected(selected.contains(entry->text(NameColumn)));
    }
    verticalScrollBar()->setValue(scrolled);
}

QString FileList::key(const QTreeWidgetItem *entry)
{
    return entry ? entry->data(NameColumn, KeyRole).toString() : QString();
}

QString FileList::selectionMimeType()
{
    return QStringLiteral("application/x-tallimark-file-list-selection");
}

QString FileList::sizeText(qint64 bytes)
{
    QLocale locale;
    // The C locale would leave the separator out; the pattern asks for it.
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale.toString(qRound64(double(bytes) / 1024.0)) + QStringLiteral(" KB");
}

QTreeWidgetItem *FileList::makeEntry(const QFileInfo &item, const QString &entryKey, const QString &size)
{
    const QString type = m_icons.typeName(item);
    auto *entry = new QTreeWidgetItem;
    entry->setText(NameColumn, item.fileName());
    entry->setIcon(NameColumn, m_icons.icon(item, type));
    entry->setData(NameColumn, KeyRole, entryKey);
    entry->setData(NameColumn, PathRole, item.absoluteFilePath());
    entry->setText(SizeColumn, size);
    entry->setText(TypeColumn, type);
    entry->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
    return entry;
}

Failure FileList::listFolder(const QString &folder, bool folderSizes)
{
    emit listingStarted();
    m_listing = true;
    if (folder != m_folder || m_watcher->directories().isEmpty())
        watch(folder);
    m_folder = folder;
    clear();
    // The emptied list and the disabled tree show at once. After that the window repaints a
    // few times a second, each time with the entries made since added at one go: repainting
    // after every entry made a class folder take seconds.
    EventPacer pacer;
    pacer.processEvents();
    QList<QTreeWidgetItem *> made;
    const auto addMade = [this, &made] {
        addTopLevelItems(made);
        made.clear();
    };
    const auto add = [&](QTreeWidgetItem *entry) {
        made.append(entry);
        if (pacer.isDue()) {
            addMade();
            pacer.processEvents();
        }
    };

    const QDir dir(folder);
    Failure failure;
    if (!QFileInfo(folder).isReadable()) {
        failure = unreadable(folder);
    } else {
        const QDir::SortFlags order = QDir::Name | QDir::IgnoreCase | QDir::LocaleAware;
        for (const QFileInfo &subfolder : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, order)) {
            if (folderSizes && !subfolder.isReadable()) {
                failure = unreadable(subfolder.absoluteFilePath());
                break;
            }
            add(makeEntry(subfolder, subfolder.absoluteFilePath(),
                          folderSizes ? sizeText(folderSize(subfolder.absoluteFilePath())) : QStringLiteral(" ")));
        }
        if (!failure.failed()) {
            for (const QFileInfo &file : dir.entryInfoList(QDir::Files, order)) {
                if (!file.fileName().right(4).toLower().endsWith(QLatin1String(".rtf")))
                    continue;
                add(makeEntry(file, QString(), sizeText(file.size())));
            }
        }
    }
    addMade();
    m_listing = false;
    emit listingFinished();
    return failure;
}

QStringList FileList::selectedPaths() const
{
    return selected(true);
}

QStringList FileList::selectedTests() const
{
    return selected(false);
}

QStringList FileList::selected(bool withFolders) const
{
    QStringList paths;
    const QString prefix = m_folder + QLatin1Char('/');
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QTreeWidgetItem *entry = topLevelItem(i);
        if (entry->isSelected() && (withFolders || !isFolderEntry(entry)))
            paths.append(prefix + entry->text(NameColumn));
    }
    return paths;
}

void FileList::startDrag(Qt::DropActions supportedActions)
{
    m_dragging = true;
    const QList<QTreeWidgetItem *> selected = selectedItems();
    if (!selected.isEmpty()) {
        auto *mimeData = new QMimeData;
        mimeData->setData(selectionMimeType(), m_folder.toUtf8());
        // Other programs (a file manager) get the files themselves.
        QList<QUrl> urls;
        for (const QTreeWidgetItem *entry : selected)
            urls.append(QUrl::fromLocalFile(entry->data(NameColumn, PathRole).toString()));
        mimeData->setUrls(urls);
        auto *drag = new QDrag(this);
        drag->setMimeData(mimeData);
        if (!selected.first()->icon(NameColumn).isNull())
            drag->setPixmap(selected.first()->icon(NameColumn).pixmap(16, 16));
        drag->exec(supportedActions | Qt::CopyAction, Qt::CopyAction);
    }
    m_dragging = false;
    emit selectionDragFinished();
}

void FileList::mousePressEvent(QMouseEvent *event)
{
    m_lastButton = event->button();
    QTreeWidget::mousePressEvent(event);
}

void FileList::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && m_lastButton == Qt::RightButton
        && isFolderEntry(itemAt(event->position().toPoint())))
        emit folderSizesRequested();
}

void FileList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeWidgetItem *entry = itemAt(event->position().toPoint());
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && isFolderEntry(entry))
        emit folderOpenRequested(key(entry));
}

void FileList::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter on a folder opens it, as a double click does.
        if (isFolderEntry(currentItem())) {
            emit folderOpenRequested(key(currentItem()));
            return;
        }
        emit appendSelectionRequested();
        return;
    case Qt::Key_Insert:
        emit appendSelectionRequested();
        return;
    default:
        QTreeWidget::keyPressEvent(event);
    }
}

void FileList::focusInEvent(QFocusEvent *event)
{
    QTreeWidget::focusInEvent(event);
    emit focusReceived();
}

} // namespace tallimark
