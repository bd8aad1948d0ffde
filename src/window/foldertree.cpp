#include "foldertree.h"

#include "typeicons.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStorageInfo>

namespace tallimark {

namespace {

constexpr int KeyRole = Qt::UserRole;
// A path with more separators than this is beyond what the tree opens.
constexpr int maxPathLevels = 20;

const QDir::Filters folderFilter = QDir::Dirs | QDir::NoDotAndDotDot;
const QDir::SortFlags folderOrder = QDir::Name | QDir::IgnoreCase | QDir::LocaleAware;

bool hasSubfolders(const QString &path)
{
    return QDirIterator(path, folderFilter).hasNext();
}

bool isRootPath(const QString &path)
{
    return QDir(path).isRoot();
}

#ifndef Q_OS_WIN
// Whether a mount holds a medium of its own. A mount of the system disk's device is one of the
// system's own folders bound elsewhere (a bind mount), and a memory file system holds nothing a
// teacher brought.
bool isMedium(const QStorageInfo &volume, const QByteArray &systemDevice)
{
    static const QByteArrayList memoryTypes{"tmpfs", "ramfs", "devtmpfs", "proc", "sysfs"};
    return volume.device() != systemDevice && !memoryTypes.contains(volume.fileSystemType());
}
#endif

} // namespace

FolderTree::FolderTree(TypeIcons &icons, QWidget *parent)
    : QTreeWidget(parent), m_icons(icons), m_watcher(new QFileSystemWatcher(this))
{
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);

    connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::expandFolder);
    connect(this, &QTreeWidget::itemClicked, this, &FolderTree::listNodeFolder);
    // Enter on a node lists it as a click does, for teachers working from the keyboard.
    connect(this, &QTreeWidget::itemActivated, this, &FolderTree::listNodeFolder);

    m_keyboardListing.setSingleShot(true);
    m_keyboardListing.setInterval(keyboardListingDelayMs);
    connect(&m_keyboardListing, &QTimer::timeout, this, [this] {
        if (QTreeWidgetItem *node = currentItem(); node && !isPlaceholder(node))
            setListedFolder(key(node));
    });

    // A class copied in changes its folder many times; the tree reads it once it settles.
    m_changeSettle.setSingleShot(true);
    m_changeSettle.setInterval(changeSettleMs);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this](const QString &folder) {
        m_changed.insert(folder);
        m_changeSettle.start();
    });
    connect(&m_changeSettle, &QTimer::timeout, this, [this] {
        const QSet<QString> changed = std::exchange(m_changed, {});
        for (const QString &folder : changed)
            followChange(folder);
    });
    m_mediaCheck.setInterval(mediaCheckIntervalMs);
    connect(&m_mediaCheck, &QTimer::timeout, this, &FolderTree::updateRoots);
}

QStringList FolderTree::machineRoots()
{
    QStringList roots;
    // On Windows every drive letter, removable drives and mapped shares included; elsewhere the
    // one root of the file system.
    for (const QFileInfo &drive : QDir::drives())
        roots.append(drive.absoluteFilePath());
#ifndef Q_OS_WIN
    // Removable drives and other media are mounted below these folders, and are shown as roots
    // of their own so that a teacher finds them.
    static const QStringList mediaFolders{QStringLiteral("/media/"), QStringLiteral("/run/media/"),
                                          QStringLiteral("/mnt/"), QStringLiteral("/Volumes/")};
    const QByteArray systemDevice = QStorageInfo::root().device();
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || roots.contains(root) || !isMedium(volume, systemDevice))
            continue;
        for (const QString &folder : mediaFolders) {
            if (root.startsWith(folder)) {
                roots.append(root);
                break;
            }
        }
    }
#endif
    return roots;
}

QString FolderTree::rootCaption(const QString &root)
{
#ifdef Q_OS_WIN
    // A drive as the system's own file manager names it: "Data (D:)"; without a label (or with
    // no disk in it) by its letter alone.
    const QString drive = QDir::toNativeSeparators(root).toUpper();
    if (isRootPath(root) && drive.size() == 3 && drive.at(1) == QLatin1Char(':')) {
        const QStorageInfo volume(root);
        const QString label = volume.isValid() && volume.isReady() ? volume.name() : QString();
        return label.isEmpty() ? drive : QStringLiteral("%1 (%2)").arg(label, drive.left(2));
    }
#endif
    return isRootPath(root) ? QDir::toNativeSeparators(root).toUpper() : QDir::toNativeSeparators(root);
}

