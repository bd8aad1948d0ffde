#include "filelist.h"

#include "typeicons.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMimeData>
#include <QUrl>

namespace tallimark {

namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int PathRole = Qt::UserRole + 1;

Failure unreadable(const QString &path)
{
    return {ErrorNumber::PermissionDenied, QStringLiteral("Permission denied: %1").arg(QDir::toNativeSeparators(path))};
}

// The total size of everything below the folder.
qint64 folderSize(const QString &folder)
{
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}

} // namespace

FileList::FileList(TypeIcons &icons, QWidget *parent)
    : QTreeWidget(parent), m_icons(icons)
{
    setColumnCount(3);
    setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Type")});
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
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
        sortItems(column, Qt::AscendingOrder);
    });
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

QTreeWidgetItem *FileList::addEntry(const QFileInfo &item, const QString &entryKey, const QString &size)
{
    const QString type = m_icons.typeName(item);
    auto *entry = new QTreeWidgetItem(this);
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
    m_folder = folder;
    clear();

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
            addEntry(subfolder, subfolder.absoluteFilePath(),
                     folderSizes ? sizeText(folderSize(subfolder.absoluteFilePath())) : QStringLiteral(" "));
            QCoreApplication::processEvents();
        }
        if (!failure.failed()) {
            for (const QFileInfo &file : dir.entryInfoList(QDir::Files, order)) {
                if (!file.fileName().right(4).toLower().endsWith(QLatin1String(".rtf")))
                    continue;
                addEntry(file, QString(), sizeText(file.size()));
                QCoreApplication::processEvents();
            }
        }
    }
    emit listingFinished();
    return failure;
}

QStringList FileList::selectedPaths() const
{
    QStringList paths;
    const QString prefix = m_folder + QLatin1Char('/');
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QTreeWidgetItem *entry = topLevelItem(i);
        if (entry->isSelected())
            paths.append(prefix + entry->text(NameColumn));
    }
    return paths;
}

void FileList::startDrag(Qt::DropActions supportedActions)
{
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
    case Qt::Key_Insert:
    case Qt::Key_Return:
    case Qt::Key_Enter:
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
