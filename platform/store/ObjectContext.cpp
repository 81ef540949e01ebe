#include "platform/store/ObjectContext.h"

#include <QTimer>
#include <QVarLengthArray>

#include <limits>

namespace platform
{

namespace
{

// Numbers below this index a vector; a file may name larger ones, which go to a hash.
constexpr qint64 kDenseNumbers = qint64(1) << 24;

QUuid temporaryKeyFor(const QUuid& contextKey, qint64 order)
{
    QUuid key = contextKey;
    for (int i = 7; i >= 0; --i, order >>= 8)
        key.data4[i] = uchar(order & 0xff);
    return key;
}

} // namespace

ObjectContext::ObjectContext(std::shared_ptr<StoreCoordinator> coordinator, QObject* parent)
    : QObject(parent), m_coordinator(std::move(coordinator)), m_temporaryKey(QUuid::createUuid())
{
    if (!m_coordinator || !m_coordinator->hasStore())
        return;
    QList<StoreRecord> records = m_coordinator->takeLoadedRecords();
    m_objects.reserve(size_t(records.size()));
    for (StoreRecord& record : records) {
        ManagedObject* object =
            makeObject(record.entity, record.number, State::Persisted, std::move(record.values));
        setNumbered(object, true);
    }
    for (qsizetype i = 0; i < records.size(); ++i) {
        ManagedObject* object = m_objects[size_t(i)].get();
        for (qsizetype r = 0; r < records[i].toOne.size(); ++r)
            if (records[i].toOne[r] != 0)
                object->toOneSlots()[r] = numbered(records[i].toOne[r]);
    }
    rebuildToMany();
}

ObjectContext::~ObjectContext() = default;

ManagedObject* ObjectContext::makeObject(const EntityDescription* entity, qint64 number,
                                         State state, QList<QVariant> values)
{
    std::unique_ptr<ManagedObject> owned(
        new ManagedObject(this, entity, number, std::move(values)));
    ManagedObject* object = owned.get();
    object->m_state = state;
    object->m_order = qint64(m_objects.size());
    m_objects.push_back(std::move(owned));
    return object;
}

void ObjectContext::setNumbered(ManagedObject* object, bool live)
{
    const qint64 number = object->m_number;
    if (number <= 0)
        return;
    ManagedObject* entry = live ? object : nullptr;
    if (number < kDenseNumbers) {
        if (qint64(m_byNumber.size()) <= number) {
            if (!live)
                return;
            m_byNumber.resize(size_t(std::min(kDenseNumbers, number + 1 + number / 2)), nullptr);
        }
        m_byNumber[size_t(number)] = entry;
    } else if (live) {
        m_bySparseNumber.insert(number, object);
    } else {
        m_bySparseNumber.remove(number);
    }
}

ObjectID ObjectContext::objectIDFor(const ManagedObject* object) const
{
    if (object->m_number == 0)
        return ObjectID::temporary(object->entityName(),
                                   temporaryKeyFor(m_temporaryKey, object->m_order));
    return ObjectID::permanent(m_coordinator->storeUuid(), object->entityName(), object->m_number);
}

void ObjectContext::keepSavedState(ManagedObject* object)
{
    if (object->m_saved || object->m_number == 0 ||
        (object->m_state != State::Persisted && object->m_state != State::Deleted))
        return;
    object->m_saved.reset(
        new ManagedObject::Saved{object->m_values, std::as_const(*object).toOneSlots()});
    m_withSavedState.insert(object);
}

void ObjectContext::forgetSavedStates()
{
    for (ManagedObject* object : std::as_const(m_withSavedState))
        object->m_saved.reset();
    m_withSavedState.clear();
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
            object->m_saved && (object->m_values != object->m_saved->values ||
                                std::as_const(*object).toOneSlots() != object->m_saved->toOne);
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
    ManagedObject* object =
        makeObject(entity, 0, State::Inserted, QList<QVariant>(entity->attributes().size()));
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
        setNumbered(object, false);
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
        setNumbered(object, true);
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
            const QList<ManagedObject*> members = object->toManySlots()[r];
            for (ManagedObject* member : members)
                deleteObject(member);
        } else if (object->toOneSlots()[r]) {
            deleteObject(object->toOneSlots()[r]);
        }
    }
    // Unlink what remains, so that no live object points at a deleted one.
    for (int r = 0; r < rels.size(); ++r) {
        if (rels[r].toMany) {
            const QList<ManagedObject*> members = object->toManySlots()[r];
            for (ManagedObject* member : members) {
                const int inverse = member->entity().relationshipIndex(rels[r].inverse);
                if (inverse >= 0)
                    setToOne(member, inverse, nullptr);
            }
        } else if (object->toOneSlots()[r]) {
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
    keepSavedState(object);
    object->m_values[index] = value;
    registerUndo([this, object, index, old] { setValue(object, index, old); });
    noteChange(object);
}

void ObjectContext::setToOne(ManagedObject* object, int index, ManagedObject* target, qsizetype at)
{
    ManagedObject* old = object->toOneSlots()[index];
    if (old == target)
        return;
    keepSavedState(object);
    const RelationshipDescription& rel = object->entity().relationships()[index];
    qsizetype oldAt = -1;
    if (old) {
        const int inverse = old->entity().relationshipIndex(rel.inverse);
        if (inverse >= 0 && old->entity().relationships()[inverse].toMany) {
            oldAt = old->toManySlots()[inverse].indexOf(object);
            if (oldAt >= 0)
                old->toManySlots()[inverse].removeAt(oldAt);
        }
    }
    object->toOneSlots()[index] = target;
    if (target) {
        const int inverse = target->entity().relationshipIndex(rel.inverse);
        if (inverse >= 0 && target->entity().relationships()[inverse].toMany) {
            auto& list = target->toManySlots()[inverse];
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
        if (owned->hasLinks())
            for (auto& list : owned->toManySlots())
                list.clear();
    for (const auto& owned : m_objects) {
        ManagedObject* object = owned.get();
        if (!isLive(object) && object->m_state != State::Deleted)
            continue;
        const auto& rels = object->entity().relationships();
        for (int r = 0; r < rels.size(); ++r) {
            ManagedObject* target = object->toOneSlots()[r];
            if (rels[r].toMany || !target)
                continue;
            const int inverse = target->entity().relationshipIndex(rels[r].inverse);
            if (inverse >= 0 && target->entity().relationships()[inverse].toMany)
                target->toManySlots()[inverse].append(object);
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

    // New objects are numbered in registration order; the numbers are kept only once written.
    qint64 next = m_coordinator->nextNumber();
    NewNumbers newNumbers;
    if (!numberInserted(next, newNumbers, error))
        return false;
    auto writer = m_coordinator->beginWrite(next, error);
    if (!writer)
        return false;
    writeLiveObjects(*writer, newNumbers);
    if (!m_coordinator->commitWrite(*writer, next, error))
        return false;

    for (ManagedObject* object : std::as_const(m_deleted)) {
        object->m_state = State::Removed;
        setNumbered(object, false);
    }
    for (ManagedObject* object : inOrder(m_inserted)) {
        if (object->m_number == 0)
            object->m_number = newNumbers.value(object);
        object->m_state = State::Persisted;
        setNumbered(object, true);
    }
    for (ManagedObject* object : std::as_const(m_updated))
        object->m_updated = false;
    forgetSavedStates();
    m_inserted.clear();
    m_deleted.clear();
    m_updated.clear();
    emit didSave();
    return true;
}

bool ObjectContext::writeCopy(const QString& path, StoreError* error) const
{
    if (!m_coordinator->hasStore()) {
        setError(error,
                 StoreError::make(StoreError::NoStore, tr("This store coordinator has no store.")));
        return false;
    }
    qint64 next = m_coordinator->nextNumber();
    NewNumbers newNumbers;
    if (!numberInserted(next, newNumbers, error))
        return false;
    StoreFileWriter writer = m_coordinator->writerForCopy(next);
    writeLiveObjects(writer, newNumbers);
    return writer.commit(path, error);
}

bool ObjectContext::numberInserted(qint64& next, NewNumbers& numbers, StoreError* error) const
{
    const QList<ManagedObject*> inserted = inOrder(m_inserted);
    // A file whose counter is at the top of its range takes no more objects: numbering on
    // would wrap round and write a file that no longer opens.
    if (qint64(inserted.size()) > std::numeric_limits<qint64>::max() - next) {
        setError(error, StoreError::make(StoreError::WriteFailed,
                                         tr("The store “%1” has no numbers left for new objects.")
                                             .arg(m_coordinator->storePath()),
                                         m_coordinator->storePath()));
        return false;
    }
    numbers.reserve(inserted.size());
    for (const ManagedObject* object : inserted)
        if (object->m_number == 0)
            numbers.insert(object, next++);
    return true;
}

void ObjectContext::writeLiveObjects(StoreFileWriter& writer, const NewNumbers& numbers) const
{
    auto numberOf = [&numbers](const ManagedObject* object) {
        return object->m_number != 0 ? object->m_number : numbers.value(object);
    };
    QVarLengthArray<qint64, 8> toOne;
    for (const auto& owned : m_objects) {
        const ManagedObject* object = owned.get();
        if (!isLive(object))
            continue;
        const QList<ManagedObject*>& targets = object->toOneSlots();
        toOne.resize(targets.size());
        for (qsizetype r = 0; r < targets.size(); ++r)
            toOne[r] = targets[r] ? numberOf(targets[r]) : 0;
        writer.add(object->entity(), numberOf(object), object->m_values,
                   std::span<const qint64>(toOne.data(), size_t(toOne.size())));
    }
}

void ObjectContext::rollback()
{
    for (const auto& owned : m_objects) {
        ManagedObject* object = owned.get();
        if (object->m_state == State::Inserted) {
            object->m_state = State::Removed;
            setNumbered(object, false);
        } else if (object->m_state == State::Deleted) {
            object->m_state = State::Persisted;
        }
        if (object->m_state == State::Persisted && object->m_saved) {
            object->m_values = object->m_saved->values;
            if (object->hasLinks())
                object->toOneSlots() = object->m_saved->toOne;
        }
        object->m_updated = false;
    }
    forgetSavedStates();
    m_inserted.clear();
    m_deleted.clear();
    m_updated.clear();
    rebuildToMany();
    if (m_undo)
        m_undo->removeAllActions();
    noteChange(nullptr);
}

ManagedObject* ObjectContext::numbered(qint64 number) const
{
    if (number <= 0)
        return nullptr;
    if (number < kDenseNumbers)
        return number < qint64(m_byNumber.size()) ? m_byNumber[size_t(number)] : nullptr;
    return m_bySparseNumber.value(number);
}

ManagedObject* ObjectContext::objectWithID(const ObjectID& id) const
{
    ManagedObject* object = nullptr;
    if (id.isNull()) {
        return nullptr;
    } else if (id.isTemporary()) {
        const QUuid& key = id.temporaryKey();
        qint64 order = 0;
        for (int i = 0; i < 8; ++i)
            order = (order << 8) | key.data4[i];
        if (temporaryKeyFor(m_temporaryKey, order) == key && order >= 0 &&
            order < qint64(m_objects.size()) && m_objects[size_t(order)]->m_number == 0)
            object = m_objects[size_t(order)].get();
    } else if (id.storeUuid() == m_coordinator->storeUuid()) {
        object = numbered(id.number());
    }
    if (!object || object->entityName() != id.entityName())
        return nullptr;
    return isLive(object) ? object : nullptr;
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
