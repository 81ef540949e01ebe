#include "platform/store/ObjectID.h"

namespace platform
{

namespace
{
const QString kScheme = QStringLiteral("x-orthova://");

bool isEntityName(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!(c.isLetterOrNumber() || c == u'_'))
            return false;
    return true;
}
} // namespace

ObjectID ObjectID::temporary(const QString& entity, const QUuid& key)
{
    ObjectID id;
    id.m_entity = entity;
    id.m_temp = key;
    return id;
}

ObjectID ObjectID::permanent(const QString& storeUuid, const QString& entity, qint64 number)
{
    ObjectID id;
    id.m_entity = entity;
    id.m_store = storeUuid;
    id.m_number = number;
    return id;
}

QString ObjectID::uriString() const
{
    if (isNull())
        return {};
    if (isTemporary())
        return kScheme + u'/' + m_entity + QStringLiteral("/t") +
               m_temp.toString(QUuid::WithoutBraces);
    return kScheme + m_store + u'/' + m_entity + QStringLiteral("/p") + QString::number(m_number);
}

std::optional<ObjectID> ObjectID::fromUriString(const QString& uri)
{
    if (!uri.startsWith(kScheme))
        return std::nullopt;
    const QStringView rest = QStringView(uri).mid(kScheme.size());
    const auto parts = rest.split(u'/');
    if (parts.size() != 3 || !isEntityName(parts[1]) || parts[2].size() < 2)
        return std::nullopt;
    const QStringView store = parts[0];
    const QStringView tail = parts[2].mid(1);
    ObjectID id;
    id.m_entity = parts[1].toString();
    if (parts[2].front() == u't' && store.isEmpty()) {
        id.m_temp = QUuid::fromString(tail);
        if (id.m_temp.isNull())
            return std::nullopt;
        return id;
    }
    if (parts[2].front() == u'p' && !store.isEmpty()) {
        bool ok = false;
        id.m_number = tail.toLongLong(&ok);
        if (!ok || id.m_number <= 0)
            return std::nullopt;
        if (QUuid::fromString(store).isNull())
            return std::nullopt;
        id.m_store = store.toString();
        return id;
    }
    return std::nullopt;
}

} // namespace platform
