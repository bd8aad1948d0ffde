// The test box ("green box"): the full paths of the tests the next marking session marks.
#pragma once

#include <QListWidget>
#include <QStringList>

namespace tallimark {

class TestBox : public QListWidget
{
    Q_OBJECT

public:
    explicit TestBox(QWidget *parent = nullptr);

    QStringList tests() const;
    void appendTests(const QStringList &paths);

    // Delete: removes the selected entry; afterwards nothing is selected.
    void removeSelectedTest();

signals:
    // A drag from the file list was dropped here: the file list's selection is what to add.
    void fileListSelectionDropped();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace tallimark
