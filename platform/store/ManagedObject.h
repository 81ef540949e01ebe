#pragma once

#include "platform/store/EntityModel.h"
#include "platform/store/ObjectID.h"

#include <QDateTime>
#include <QList>
#include <QVariant>

#include <memory>

namespace platform
{

class ObjectContext;

// One object of a context. Read and written by key with the entity's attribute names; an absent
// value reads as an invalid QVariant (or a null QString), never as an empty string. Objects are
// owned by their context and stay valid as long as it lives.
class ManagedObject
{
public:
    const EntityDescription& entity() const { return *m_entity; }
    const QString& entityName() const { return m_entity->name(); }
    // Built on demand: an object keeps only its number, so that large stores stay small.
    ObjectID objectID() const;
    ObjectContext* context() const { return m_context; }

    bool isInserted() const { return m_state == State::Inserted; }
    bool isDeleted() const { return m_state == State::Deleted || m_state == State::Removed; }

    QVariant value(const QString& key) const;
    // By the entity's attribute index, for loops over many objects of one entity.
    const QVariant& valueAt(int attributeIndex) const { return m_values[attributeIndex]; }
    QString string(const QString& key) const { return value(key).toString(); }
    QDateTime date(const QString& key) const { return value(key).toDateTime(); }
    bool hasValue(const QString& key) const { return value(key).isValid(); }
    // Follows to-one relationships: "section.unit.level.levelNumber".
    QVariant valueForKeyPath(const QString& keyPath) const;

    // Undoable changes; they go through the context. An invalid QVariant makes the value absent.
    void setValue(const QString& key, const QVariant& value);
    void setToOne(const QString& relationship, ManagedObject* target);
    // Replaces the members of a to-many relationship (through the members' inverse).
    void setToMany(const QString& relationship, const QList<ManagedObject*>& members);
    void addToMany(const QString& relationship, ManagedObject* member);

    ManagedObject* toOne(const QString& relationship) const;
    // Members in the order they joined; the relationship itself is unordered.
    QList<ManagedObject*> toMany(const QString& relationship) const;

private:
    friend class ObjectContext;
    enum class State { Inserted, Persisted, Deleted, Removed };

    // The state last saved (or loaded), kept only once a saved object changes.
    struct Saved {
        QList<QVariant> values;
        QList<ManagedObject*> toOne;
    };

    ManagedObject(ObjectContext* context, const EntityDescription* entity, qint64 number,
                  QList<QVariant> values);

    ObjectContext* m_context;
    const EntityDescription* m_entity;
    qint64 m_number; // in the store file; 0 while the object is temporary
    qint64 m_order;  // registration order, the order of the store file
    State m_state = State::Inserted;
    bool m_updated = false;

    // Relationships by index, kept only by objects of entities that have any.
    struct Links {
        QList<ManagedObject*> toOne;         // to-many slots unused
        QList<QList<ManagedObject*>> toMany; // to-one slots unused
    };
    const QList<ManagedObject*>& toOneSlots() const;
    QList<ManagedObject*>& toOneSlots() { return m_links->toOne; }
    QList<QList<ManagedObject*>>& toManySlots() { return m_links->toMany; }
    bool hasLinks() const { return bool(m_links); }

    QList<QVariant> m_values; // by attribute index
    std::unique_ptr<Links> m_links;
    std::unique_ptr<Saved> m_saved;
};

} // namespace platform
