#include "lexotrace/analysis/AnalysisRowsModel.h"

namespace lexotrace
{

void AnalysisRowsModel::append(const AnalysisRow& row)
{
    const int at = int(m_rows.size());
    beginInsertRows({}, at, at);
    m_rows.append(row);
    endInsertRows();
}

void AnalysisRowsModel::append(const QList<AnalysisRow>& rows)
{
    if (rows.isEmpty())
        return;
    const int at = int(m_rows.size());
    beginInsertRows({}, at, at + int(rows.size()) - 1);
    m_rows.append(rows);
    endInsertRows();
}

int AnalysisRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int AnalysisRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AnalysisRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const AnalysisRow& row = m_rows[index.row()];
    switch (index.column()) {
    case CorrectColumn:
        return row.cSpell;
    case MisspelledColumn:
        return row.mSpell;
    case RuleColumn:
        return row.generalRule.value_or(QString());
    case ReferenceColumn:
        return row.reference.value_or(QString());
    }
    return {};
}

QVariant AnalysisRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case CorrectColumn:
        return tr("Correct spelling");
    case MisspelledColumn:
        return tr("Misspelling");
    case RuleColumn:
        return tr("General rule");
    case ReferenceColumn:
        return tr("Lesson");
    }
    return {};
}

} // namespace lexotrace
