#include "platform/store/EntityModel.h"

namespace platform
{

EntityDescription::EntityDescription(QString name, QList<AttributeDescription> attributes,
                                     QList<RelationshipDescription> relationships)
    : m_name(std::move(name)), m_attributes(std::move(attributes)),
      m_relationships(std::move(relationships))
{
    for (int i = 0; i < m_attributes.size(); ++i)
        m_attributeIndex.insert(m_attributes[i].name, i);
    for (int i = 0; i < m_relationships.size(); ++i)
        m_relationshipIndex.insert(m_relationships[i].name, i);
}

QStringList EntityDescription::attributeNames() const
{
    QStringList names;
    for (const auto& a : m_attributes)
        names << a.name;
    return names;
}

ObjectModel::ObjectModel(QList<EntityDescription> entities) : m_entities(std::move(entities))
{
    for (int i = 0; i < m_entities.size(); ++i)
        m_index.insert(m_entities[i].name(), i);
}

const EntityDescription* ObjectModel::entity(const QString& name) const
{
    const int i = m_index.value(name, -1);
    return i < 0 ? nullptr : &m_entities[i];
}

} // namespace platform
