#include "frozencolumntable.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

namespace tallimark {

FrozenColumnTable::FrozenColumnTable(QWidget *parent) : QTableView(parent), m_frozen(new QTableView(this))
{
    m_frozen->setObjectName(QStringLiteral("frozenColumn"));
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->verticalHeader()->hide();
    m_frozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_frozen->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_frozen->setWordWrap(false);
    m_frozen->setFrameShape(QFrame::NoFrame);
    // A line on its right edge tells the teacher that the columns scroll past under it.
    m_frozen->setStyleSheet(QStringLiteral("QTableView { border-right: 1px solid palette(mid); }"));
    viewport()->stackUnder(m_frozen);

    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    m_frozen->setVerticalScrollMode(ScrollPerPixel);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column == 0) {
            m_frozen->setColumnWidth(0, size);
            updateFrozenGeometry();
        }
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { m_frozen->setRowHeight(row, size); });
    connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_frozen->verticalScrollBar(),
            &QAbstractSlider::setValue);
    // The frozen header lies over the table's own first heading and sorts as it would.
    m_frozen->horizontalHeader()->setSectionsClickable(true);
    connect(m_frozen->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (!isSortingEnabled())
            return;
        const bool again = horizontalHeader()->sortIndicatorSection() == column
            && horizontalHeader()->sortIndicatorOrder() == Qt::AscendingOrder;
        sortByColumn(column, again ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, m_frozen->horizontalHeader(),
            [this](int column, Qt::SortOrder order) {
                m_frozen->horizontalHeader()->setSortIndicatorShown(isSortingEnabled());
                m_frozen->horizontalHeader()->setSortIndicator(column, order);
            });
    connect(this, &QTableView::doubleClicked, this, &FrozenColumnTable::rowActivated);
    connect(m_frozen, &QTableView::doubleClicked, this, &FrozenColumnTable::rowActivated);
}

void FrozenColumnTable::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    m_frozen->setModel(model);
    m_frozen->setSelectionModel(selectionModel());
    // The model's columns change when it is filled again.
    connect(model, &QAbstractItemModel::columnsInserted, this, &FrozenColumnTable::showFirstColumnOnly);
    connect(model, &QAbstractItemModel::modelReset, this, &FrozenColumnTable::showFirstColumnOnly);
    connect(model, &QAbstractItemModel::layoutChanged, this, &FrozenColumnTable::showFirstColumnOnly);
    showFirstColumnOnly();
}

void FrozenColumnTable::showFirstColumnOnly()
{
    if (!model())
        return;
    for (int column = 0; column < model()->columnCount(); ++column)
        m_frozen->setColumnHidden(column, column != 0);
    m_frozen->setColumnWidth(0, columnWidth(0));
    m_frozen->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    updateFrozenGeometry();
}

void FrozenColumnTable::updateFrozenGeometry()
{
    const int left = (verticalHeader()->isVisible() ? verticalHeader()->width() : 0) + frameWidth();
    m_frozen->setGeometry(left, frameWidth(), columnWidth(0), viewport()->height() + horizontalHeader()->height());
    m_frozen->setVisible(model() && model()->columnCount() > 0);
}

void FrozenColumnTable::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    updateFrozenGeometry();
}

void FrozenColumnTable::updateGeometries()
{
    QTableView::updateGeometries();
    updateFrozenGeometry();
}

void FrozenColumnTable::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        emit rowActivated(currentIndex());
        return;
    }
    QTableView::keyPressEvent(event);
}

QModelIndex FrozenColumnTable::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    // Moving left onto a cell hidden under the first column scrolls it out from under.
    if (cursorAction == MoveLeft && current.column() > 0 && visualRect(current).left() < m_frozen->columnWidth(0))
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + visualRect(current).left()
                                        - m_frozen->columnWidth(0));
    return current;
}

void FrozenColumnTable::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    // The first column is always in view; scrolling to it would only move the others.
    if (index.column() > 0)
        QTableView::scrollTo(index, hint);
}

} // namespace tallimark
