#include "platform/defaults/UserDefaults.h"

namespace platform
{

UserDefaults::UserDefaults(const QString& application)
    : m_settings(std::make_unique<QSettings>(QStringLiteral("Orthova"), application))
{
}

void UserDefaults::registerDefaults(const QVariantMap& values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        m_registered.insert(it.key(), it.value());
}

QVariant UserDefaults::objectForKey(const QString& key) const
{
    const QVariant stored = m_settings->value(key);
    return stored.isValid() ? stored : m_registered.value(key);
}

QString UserDefaults::stringForKey(const QString& key) const
{
    const QVariant v = objectForKey(key);
    if (!v.isValid() || v.typeId() == QMetaType::QByteArray ||
        v.typeId() == QMetaType::QVariantMap || v.typeId() == QMetaType::QVariantList)
        return {};
    return v.toString();
}

bool UserDefaults::boolForKey(const QString& key) const
{
    const QVariant v = objectForKey(key);
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == u"true" || s == u"yes" || s.toInt() != 0;
    }
    return v.toBool();
}

QByteArray UserDefaults::dataForKey(const QString& key) const
{
    const QVariant v = objectForKey(key);
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : QByteArray();
}

bool UserDefaults::isStored(const QString& key) const
{
    return m_settings->contains(key);
}

void UserDefaults::setObject(const QVariant& value, const QString& key)
{
    if (!value.isValid())
        m_settings->remove(key);
    else
        m_settings->setValue(key, value);
}

void UserDefaults::removeObject(const QString& key)
{
    m_settings->remove(key);
}

bool UserDefaults::synchronize()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace platform
