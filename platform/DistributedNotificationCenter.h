#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>

namespace platform
{

// Notifications between the programs of one desktop session. A notification has a name, an object
// string and a user info map whose values are strings, numbers, booleans, byte arrays, lists and
// nested maps.
class DistributedNotificationCenter
{
public:
    using Handler = std::function<void(const QVariantMap& userInfo)>;

    virtual ~DistributedNotificationCenter() = default;

    // Sends the notification at once; false when it could not be sent.
    virtual bool post(const QString& name, const QString& object, const QVariantMap& userInfo) = 0;
    // Calls handler for every notification of that name, and of that object unless object is
    // empty, for as long as receiver lives. False when it cannot listen.
    virtual bool addObserver(const QString& name, const QString& object, QObject* receiver,
                             Handler handler) = 0;
    virtual void removeObserver(QObject* receiver) = 0;
};

} // namespace platform
