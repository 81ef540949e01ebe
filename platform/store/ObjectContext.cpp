#include "platform/store/ObjectContext.h"

#include <QTimer>

namespace platform
{

ObjectContext::ObjectContext(std::shared_ptr<StoreCoordinator> coordinator, QObject* parent)
    : QObject(parent), m_coordinator(std::move(coordinator))
{
    if (!m_coordinator || !m_coordinator->hasStore())
        return;
    const QList<StoreRecord> records = m_coordinator->takeLoadedRecords();
    QHash<qint64, ManagedObject*> byNumber;
    byNumber.reserve(records.size());
    m_objects.reserve(records.size());
    m_byId.reserve(records.size());
    const QString uuid = m_coordinator->storeUuid();
    for (const StoreRecord& record : records) {
        ManagedObject* object = makeObject(
            record.entity, ObjectID::permanent(uuid, record.entity->name(), record.number),
            State::Persisted);
        object->m_values = record.values;
        object->m_everSaved = true;
        byNumber.insert(record.number, object);
    }
    for (qsizetype i = 0; i < records.size(); ++i) {
        ManagedObject* object = m_objects[i].get();
        for (qsizetype r = 0; r < records[i].toOne.size(); ++r)
            if (records[i].toOne[r] != 0)
                object->m_toOne[r] = byNumber.value(records[i].toOne[r]);
        object->m_savedValues = object->m_values;
        object->m_savedToOne = object->m_toOne;
    }
    rebuildToMany();
}

ObjectContext::~ObjectContext() = default;

ManagedObject* ObjectContext::makeObject(const EntityDescription* entity, ObjectID id, State state)
{
    std::unique_ptr<ManagedObject> owned(new ManagedObject(this, entity, std::move(id)));
    ManagedObject* object = owned.get();
    object->m_state = state;
    object->m_order = m_nextOrder++;
    m_objects.push_back(std::move(owned));
    m_byId.insert(object->m_id, object);
    return object;
}

bool ObjectContext::isLive(const ManagedObject* object) const
{
    return object->m_state == State::Inserted || object->m_state == State::Persisted;
}

void ObjectContext::registerUndo(std::function<void()> action)
{
    if (m_undo)
        m_undo->registerUndo(std::move(action));
}

void ObjectContext::noteChange(ManagedObject* object)
{
    if (object && object->m_state == State::Persisted) {
        // Updated while it differs from its saved state, so undoing every change leaves none.
        const bool updated =
            object->m_values != object->m_savedValues || object->m_toOne != object->m_savedToOne;
        if (updated != object->m_updated) {
            object->m_updated = updated;
            if (updated)
                m_updated.insert(object);
            else
                m_updated.remove(object);
        }
    }
    if (m_notificationQueued)
        return;
    m_notificationQueued = true;
    QTimer::singleShot(0, this, [this] { processPendingChanges(); });
}

void ObjectContext::processPendingChanges()
{
    if (!m_notificationQueued)
        return;
    m_notificationQueued = false;
    emit objectsDidChange();
}

ManagedObject* ObjectContext::insertNewObject(const QString& entityName)
{
    const EntityDescription* entity = m_coordinator->model()->entity(entityName);
    if (!entity)
        return nullptr;
    ManagedObject* object = makeObject(entity, ObjectID::temporary(entityName), State::Inserted);
    m_inserted.insert(object);
    registerUndo([this, object] { removeObject(object); });
    noteChange(nullptr);
    return object;
}

void ObjectContext::removeObject(ManagedObject* object)
{
    if (object->m_state == State::Inserted) {
        object->m_state = State::Removed;
        m_inserted.remove(object);
        m_byId.remove(object->m_id);
    } else if (object->m_state == State::Persisted) {
        object->m_state = State::Deleted;
        m_deleted.insert(object);
    } else {
        return;
    }
    registerUndo([this, object] { restoreObject(object); });
    noteChange(nullptr);
}

void ObjectContext::restoreObject(ManagedObject* object)
{
    if (object->m_state == State::Removed) {
        // Either never saved, or its deletion was saved: it is new to the store file again.
        object->m_state = State::Inserted;
        m_inserted.insert(object);
        m_byId.insert(object->m_id, object);
    } else if (object->m_state == State::Deleted) {
        object->m_state = State::Persisted;
        m_deleted.remove(object);
    } else {
        return;
    }
    registerUndo([this, object] { removeObject(object); });
    noteChange(nullptr);
}

void ObjectContext::deleteObject(ManagedObject* object)
{
    if (!object || object->m_context != this || !isLive(object))
        return;
    const auto& rels = object->entity().relationships();
    for (int r = 0; r < rels.size(); ++r) {
        if (!rels[r].cascadeDelete)
            continue;
        if (rels[r].toMany) {
            const QList<ManagedObject*> members = object->m_toMany[r];
            for (ManagedObject* member : members)
                deleteObject(member);
        } else if (object->m_toOne[r]) {
            deleteObject(object->m_toOne[r]);
        }
    }
    // Unlink what remains, so that no live object points at a deleted one.
    for (int r = 0; r < rels.size(); ++r) {
        if (rels[r].toMany) {
            const QList<ManagedObject*> members = object->m_toMany[r];
            for (ManagedObject* member : members) {
                const int inverse = member->entity().relationshipIndex(rels[r].inverse);
                if (inverse >= 0)
                    setToOne(member, inverse, nullptr);
            }
        } else if (object->m_toOne[r]) {
            setToOne(object, r, nullptr);
        }
    }
    removeObject(object);
}

void ObjectContext::setValue(ManagedObject* object, int index, const QVariant& value)
{
    const QVariant old = object->m_values[index];
    if (old.isValid() == value.isValid() && old == value)
        return;
    object->m_values[index] = value;
    registerUndo([this, object, index, old] { setValue(object, index, old); });
    noteChange(object);
}

void ObjectContext::setToOne(ManagedObject* object, int index, ManagedObject* target, qsizetype at)
{
    ManagedObject* old = object->m_toOne[index];
    if (old == target)
        return;
    const RelationshipDescription& rel = object->entity().relationships()[index];
    qsizetype oldAt = -1;
    if (old) {
        const int inverse = old->entity().relationshipIndex(rel.inverse);
        if (inverse >= 0 && old->entity().relationships()[inverse].toMany) {
            oldAt = old->m_toMany[inverse].indexOf(object);
            if (oldAt >= 0)
                old->m_toMany[inverse].removeAt(oldAt);
        }
    }
    object->m_toOne[index] = target;
    if (target) {
        const int inverse = target->entity().relationshipIndex(rel.inverse);
        if (inverse >= 0 && target->entity().relationships()[inverse].toMany) {
            auto& list = target->m_toMany[inverse];
            if (at >= 0 && at <= list.size())
                list.insert(at, object);
            else
                list.append(object);
        }
    }
    registerUndo([this, object, index, old, oldAt] { setToOne(object, index, old, oldAt); });
    noteChange(object);
}

void ObjectContext::rebuildToMany()
{
    for (const auto& owned : m_objects)
        for (auto& list : owned->m_toMany)
            list.clear();
    for (const auto& owned : m_objects) {
        ManagedObject* object = owned.get();
        if (!isLive(object) && object->m_state != State::Deleted)
            continue;
        const auto& rels = object->entity().relationships();
        for (int r = 0; r < rels.size(); ++r) {
            ManagedObject* target = object->m_toOne[r];
            if (rels[r].toMany || !target)
                continue;
            const int inverse = target->entity().relationshipIndex(rels[r].inverse);
            if (inverse >= 0 && target->entity().relationships()[inverse].toMany)
                target->m_toMany[inverse].append(object);
        }
    }
}

std::optional<QList<ManagedObject*>> ObjectContext::fetch(const FetchRequest& request,
                                                          StoreError* error) const
{
    if (!m_coordinator->hasStore()) {
        setError(error,
                 StoreError::make(StoreError::NoStore, tr("This store coordinator has no store.")));
        return std::nullopt;
    }
    const EntityDescription* entity = m_coordinator->model()->entity(request.entityName);
    if (!entity) {
        setError(error, StoreError::make(
                            StoreError::UnknownEntity,
                            tr("The entity “%1” is not in the model.").arg(request.entityName)));
        return std::nullopt;
    }
    QList<ManagedObject*> result;
    for (const auto& owned : m_objects) {
        ManagedObject* object = owned.get();
        if (&object->entity() == entity && isLive(object) && request.predicate.evaluate(*object))
            result.append(object);
    }
    sortObjects(result, request.sortDescriptors);
    if (request.fetchLimit > 0 && result.size() > request.fetchLimit)
        result.resize(request.fetchLimit);
    return result;
}

std::optional<qsizetype> ObjectContext::count(const FetchRequest& request, StoreError* error) const
{
    FetchRequest unsorted = request;
    unsorted.sortDescriptors.clear();
    auto objects = fetch(unsorted, error);
    if (!objects)
        return std::nullopt;
    return objects->size();
}

bool ObjectContext::hasChanges() const
{
    return !m_inserted.isEmpty() || !m_deleted.isEmpty() || !m_updated.isEmpty();
}

QList<ManagedObject*> ObjectContext::inOrder(const QSet<ManagedObject*>& set)
{
    QList<ManagedObject*> list(set.begin(), set.end());
    std::sort(list.begin(), list.end(),
              [](ManagedObject* a, ManagedObject* b) { return a->m_order < b->m_order; });
    return list;
}

QList<ManagedObject*> ObjectContext::insertedObjects() const
{
    return inOrder(m_inserted);
}
QList<ManagedObject*> ObjectContext::deletedObjects() const
{
    return inOrder(m_deleted);
}
QList<ManagedObject*> ObjectContext::updatedObjects() const
{
    return inOrder(m_updated);
}

bool ObjectContext::save(StoreError* error)
{
    if (!m_coordinator->hasStore()) {
        setError(error,
                 StoreError::make(StoreError::NoStore, tr("This store coordinator has no store.")));
        return false;
    }
    if (!hasChanges())
        return true;

    // Numbers for new objects are only kept when the file was written.
    qint64 next = m_coordinator->nextNumber();
    QHash<const ManagedObject*, qint64> numbers;
    numbers.reserve(qsizetype(m_objects.size()));
    QList<StoreRecord> records;
    records.reserve(qsizetype(m_objects.size()));
    for (const auto& owned : m_objects) {
        const ManagedObject* object = owned.get();
        if (!isLive(object))
            continue;
        qint64 number = object->m_id.number();
        if (object->m_id.isTemporary())
            number = next++;
        numbers.insert(object, number);
    }
    for (const auto& owned : m_objects) {
        const ManagedObject* object = owned.get();
        if (!isLive(object))
            continue;
        StoreRecord record;
        record.entity = &object->entity();
        record.number = numbers.value(object);
        record.values = object->m_values;
        record.toOne.resize(object->m_toOne.size());
        for (qsizetype r = 0; r < object->m_toOne.size(); ++r)
            if (object->m_toOne[r])
                record.toOne[r] = numbers.value(object->m_toOne[r]);
        records.append(std::move(record));
    }
    if (!m_coordinator->writeRecords(records, next, error))
        return false;

    const QString uuid = m_coordinator->storeUuid();
    for (const auto& owned : m_objects) {
        ManagedObject* object = owned.get();
        if (object->m_state == State::Deleted) {
            object->m_state = State::Removed;
            m_byId.remove(object->m_id);
        } else if (object->m_state == State::Inserted) {
            m_byId.remove(object->m_id);
            if (object->m_id.isTemporary())
                object->m_id = ObjectID::permanent(uuid, object->entityName(), numbers[object]);
            m_byId.insert(object->m_id, object);
            object->m_state = State::Persisted;
            object->m_everSaved = true;
        }
        if (object->m_state == State::Persisted) {
            object->m_savedValues = object->m_values;
            object->m_savedToOne = object->m_toOne;
        }
        object->m_updated = false;
    }
    m_inserted.clear();
    m_deleted.clear();
    m_updated.clear();
    emit didSave();
    return true;
}

void ObjectContext::rollback()
{
    for (const auto& owned : m_objects) {
        ManagedObject* object = owned.get();
        if (object->m_state == State::Inserted) {
            object->m_state = State::Removed;
            m_byId.remove(object->m_id);
        } else if (object->m_state == State::Deleted) {
            object->m_state = State::Persisted;
        }
        if (object->m_state == State::Persisted) {
            object->m_values = object->m_savedValues;
            object->m_toOne = object->m_savedToOne;
        }
        object->m_updated = false;
    }
    m_inserted.clear();
    m_deleted.clear();
    m_updated.clear();
    rebuildToMany();
    if (m_undo)
        m_undo->removeAllActions();
    noteChange(nullptr);
}

ManagedObject* ObjectContext::objectWithID(const ObjectID& id) const
{
    ManagedObject* object = m_byId.value(id);
    return object && isLive(object) ? object : nullptr;
}

ManagedObject* ObjectContext::existingObjectWithID(const ObjectID& id, StoreError* error) const
{
    ManagedObject* object = objectWithID(id);
    if (!object)
        setError(error, StoreError::make(StoreError::ObjectNotFound,
                                         tr("No object with the ID %1.").arg(id.uriString())));
    return object;
}

} // namespace platform
