#pragma once

#include "platform/ArrayController.h"
#include "platform/ArrayControllerModel.h"

namespace typewarden
{

// The captured pairs as the list window shows them: every WordPair of the agent's context, oldest
// first, kept in step with the context by inserting, moving and removing rows.
class WordPairArrayController : public platform::ArrayControllerModel
{
    Q_OBJECT
public:
    enum Column { CorrectColumn, MisspelledColumn, TimeColumn, ColumnCount };

    explicit WordPairArrayController(platform::ObjectContext* context, QObject* parent = nullptr);

    void rearrangeObjects() { controller()->rearrangeObjects(); }
    const QList<platform::ManagedObject*>& arrangedObjects() const
    {
        return controller()->arrangedObjects();
    }
    // Deletes the pairs at these rows from the context (unsaved, undoable).
    void remove(const QList<int>& rows);

    // The time in the desktop's short format.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

} // namespace typewarden
