#pragma once

#include "platform/store/FetchRequest.h"
#include "platform/store/ManagedObject.h"
#include "platform/store/StoreCoordinator.h"
#include "platform/store/UndoManager.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <memory>
#include <optional>
#include <vector>

namespace platform
{

// The objects of one store as the program sees and changes them. Changes stay here until save();
// rollback() drops them. Every change is registered with the undo manager, when there is one.
class ObjectContext : public QObject
{
    Q_OBJECT
public:
    explicit ObjectContext(std::shared_ptr<StoreCoordinator> coordinator,
                           QObject* parent = nullptr);
    ~ObjectContext() override;

    StoreCoordinator* coordinator() const { return m_coordinator.get(); }
    void setUndoManager(UndoManager* undoManager) { m_undo = undoManager; }
    UndoManager* undoManager() const { return m_undo; }

    ManagedObject* insertNewObject(const QString& entityName);
    // Deletes the object; relationships that cascade take their members with it.
    void deleteObject(ManagedObject* object);

    std::optional<QList<ManagedObject*>> fetch(const FetchRequest& request,
                                               StoreError* error = nullptr) const;
    std::optional<qsizetype> count(const FetchRequest& request, StoreError* error = nullptr) const;

    bool hasChanges() const;
    QList<ManagedObject*> insertedObjects() const;
    QList<ManagedObject*> deletedObjects() const;
    QList<ManagedObject*> updatedObjects() const;

    // Writes every object to the store file. Nothing changes here when the write fails.
    bool save(StoreError* error = nullptr);
    // Writes every object, unsaved changes included, to another file in the store's format; the
    // store file and the objects' saved state stay as they are.
    bool writeCopy(const QString& path, StoreError* error = nullptr) const;
    // Back to the last saved state; clears the undo manager.
    void rollback();
    // Delivers the pending change notification now.
    void processPendingChanges();

    // The live object with that ID, or nullptr.
    ManagedObject* objectWithID(const ObjectID& id) const;
    ManagedObject* existingObjectWithID(const ObjectID& id, StoreError* error) const;
    ObjectID objectIDFor(const ManagedObject* object) const;

signals:
    void objectsDidChange();
    void didSave();

private:
    using NewNumbers = QHash<const ManagedObject*, qint64>;
    // Numbers the inserted objects from `next` on; false when the store has none left.
    bool numberInserted(qint64& next, NewNumbers& numbers, StoreError* error) const;
    void writeLiveObjects(StoreFileWriter& writer, const NewNumbers& numbers) const;
    friend class ManagedObject;
    using State = ManagedObject::State;

    ManagedObject* makeObject(const EntityDescription* entity, qint64 number, State state,
                              QList<QVariant> values);
    // Keeps the saved state of a saved object before its first change.
    void keepSavedState(ManagedObject* object);
    void forgetSavedStates();
    void setNumbered(ManagedObject* object, bool live);
    ManagedObject* numbered(qint64 number) const;
    void setValue(ManagedObject* object, int index, const QVariant& value);
    void setToOne(ManagedObject* object, int index, ManagedObject* target, qsizetype at = -1);
    void removeObject(ManagedObject* object);
    void restoreObject(ManagedObject* object);
    void registerUndo(std::function<void()> action);
    void noteChange(ManagedObject* object);
    bool isLive(const ManagedObject* object) const;
    void rebuildToMany();
    static QList<ManagedObject*> inOrder(const QSet<ManagedObject*>& set);

    std::shared_ptr<StoreCoordinator> m_coordinator;
    QPointer<UndoManager> m_undo;
    // Every object, in registration order: an object's order is its index here.
    std::vector<std::unique_ptr<ManagedObject>> m_objects;
    // Saved objects by number: dense numbers index the vector, others (from odd files) the hash.
    std::vector<ManagedObject*> m_byNumber;
    QHash<qint64, ManagedObject*> m_bySparseNumber;
    // Temporary IDs are this key with the object's order in its last eight bytes.
    QUuid m_temporaryKey;
    QSet<ManagedObject*> m_inserted, m_deleted, m_updated; // since the last save
    QSet<ManagedObject*> m_withSavedState;
    bool m_notificationQueued = false;
};

} // namespace platform