QString FolderTree::key(const QTreeWidgetItem *node)
{
    return node ? node->data(0, KeyRole).toString() : QString();
}

bool FolderTree::isPlaceholder(const QTreeWidgetItem *node)
{
    return node && node->text(0).isEmpty();
}

QString FolderTree::lookupKey(const QString &path)
{
    // Keys are compared the way the file system compares names.
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(path).toLower();
#else
    return QDir::fromNativeSeparators(path);
#endif
}

QTreeWidgetItem *FolderTree::node(const QString &key) const
{
    return m_nodes.value(lookupKey(key));
}

QTreeWidgetItem *FolderTree::addNode(QTreeWidgetItem *parent, const QString &key, const QString &text,
                                     const QIcon &icon)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, KeyRole, key);
    item->setIcon(0, icon);
    m_nodes.insert(lookupKey(key), item);
    return item;
}

void FolderTree::addPlaceholder(QTreeWidgetItem *node)
{
    new QTreeWidgetItem(node);
}

void FolderTree::listRoots()
{
    clear();
    m_nodes.clear();
    m_roots.clear();
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    updateRoots();
    m_mediaCheck.start();
}

void FolderTree::updateRoots()
{
    const QStringList roots = m_rootSource();
    for (int i = topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem *item = topLevelItem(i);
        if (roots.contains(key(item)))
            continue;
        forgetNodes(item);
        delete item;
    }
    for (const QString &root : roots) {
        if (m_roots.contains(root))
            continue;
        // Each root has an icon of its own: its path is its type name.
        QTreeWidgetItem *item = addNode(nullptr, root, rootCaption(root), m_icons.icon(QFileInfo(root), root));
        addPlaceholder(item);
    }
    m_roots = roots;
}

void FolderTree::watch(const QString &folder)
{
    if (!m_watcher->directories().contains(folder) && QFileInfo(folder).isDir())
        m_watcher->addPath(folder);
}

void FolderTree::forgetNodes(QTreeWidgetItem *node)
{
    for (int i = 0; i < node->childCount(); ++i)
        forgetNodes(node->child(i));
    const QString path = key(node);
    if (path.isEmpty())
        return;
    m_nodes.remove(lookupKey(path));
    if (m_watcher->directories().contains(path))
        m_watcher->removePath(path);
}

void FolderTree::addSubfolderNode(QTreeWidgetItem *parent, const QFileInfo &subfolder, int index)
{
    const QString full = subfolder.absoluteFilePath();
    QTreeWidgetItem *child =
        addNode(parent, full, subfolder.fileName(), m_icons.icon(subfolder, m_icons.typeName(subfolder)));
    // addNode appends; the folder's place among its siblings is by name.
    parent->insertChild(index, parent->takeChild(parent->indexOfChild(child)));
    if (hasSubfolders(full))
        addPlaceholder(child);
}

void FolderTree::followChange(const QString &folder)
{
    QTreeWidgetItem *changed = node(folder);
    if (!changed || !QFileInfo(folder).isDir())
        return; // gone: its parent's change removes its node
    const QFileInfoList subfolders = QDir(folder).entryInfoList(folderFilter, folderOrder);
    if (changed->childCount() > 0 && isPlaceholder(changed->child(0))) {
        // Not read yet: only whether it can be opened changes.
        if (subfolders.isEmpty())
            delete changed->takeChild(0);
        return;
    }
    QSet<QString> present;
    for (const QFileInfo &subfolder : subfolders)
        present.insert(lookupKey(subfolder.absoluteFilePath()));
    for (int i = changed->childCount() - 1; i >= 0; --i) {
        QTreeWidgetItem *child = changed->child(i);
        if (present.contains(lookupKey(key(child))))
            continue;
        forgetNodes(child);
        delete changed->takeChild(i);
    }
    // What is left keeps the folder's order; the new folders go in between.
    for (int i = 0; i < int(subfolders.size()); ++i) {
        const QString full = subfolders.at(i).absoluteFilePath();
        if (i < changed->childCount() && lookupKey(key(changed->child(i))) == lookupKey(full))
            continue;
        if (QTreeWidgetItem *elsewhere = node(full)) {
            changed->insertChild(i, changed->takeChild(changed->indexOfChild(elsewhere)));
            continue;
        }
        addSubfolderNode(changed, subfolders.at(i), i);
    }
    watch(folder);
}

