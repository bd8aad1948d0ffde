#include "classresultsmodel.h"

#include "classpack/classtexts.h"

#include "records/classtable.h"

#include <QColor>
#include <QFont>

#include <algorithm>
#include <numeric>

namespace tallimark {

namespace {

bool keyLess(const QVariant &a, const QVariant &b)
{
    if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double)
        return a.toDouble() < b.toDouble();
    return a.toString() < b.toString();
}

} // namespace

ClassResultsModel::ClassResultsModel(QObject *parent) : QAbstractTableModel(parent) { }

void ClassResultsModel::setResults(ClassResultsData results)
{
    beginResetModel();
    m_data = std::move(results);
    m_order.resize(m_data.results.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    endResetModel();
}

int ClassResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int ClassResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ClassTableColumn::Count;
}

QVariant ClassResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_order.size())
        return {};
    const int learnerIndex = m_order.at(index.row());
    const int column = index.column();
    const bool unreliable =
        column == ClassTableColumn::Verdict && m_data.results.at(learnerIndex).current.isUnreliable();
    switch (role) {
    case Qt::DisplayRole:
        return m_data.fields.at(learnerIndex).value(column);
    case Qt::ToolTipRole:
        return column == ClassTableColumn::Remarks ? m_data.fields.at(learnerIndex).value(column) : QVariant();
    case Qt::TextAlignmentRole:
        if (column >= ClassTableColumn::Keystrokes && column <= ClassTableColumn::Change)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    case Qt::FontRole:
        if (unreliable) {
            QFont bold;
            bold.setBold(true); // only the weight: the rest is the view's
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        return unreliable ? QVariant(QColor(0xa0, 0, 0)) : QVariant();
    case Qt::BackgroundRole:
        return unreliable ? QVariant(QColor(0xff, 0xf0, 0xb0)) : QVariant();
    case Qt::DecorationRole:
        return unreliable ? QVariant(m_warning) : QVariant();
    default:
        return {};
    }
}

QVariant ClassResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // In the interface's language at the time of asking, so a switch of language shows at once.
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return shownClassTableHeader().value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void ClassResultsModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ClassTableColumn::Count)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> learnersBefore;
    learnersBefore.reserve(before.size());
    for (const QModelIndex &index : before)
        learnersBefore.append(m_order.at(index.row()));

    // Stable, from the prepared order: learners with equal keys stay by name.
    std::iota(m_order.begin(), m_order.end(), 0);
    const auto &keys = m_data.sortKeys;
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        return order == Qt::AscendingOrder ? keyLess(keys.at(a).at(column), keys.at(b).at(column))
                                           : keyLess(keys.at(b).at(column), keys.at(a).at(column));
    });

    QList<int> rowOf(m_order.size());
    for (int row = 0; row < int(m_order.size()); ++row)
        rowOf[m_order.at(row)] = row;
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype k = 0; k < before.size(); ++k)
        after.append(index(rowOf.at(learnersBefore.at(k)), before.at(k).column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace tallimark
