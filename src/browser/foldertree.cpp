#include "foldertree.h"

#include "typeicons.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>

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

} // namespace

FolderTree::FolderTree(TypeIcons &icons, QWidget *parent)
    : QTreeWidget(parent), m_icons(icons)
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
    for (const QFileInfo &drive : QDir::drives()) {
        const QString root = drive.absoluteFilePath();
        // Each root has an icon of its own: its path is its type name.
        QTreeWidgetItem *item = addNode(nullptr, root, QDir::toNativeSeparators(root).toUpper(),
                                        m_icons.icon(drive, root));
        addPlaceholder(item);
    }
}

void FolderTree::expandFolder(QTreeWidgetItem *node)
{
    const QString path = key(node);
    const QFileInfo folder(path);
    if (folder.isDir() && folder.isReadable() && node->childCount() > 0 && isPlaceholder(node->child(0))) {
        delete node->takeChild(0);
        const QFileInfoList subfolders = QDir(path).entryInfoList(folderFilter, folderOrder);
        for (const QFileInfo &subfolder : subfolders) {
            const QString full = subfolder.absoluteFilePath();
            QTreeWidgetItem *child = addNode(node, full, subfolder.fileName(),
                                             m_icons.icon(subfolder, m_icons.typeName(subfolder)));
            if (hasSubfolders(full))
                addPlaceholder(child);
        }
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
    scrollToItem(selected);
    // A root is listed again even when it is already the listed folder.
    if (isRootPath(absolute) && !changed)
        emit listFolderRequested(absolute);
}

} // namespace tallimark
