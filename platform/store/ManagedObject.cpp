#include "platform/store/ManagedObject.h"

#include "platform/store/ObjectContext.h"

namespace platform
{

ManagedObject::ManagedObject(ObjectContext* context, const EntityDescription* entity, qint64 number,
                             QList<QVariant> values)
    : m_context(context), m_entity(entity), m_number(number), m_order(0),
      m_values(std::move(values))
{
    m_values.resize(entity->attributes().size());
    const auto relationships = entity->relationships().size();
    if (relationships > 0) {
        m_links = std::make_unique<Links>();
        m_links->toOne.resize(relationships);
        m_links->toMany.resize(relationships);
    }
}

const QList<ManagedObject*>& ManagedObject::toOneSlots() const
{
    static const QList<ManagedObject*> none;
    return m_links ? m_links->toOne : none;
}

ObjectID ManagedObject::objectID() const
{
    return m_context->objectIDFor(this);
}

QVariant ManagedObject::value(const QString& key) const
{
    const int index = m_entity->attributeIndex(key);
    return index < 0 ? QVariant() : m_values[index];
}

QVariant ManagedObject::valueForKeyPath(const QString& keyPath) const
{
    if (!keyPath.contains(u'.'))
        return value(keyPath);
    const ManagedObject* object = this;
    const auto parts = QStringView(keyPath).split(u'.');
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        object = object->toOne(parts[i].toString());
        if (!object)
            return {};
    }
    return object->value(parts.last().toString());
}

void ManagedObject::setValue(const QString& key, const QVariant& value)
{
    const int index = m_entity->attributeIndex(key);
    if (index < 0)
        return;
    QVariant stored;
    if (value.isValid()) {
        if (m_entity->attributes()[index].type == AttributeType::Date) {
            const QDateTime date = value.toDateTime();
            if (date.isValid())
                stored = date;
        } else {
            // A null QString is absent; an empty one is a value.
            const QString text = value.toString();
            if (!text.isNull())
                stored = text;
        }
    }
    m_context->setValue(this, index, stored);
}

void ManagedObject::setToOne(const QString& relationship, ManagedObject* target)
{
    const int index = m_entity->relationshipIndex(relationship);
    if (index < 0 || m_entity->relationships()[index].toMany)
        return;
    if (target && target->entityName() != m_entity->relationships()[index].destination)
        return;
    m_context->setToOne(this, index, target);
}

void ManagedObject::setToMany(const QString& relationship, const QList<ManagedObject*>& members)
{
    const int index = m_entity->relationshipIndex(relationship);
    if (index < 0 || !m_entity->relationships()[index].toMany)
        return;
    const QString inverse = m_entity->relationships()[index].inverse;
    const QList<ManagedObject*> current = m_links->toMany[index];
    for (ManagedObject* member : current)
        if (!members.contains(member))
            member->setToOne(inverse, nullptr);
    for (ManagedObject* member : members)
        if (member && member->toOne(inverse) != this)
            member->setToOne(inverse, this);
}

void ManagedObject::addToMany(const QString& relationship, ManagedObject* member)
{
    const int index = m_entity->relationshipIndex(relationship);
    if (index < 0 || !m_entity->relationships()[index].toMany || !member)
        return;
    member->setToOne(m_entity->relationships()[index].inverse, this);
}

ManagedObject* ManagedObject::toOne(const QString& relationship) const
{
    const int index = m_entity->relationshipIndex(relationship);
    if (index < 0 || m_entity->relationships()[index].toMany)
        return nullptr;
    return m_links->toOne[index];
}

QList<ManagedObject*> ManagedObject::toMany(const QString& relationship) const
{
    const int index = m_entity->relationshipIndex(relationship);
    if (index < 0 || !m_entity->relationships()[index].toMany)
        return {};
    return m_links->toMany[index];
}

} // namespace platform
