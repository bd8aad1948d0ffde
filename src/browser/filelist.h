// The file list: the listed folder's subfolders, then its ".rtf" files, with size and type.
#pragma once

#include "documents/failure.h"

#include <QFileInfo>
#include <QStringList>
#include <QTreeWidget>

namespace tallimark {

class TypeIcons;

class FileList : public QTreeWidget
{
    Q_OBJECT

public:
    enum Column { NameColumn, SizeColumn, TypeColumn };

    explicit FileList(TypeIcons &icons, QWidget *parent = nullptr);

    // Rebuilds the list from the folder, letting the window repaint after every entry. With
    // folderSizes each subfolder's total size is shown. A failure stops the listing at the
    // failing entry; what was added stays.
    [[nodiscard]] Failure listFolder(const QString &folder, bool folderSizes = false);

    // The folder listed last.
    QString folder() const { return m_folder; }

    // The full path of each selected entry, in list order: the listed folder, a separator and
    // the entry's name, folders and files alike.
    QStringList selectedPaths() const;

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
    void folderOpenRequested(const QString &folder);   // double click on a folder entry
    void folderSizesRequested();                       // right click on a folder entry
    void selectionDragFinished();                      // a drag from here ended, dropped or not
    void appendSelectionRequested();                   // Insert or Enter
    void focusReceived();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    QTreeWidgetItem *addEntry(const QFileInfo &item, const QString &key, const QString &size);

    TypeIcons &m_icons;
    QString m_folder;
    Qt::MouseButton m_lastButton = Qt::LeftButton;
};

} // namespace tallimark
