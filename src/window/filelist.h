// The file list: the listed folder's subfolders, then its ".rtf" files, with size and type. It
// follows the folder: entries made, renamed or removed while it is listed come and go.
#pragma once

#include "documents/failure.h"

#include <QFileInfo>
#include <QStringList>
#include <QTreeWidget>

class QFileSystemWatcher;
class QTimer;

namespace tallimark {

class TypeIcons;

class FileList : public QTreeWidget
{
    Q_OBJECT

public:
    enum Column { NameColumn, SizeColumn, TypeColumn };

    explicit FileList(TypeIcons &icons, QWidget *parent = nullptr);

    // Rebuilds the list from the folder, letting the window repaint while it works. With
    // folderSizes each subfolder's total size is shown. A failure stops the listing at the
    // failing entry; what was added stays.
    [[nodiscard]] Failure listFolder(const QString &folder, bool folderSizes = false);

    // The folder listed last.
    QString folder() const { return m_folder; }

    // The full path of each selected entry, in list order: the listed folder, a separator and
    // the entry's name, folders and files alike.
    QStringList selectedPaths() const;
    // The same for the selected tests only, leaving out folders.
    QStringList selectedTests() const;

    // How long the list waits after a change in the folder before it reads it again, so that
    // a class being copied in is read once rather than once per file.
    static constexpr int changeSettleMs = 200;

    // A folder entry carries the folder's full path as its key; a file entry has none.
    static QString key(const QTreeWidgetItem *entry);
    static bool isFolderEntry(const QTreeWidgetItem *entry) { return !key(entry).isEmpty(); }

    // "###,##0 KB" of bytes / 1024, with the locale's thousands separator.
    static QString sizeText(qint64 bytes);

    // The drag's data says that it comes from this list; drops read the selection instead.
    static QString selectionMimeType();

signals:
    void listingStarted();
    void listingFinished();
    void folderOpenRequested(const QString &folder); // double click or Enter on a folder entry
    void folderSizesRequested();                     // right click on a folder entry
    void selectionDragFinished();                    // a drag from here ended, dropped or not
    void appendSelectionRequested();                 // Insert, or Enter on a test
    void focusReceived();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    QStringList selected(bool withFolders) const;
    // An entry not yet in the list.
    QTreeWidgetItem *makeEntry(const QFileInfo &item, const QString &key, const QString &size);
    void watch(const QString &folder);
    // Reads the folder again after it changed, keeping the selection, the current entry and
    // the scroll position.
    void followChange();

    TypeIcons &m_icons;
    QString m_folder;
    Qt::MouseButton m_lastButton = Qt::LeftButton;
    QFileSystemWatcher *m_watcher;
    QTimer *m_changeSettle;
    bool m_listing = false;
    bool m_dragging = false;
};

} // namespace tallimark
