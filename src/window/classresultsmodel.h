// The class table's model: the prepared results of a folder, taken over in one reset, and
// sorted by the keys prepared with them.
#pragma once

#include "classresultsdata.h"

#include <QAbstractTableModel>
#include <QIcon>

namespace tallimark {

class ClassResultsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ClassResultsModel(QObject *parent = nullptr);

    // Replaces everything shown; the rows keep the prepared order (learners by name).
    void setResults(ClassResultsData results);
    const ClassResultsData &results() const { return m_data; }
    // The learner shown in this row.
    const LearnerResult &learner(int row) const { return m_data.results.at(m_order.at(row)); }

    // Marks the verdict that asks the teacher to look again.
    void setWarningIcon(const QIcon &icon) { m_warning = icon; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    ClassResultsData m_data;
    QList<int> m_order; // the learner index of each shown row
    QIcon m_warning;
};

} // namespace tallimark
