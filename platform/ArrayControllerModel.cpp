#include "platform/ArrayControllerModel.h"

#include <QSet>

namespace platform
{

ArrayControllerModel::ArrayControllerModel(ArrayController* controller,
                                           const QList<Column>& columns, QObject* parent)
    : QAbstractTableModel(parent), m_controller(controller), m_columns(columns)
{
    if (!m_controller)
        return;
    m_rows = m_controller->arrangedObjects();
    connect(m_controller, &ArrayController::arrangedObjectsChanged, this,
            &ArrayControllerModel::follow);
}

void ArrayControllerModel::follow()
{
    const QList<ManagedObject*>& fresh = m_controller->arrangedObjects();
    const QSet<ManagedObject*> kept(fresh.begin(), fresh.end());
    for (qsizetype end = m_rows.size(); end > 0;) {
        if (kept.contains(m_rows[end - 1])) {
            --end;
            continue;
        }
        qsizetype first = end - 1;
        while (first > 0 && !kept.contains(m_rows[first - 1]))
            --first;
        beginRemoveRows({}, int(first), int(end - 1));
        m_rows.remove(first, end - first);
        endRemoveRows();
        end = first;
    }
    // Every row left is in `fresh`; bring each place in turn to its object.
    for (qsizetype row = 0; row < fresh.size(); ++row) {
        if (row < m_rows.size() && m_rows[row] == fresh[row])
            continue;
        const qsizetype from = m_rows.indexOf(fresh[row], row);
        if (from >= 0) {
            beginMoveRows({}, int(from), int(from), {}, int(row));
            m_rows.move(from, row);
            endMoveRows();
        } else {
            beginInsertRows({}, int(row), int(row));
            m_rows.insert(row, fresh[row]);
            endInsertRows();
        }
    }
    // Values may have changed with the order (renumbering, edits).
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_rows.size()) - 1, int(m_columns.size()) - 1));
}

ManagedObject* ArrayControllerModel::objectAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows[row] : nullptr;
}

int ArrayControllerModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ArrayControllerModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ArrayControllerModel::data(const QModelIndex& index, int role) const
{
    const ManagedObject* object = objectAt(index.row());
    if (!index.isValid() || !object || index.column() >= m_columns.size() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return object->value(m_columns[index.column()].key);
}

Qt::ItemFlags ArrayControllerModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    // Rows may be dragged wherever the view allows drags.
    if (index.isValid())
        flags |= Qt::ItemIsDragEnabled;
    if (index.isValid() && index.column() < m_columns.size() && m_columns[index.column()].editable)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ArrayControllerModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    ManagedObject* object = objectAt(index.row());
    if (role != Qt::EditRole || !object || index.column() >= m_columns.size() ||
        !m_columns[index.column()].editable)
        return false;
    const QString text = value.toString();
    const QString& key = m_columns[index.column()].key;
    // An emptied cell is an absent value, as a value never set is.
    const QVariant stored = text.isEmpty() ? QVariant() : QVariant(text);
    if (object->value(key) == stored)
        return true;
    object->setValue(key, stored);
    emit dataChanged(index, index);
    return true;
}

QVariant ArrayControllerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_columns.size())
        return {};
    return m_columns[section].title;
}

} // namespace platform