void FolderTree::expandFolder(QTreeWidgetItem *node)
{
    const QString path = key(node);
    const QFileInfo folder(path);
    if (folder.isDir() && folder.isReadable() && node->childCount() > 0 && isPlaceholder(node->child(0))) {
        delete node->takeChild(0);
        const QFileInfoList subfolders = QDir(path).entryInfoList(folderFilter, folderOrder);
        for (const QFileInfo &subfolder : subfolders)
            addSubfolderNode(node, subfolder, node->childCount());
        // From now on the node follows the folder.
        watch(path);
    }
    // A folder that could not be read keeps its placeholder and collapses, so a later
    // expansion tries again; a folder without subfolders loses its expand button.
    if (node->childCount() == 0 || isPlaceholder(node->child(0)))
        node->setExpanded(false);
}

void FolderTree::mousePressEvent(QMouseEvent *event)
{
    m_lastButton = event->button();
    QTreeWidget::mousePressEvent(event);
    // A right click selects the node it is on, as a left click does, without listing it.
    if (m_lastButton == Qt::RightButton) {
        if (QTreeWidgetItem *pressed = itemAt(event->position().toPoint()))
            setCurrentItem(pressed);
    }
}

void FolderTree::keyPressEvent(QKeyEvent *event)
{
    const QTreeWidgetItem *before = currentItem();
    QTreeWidget::keyPressEvent(event);
    // Each move restarts the wait; the node the selection rests on is listed.
    if (currentItem() != before)
        m_keyboardListing.start();
}

void FolderTree::listNodeFolder(QTreeWidgetItem *node)
{
    // A right click only selects the node.
    if (m_lastButton == Qt::RightButton) {
        m_lastButton = Qt::LeftButton;
        return;
    }
    if (!node || isPlaceholder(node))
        return;
    setListedFolder(key(node));
}

void FolderTree::setListedFolder(const QString &folder)
{
    if (folder == m_listedFolder)
        return;
    m_listedFolder = folder;
    // A folder listed but not opened still learns when it gets its first subfolder.
    watch(folder);
    emit listFolderRequested(folder);
}

void FolderTree::showFolder(const QString &folder)
{
    const QString path = QDir::fromNativeSeparators(folder);
    const QFileInfo target(path);
    if (path.isEmpty() || !target.isDir())
        return;
    const QString absolute = QDir::cleanPath(target.absoluteFilePath());

    if (!isRootPath(absolute)) {
        // Every separator ends one level to open: the root first, then each folder down to the
        // target's parent (and the target itself when written with a closing separator).
        QString written = target.isAbsolute() ? path : QDir::current().absolutePath() + QLatin1Char('/') + path;
        QStringList prefixes;
        for (qsizetype at = written.indexOf(QLatin1Char('/')); at >= 0; at = written.indexOf(QLatin1Char('/'), at + 1))
            prefixes.append(written.left(at));
        if (prefixes.size() > maxPathLevels)
            return;
        prefixes[0] = prefixes[0].toUpper() + QLatin1Char('/');
        for (const QString &prefix : std::as_const(prefixes)) {
            QTreeWidgetItem *level = node(prefix == QLatin1String("/") ? prefix : QDir::cleanPath(prefix));
            if (!level)
                return;
            level->setExpanded(true);
        }
    }

    const bool changed = absolute != m_listedFolder;
    setListedFolder(absolute);

    QTreeWidgetItem *selected = node(absolute);
    if (!selected)
        return;
    setCurrentItem(selected);
    // In the middle rather than at an edge: the node stays whole when the view narrows after
    // this, as it does when the window manager settles the new window or a horizontal scroll
    // bar comes with the wider names below.
    scrollToItem(selected, QAbstractItemView::PositionAtCenter);
    // A root is listed again even when it is already the listed folder.
    if (isRootPath(absolute) && !changed)
        emit listFolderRequested(absolute);
}

} // namespace tallimark
