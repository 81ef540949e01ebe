#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <memory>

namespace platform
{

enum class AttributeType { String, Date };

struct AttributeDescription {
    QString name;
    AttributeType type = AttributeType::String;
};

struct RelationshipDescription {
    QString name;
    QString destination; // entity name
    QString inverse;     // name of the inverse relationship on the destination
    bool toMany = false;
    bool cascadeDelete = false; // deleting the source deletes the destinations
};

class EntityDescription
{
public:
    EntityDescription(QString name, QList<AttributeDescription> attributes,
                      QList<RelationshipDescription> relationships);

    const QString& name() const { return m_name; }
    const QList<AttributeDescription>& attributes() const { return m_attributes; }
    const QList<RelationshipDescription>& relationships() const { return m_relationships; }

    // Index of the attribute or relationship with that name, or -1.
    int attributeIndex(const QString& name) const { return m_attributeIndex.value(name, -1); }
    int relationshipIndex(const QString& name) const { return m_relationshipIndex.value(name, -1); }
    QStringList attributeNames() const;

private:
    QString m_name;
    QList<AttributeDescription> m_attributes;
    QList<RelationshipDescription> m_relationships;
    QHash<QString, int> m_attributeIndex;
    QHash<QString, int> m_relationshipIndex;
};

// The entities one store may hold. Immutable once built; shared by coordinators and contexts.
class ObjectModel
{
public:
    explicit ObjectModel(QList<EntityDescription> entities);

    const EntityDescription* entity(const QString& name) const;
    const QList<EntityDescription>& entities() const { return m_entities; }

private:
    QList<EntityDescription> m_entities;
    QHash<QString, int> m_index;
};

using ObjectModelPtr = std::shared_ptr<const ObjectModel>;

} // namespace platform
