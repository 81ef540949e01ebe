#pragma once

#include <QSettings>
#include <QVariantMap>

#include <memory>

namespace platform
{

// The user defaults of one program: values the user stored (kept by QSettings under the
// organisation "Orthova") over an in-memory registration domain that is consulted when a key is
// not stored. Registered values are never written to disk.
class UserDefaults
{
public:
    explicit UserDefaults(const QString& application);

    void registerDefaults(const QVariantMap& values);
    const QVariantMap& registrationDomain() const { return m_registered; }

    QVariant objectForKey(const QString& key) const;
    QString stringForKey(const QString& key) const;
    bool boolForKey(const QString& key) const;
    QByteArray dataForKey(const QString& key) const;
    bool isStored(const QString& key) const;

    void setObject(const QVariant& value, const QString& key);
    void removeObject(const QString& key);
    bool synchronize();

private:
    std::unique_ptr<QSettings> m_settings;
    QVariantMap m_registered;
};

} // namespace platform
