#pragma once

#include "platform/store/ObjectContext.h"

#include <QAbstractTableModel>

namespace typewarden
{

// The captured pairs as the list window shows them: every WordPair of the agent's context, oldest
// first, rearranged whenever the context changes by inserting and removing rows.
class WordPairArrayController : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { CorrectColumn, MisspelledColumn, TimeColumn, ColumnCount };

    explicit WordPairArrayController(platform::ObjectContext* context, QObject* parent = nullptr);

    void rearrangeObjects();
    const QList<platform::ManagedObject*>& arrangedObjects() const { return m_pairs; }
    // Deletes the pairs at these rows from the context (unsaved, undoable).
    void remove(const QList<int>& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // Brings the rows to `fresh` by removals and insertions; false when the order of the pairs
    // kept has changed.
    bool mergeRows(const QList<platform::ManagedObject*>& fresh);

    platform::ObjectContext* m_context;
    QList<platform::ManagedObject*> m_pairs;
};

} // namespace typewarden
