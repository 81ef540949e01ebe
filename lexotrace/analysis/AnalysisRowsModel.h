#pragma once

#include "lexotrace/analysis/AnalysisRow.h"

#include <QAbstractTableModel>
#include <QList>

namespace lexotrace
{

// The list of analysis rows the window shows (its "matched words" array controller). Rows are only
// ever appended, in the order the analysis produces them.
class AnalysisRowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { CorrectColumn, MisspelledColumn, RuleColumn, ReferenceColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void append(const AnalysisRow& row);
    // A batch is one insertion, so the view lays out and paints once for it.
    void append(const QList<AnalysisRow>& rows);
    const QList<AnalysisRow>& rows() const { return m_rows; }
    const AnalysisRow& at(int index) const { return m_rows.at(index); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<AnalysisRow> m_rows;
};

} // namespace lexotrace
