#pragma once

#include "platform/DistributedNotificationCenter.h"
#include "platform/LogThrottle.h"

#include <QDBusConnection>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <QVariantMap>

#include <optional>

class QDBusMessage;

Q_DECLARE_LOGGING_CATEGORY(lcDistributedNotifications)

namespace platform
{

// The wire form of a distributed notification on the session bus.
namespace dbusnotification
{
inline const QString Path = QStringLiteral("/com/brellum/kvrdesk/DistributedNotificationCenter");
inline const QString Interface =
    QStringLiteral("com.brellum.kvrdesk.DistributedNotificationCenter");
inline const QString Member = QStringLiteral("Notification");
inline const QString Signature = QStringLiteral("ssa{sv}");

// The user info as it goes on the bus (nested maps stay maps, so they travel as a{sv}), or nothing
// when a value has no D-Bus form.
std::optional<QVariantMap> toWire(const QVariantMap& userInfo);
// A received argument as plain Qt values: D-Bus structures become lists, dictionaries become maps
// with string keys, variants are unwrapped. Nothing when it is nested too deeply or malformed.
std::optional<QVariant> fromWire(const QVariant& value);
} // namespace dbusnotification

// Posts and receives notifications as the signal Notification(s name, s object, a{sv} userInfo) on
// a D-Bus connection.
class DBusDistributedNotificationCenter : public QObject, public DistributedNotificationCenter
{
    Q_OBJECT
public:
    // A connection of its own to the session bus. (The shared session-bus connection holds back
    // what arrives before the event loop first runs and may then deliver it out of order.)
    explicit DBusDistributedNotificationCenter(QObject* parent = nullptr);
    explicit DBusDistributedNotificationCenter(QDBusConnection connection,
                                               QObject* parent = nullptr);
    ~DBusDistributedNotificationCenter() override;

    bool post(const QString& name, const QString& object, const QVariantMap& userInfo) override;
    bool addObserver(const QString& name, const QString& object, QObject* receiver,
                     Handler handler) override;
    void removeObserver(QObject* receiver) override;

    bool isConnected() const { return m_connection.isConnected(); }
    // Waits until the bus has taken every notification posted so far, so that a process may exit
    // right after posting. False when the bus does not answer.
    bool flush(int timeoutMs = 5000);

private slots:
    void receive(const QDBusMessage& message);

private:
    struct Observer {
        QString name;
        QString object;
        QPointer<QObject> receiver;
        Handler handler;
    };

    bool ensureListening();
    void reportNoBus();

    QDBusConnection m_connection;
    QString m_ownConnectionName; // set when this centre opened the connection
    QList<Observer> m_observers;
    bool m_listening = false;
    bool m_reportedNoBus = false;
    LogThrottle m_ignoredLog;
};

} // namespace platform
