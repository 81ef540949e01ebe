#pragma once

#include <QHash>
#include <QString>
#include <QUuid>

#include <optional>

namespace platform
{

// Identity of one stored object. Temporary until its first save, then permanent:
//   x-orthova:///<Entity>/t<uuid>            (temporary)
//   x-orthova://<store uuid>/<Entity>/p<n>   (permanent)
class ObjectID
{
public:
    ObjectID() = default;
    // `key` tells the object apart from every other temporary object of the process.
    static ObjectID temporary(const QString& entity, const QUuid& key);
    static ObjectID permanent(const QString& storeUuid, const QString& entity, qint64 number);
    // Parses a URI string; nothing when it is not an object URI.
    static std::optional<ObjectID> fromUriString(const QString& uri);

    bool isNull() const { return m_entity.isEmpty(); }
    bool isTemporary() const { return m_number == 0; }
    const QString& entityName() const { return m_entity; }
    const QString& storeUuid() const { return m_store; }
    qint64 number() const { return m_number; }
    const QUuid& temporaryKey() const { return m_temp; }
    QString uriString() const;

    friend bool operator==(const ObjectID& a, const ObjectID& b)
    {
        return a.m_number == b.m_number && a.m_entity == b.m_entity && a.m_store == b.m_store &&
               a.m_temp == b.m_temp;
    }
    friend size_t qHash(const ObjectID& id, size_t seed = 0)
    {
        return qHashMulti(seed, id.m_entity, id.m_number, id.m_temp);
    }

private:
    QString m_entity;
    QString m_store;
    qint64 m_number = 0;
    QUuid m_temp;
};

} // namespace platform
