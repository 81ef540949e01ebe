#include "typewarden/app/WordPairArrayController.h"

#include "model/OrthovaModel.h"

#include <QLocale>
#include <QSet>

#include <algorithm>

namespace typewarden
{

namespace key = model::key;

WordPairArrayController::WordPairArrayController(platform::ObjectContext* context, QObject* parent)
    : QAbstractTableModel(parent), m_context(context)
{
    if (m_context)
        connect(m_context, &platform::ObjectContext::objectsDidChange, this,
                &WordPairArrayController::rearrangeObjects);
    rearrangeObjects();
}

void WordPairArrayController::rearrangeObjects()
{
    QList<platform::ManagedObject*> fresh;
    if (m_context)
        fresh = m_context
                    ->fetch({model::entity::WordPair,
                             {},
                             {{key::tStamp, true, platform::Comparison::Plain}},
                             0})
                    .value_or(QList<platform::ManagedObject*>{});
    // Rows come and go one run at a time, so the views keep their selection and scroll position.
    if (!mergeRows(fresh)) {
        beginResetModel();
        m_pairs = fresh;
        endResetModel();
    }
}

bool WordPairArrayController::mergeRows(const QList<platform::ManagedObject*>& fresh)
{
    const QSet<platform::ManagedObject*> kept(fresh.begin(), fresh.end());
    for (qsizetype end = m_pairs.size(); end > 0;) {
        if (kept.contains(m_pairs[end - 1])) {
            --end;
            continue;
        }
        qsizetype first = end - 1;
        while (first > 0 && !kept.contains(m_pairs[first - 1]))
            --first;
        beginRemoveRows({}, int(first), int(end - 1));
        m_pairs.remove(first, end - first);
        endRemoveRows();
        end = first;
    }
    const QSet<platform::ManagedObject*> present(m_pairs.begin(), m_pairs.end());
    for (qsizetype row = 0; row < fresh.size();) {
        if (row < m_pairs.size() && m_pairs[row] == fresh[row]) {
            ++row;
            continue;
        }
        // A pair already listed elsewhere means the order changed: only a reset shows that.
        if (present.contains(fresh[row]))
            return false;
        qsizetype end = row + 1;
        while (end < fresh.size() && !present.contains(fresh[end]))
            ++end;
        beginInsertRows({}, int(row), int(end - 1));
        m_pairs.insert(row, end - row, nullptr);
        std::copy(fresh.begin() + row, fresh.begin() + end, m_pairs.begin() + row);
        endInsertRows();
        row = end;
    }
    return m_pairs.size() == fresh.size();
}

void WordPairArrayController::remove(const QList<int>& rows)
{
    QList<platform::ManagedObject*> doomed;
    for (int row : rows)
        if (row >= 0 && row < m_pairs.size())
            doomed.append(m_pairs[row]);
    for (platform::ManagedObject* pair : doomed)
        m_context->deleteObject(pair);
    m_context->processPendingChanges();
}

int WordPairArrayController::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_pairs.size());
}

int WordPairArrayController::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant WordPairArrayController::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_pairs.size() || role != Qt::DisplayRole)
        return {};
    const platform::ManagedObject* pair = m_pairs[index.row()];
    switch (index.column()) {
    case CorrectColumn:
        return pair->string(key::cSpell);
    case MisspelledColumn:
        return pair->string(key::mSpell);
    case TimeColumn:
        return QLocale().toString(pair->date(key::tStamp).toLocalTime(), QLocale::ShortFormat);
    }
    return {};
}

QVariant WordPairArrayController::headerData(int section, Qt::Orientation orientation,
                                             int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case CorrectColumn:
        return tr("Correct");
    case MisspelledColumn:
        return tr("Misspelt");
    case TimeColumn:
        return tr("Time");
    }
    return {};
}

} // namespace typewarden
