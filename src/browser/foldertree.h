// The folder tree: the machine's roots as top nodes, subfolders read on first expansion.
#pragma once

#include <QHash>
#include <QString>
#include <QTreeWidget>

namespace tallimark {

class TypeIcons;

class FolderTree : public QTreeWidget
{
    Q_OBJECT

public:
    explicit FolderTree(TypeIcons &icons, QWidget *parent = nullptr);

    // Empties the tree and adds one expandable node per root of the machine.
    void listRoots();

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

private:
    void expandFolder(QTreeWidgetItem *node);
    void listNodeFolder(QTreeWidgetItem *node);
    void setListedFolder(const QString &folder);
    QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const QString &key, const QString &text, const QIcon &icon);
    static void addPlaceholder(QTreeWidgetItem *node);
    static QString lookupKey(const QString &path);

    TypeIcons &m_icons;
    QHash<QString, QTreeWidgetItem *> m_nodes;
    QString m_listedFolder;
    Qt::MouseButton m_lastButton = Qt::LeftButton;
};

} // namespace tallimark
