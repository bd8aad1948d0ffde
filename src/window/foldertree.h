// The folder tree: the machine's roots and mounted media as top nodes, subfolders read on first
// expansion. It follows the file system: folders made, renamed or removed in an opened folder
// come and go, and media appear and go as they are mounted and removed.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

class QFileInfo;
class QFileSystemWatcher;

namespace tallimark {

class TypeIcons;

class FolderTree : public QTreeWidget
{
    Q_OBJECT

public:
    // How long the selection must rest on a node reached by the keys before it is listed, so
    // that holding an arrow key does not list every folder on the way.
    static constexpr int keyboardListingDelayMs = 250;
    // How long the tree waits after a change before it reads the changed folders again.
    static constexpr int changeSettleMs = 200;
    // How often the mounted media are looked at again.
    static constexpr int mediaCheckIntervalMs = 1000;

    explicit FolderTree(TypeIcons &icons, QWidget *parent = nullptr);

    // Empties the tree and adds one expandable node per root of the machine and per mounted
    // medium.
    void listRoots();

    // Where the roots come from: the machine's drives and the mount points of its removable
    // and mounted media. Replaced by tests.
    using RootSource = std::function<QStringList()>;
    void setRootSource(RootSource source) { m_rootSource = std::move(source); }
    static QStringList machineRoots();
    // How a root is named in the tree: a drive by its label and letter, a medium by where it
    // is mounted, with the system's separators.
    static QString rootCaption(const QString &root);
    // Adds a root for each drive or medium that came since the last look, and removes those gone.
    void updateRoots();

    // Opens the tree down to the folder, lists it and selects its node. A folder that does not
    // exist, or that the tree cannot reach, changes nothing and shows nothing.
    void showFolder(const QString &folder);

    // The folder the file list shows.
    QString listedFolder() const { return m_listedFolder; }

    // The node of a folder or root, by its full path; null when the tree does not hold it.
    QTreeWidgetItem *node(const QString &key) const;
    static QString key(const QTreeWidgetItem *node);
    static bool isPlaceholder(const QTreeWidgetItem *node);

signals:
    // The listed folder changed, or a root was asked to be listed again.
    void listFolderRequested(const QString &folder);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void expandFolder(QTreeWidgetItem *node);
    // Brings a folder's node in line with the folder: subfolders made since are added, those
    // gone are removed with everything below them.
    void followChange(const QString &folder);
    void addSubfolderNode(QTreeWidgetItem *parent, const QFileInfo &subfolder, int index);
    void forgetNodes(QTreeWidgetItem *node);
    void watch(const QString &folder);
    void listNodeFolder(QTreeWidgetItem *node);
    void setListedFolder(const QString &folder);
    QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const QString &key, const QString &text, const QIcon &icon);
    static void addPlaceholder(QTreeWidgetItem *node);
    static QString lookupKey(const QString &path);

    TypeIcons &m_icons;
    QHash<QString, QTreeWidgetItem *> m_nodes;
    QString m_listedFolder;
    Qt::MouseButton m_lastButton = Qt::LeftButton;
    QTimer m_keyboardListing;
    QFileSystemWatcher *m_watcher;
    QTimer m_changeSettle;
    QSet<QString> m_changed; // folders changed since the tree last followed
    QTimer m_mediaCheck;
    RootSource m_rootSource = &FolderTree::machineRoots;
    QStringList m_roots; // the roots shown
};

} // namespace tallimark
