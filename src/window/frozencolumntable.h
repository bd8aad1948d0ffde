// A table whose first column stays in view when it scrolls sideways: a second view, showing
// only that column, lies over the table's own first column and scrolls up and down with it.
// Both share the model and the selection.
#pragma once

#include <QTableView>

namespace tallimark {

class FrozenColumnTable : public QTableView
{
    Q_OBJECT

public:
    explicit FrozenColumnTable(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    // The view over the first column.
    QTableView *frozenView() const { return m_frozen; }

signals:
    // Enter on a row, or a double-click on any of its cells, the first column's included.
    void rowActivated(const QModelIndex &index);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void updateGeometries() override;

private:
    void showFirstColumnOnly();
    void updateFrozenGeometry();

    QTableView *m_frozen;
};

} // namespace tallimark
