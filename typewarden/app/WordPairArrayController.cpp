#include "typewarden/app/WordPairArrayController.h"

#include "model/OrthovaModel.h"

#include <QLocale>

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
    beginResetModel();
    m_pairs.clear();
    if (m_context)
        m_pairs = m_context
                      ->fetch({model::entity::WordPair,
                               {},
                               {{key::tStamp, true, platform::Comparison::Plain}},
                               0})
                      .value_or(QList<platform::ManagedObject*>{});
    endResetModel();
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
