#pragma once

#include "platform/store/ObjectContext.h"
#include "platform/store/SortDescriptor.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace platform
{

// A sorted, selectable list of objects of one entity in a context: every object of the entity, or
// the members of a to-many relationship of the object last selected in a master controller. The
// list is read again and re-sorted whenever the context announces changes, and at once after an
// add or a removal made here; the selected objects stay selected wherever they land.
class ArrayController : public QObject
{
    Q_OBJECT
public:
    static constexpr qsizetype NotFound = -1;

    ArrayController(ObjectContext* context, const QString& entityName, QObject* parent = nullptr);

    ObjectContext* context() const { return m_context; }
    const QString& entityName() const { return m_entityName; }

    // The content follows the master: the members of `relationship` of its last selected object.
    void setContentRelationship(ArrayController* master, const QString& relationship);
    ArrayController* master() const { return m_master; }
    // The object whose relationship is shown; nullptr without a master or a master selection.
    ManagedObject* contentOwner() const { return m_owner; }

    void setSortDescriptors(const QList<SortDescriptor>& descriptors);
    const QList<SortDescriptor>& sortDescriptors() const { return m_sortDescriptors; }

    const QList<ManagedObject*>& arrangedObjects() const { return m_arranged; }
    void rearrangeObjects();

    // With it on, a list with objects always has a selection.
    void setAvoidsEmptySelection(bool on) { m_avoidsEmptySelection = on; }
    bool avoidsEmptySelection() const { return m_avoidsEmptySelection; }
    void setSelectsInsertedObjects(bool on) { m_selectsInsertedObjects = on; }

    // Selection by arranged position, ascending.
    const QList<qsizetype>& selectionIndexes() const { return m_selection; }
    // The first selected position, or NotFound.
    qsizetype selectionIndex() const;
    QList<ManagedObject*> selectedObjects() const;
    ManagedObject* lastSelectedObject() const;
    // A position out of range leaves the selection as it was and answers false.
    bool setSelectionIndexes(QList<qsizetype> indexes);
    bool setSelectionIndex(qsizetype index);
    bool setSelectedObjects(const QList<ManagedObject*>& objects);
    bool selectNext();

    // A new object of the entity in the context, not yet part of the content.
    virtual ManagedObject* newObject();
    // Adds to the content (the master's relationship), then re-sorts.
    void addObject(ManagedObject* object);
    // Adds to the content and places the object at that arranged position until the next re-sort.
    virtual void insertObject(ManagedObject* object, qsizetype arrangedIndex);
    // Deletes the objects from the context; relationships that cascade take their members along.
    void removeObjects(const QList<ManagedObject*>& objects);

    // The user's add and remove: a new object added and selected; the selection removed.
    virtual bool add();
    virtual void remove();

signals:
    // The arranged objects were read again (their values may have changed too).
    void arrangedObjectsChanged();
    void selectionChanged();

protected:
    // Brackets one user action, so that it is undone in one step.
    class UndoGroup
    {
    public:
        explicit UndoGroup(ObjectContext* context);
        ~UndoGroup();
        UndoGroup(const UndoGroup&) = delete;
        UndoGroup& operator=(const UndoGroup&) = delete;

    private:
        QPointer<UndoManager> m_undo;
    };

private:
    QList<ManagedObject*> readContent() const;
    void applySelection(QList<qsizetype> indexes);

    ObjectContext* m_context;
    QString m_entityName;
    QPointer<ArrayController> m_master;
    QString m_relationship;
    ManagedObject* m_owner = nullptr;
    QList<SortDescriptor> m_sortDescriptors;
    QList<ManagedObject*> m_arranged;
    QList<qsizetype> m_selection;
    bool m_avoidsEmptySelection = true;
    bool m_selectsInsertedObjects = true;
};

} // namespace platform
