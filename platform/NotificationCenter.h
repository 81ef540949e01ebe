#pragma once

#include <QObject>
#include <QVariantMap>

namespace platform
{

// A process-local notification centre: posting delivers synchronously, on the poster's thread, to
// every observer of that name.
class NotificationCenter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    void post(const QString& name, QObject* object = nullptr, const QVariantMap& userInfo = {})
    {
        emit posted(name, object, userInfo);
    }

    // Calls handler for each notification of that name while receiver lives.
    template <typename Handler>
    QMetaObject::Connection addObserver(const QString& name, QObject* receiver, Handler handler)
    {
        return connect(
            this, &NotificationCenter::posted, receiver,
            [name, handler](const QString& posted, QObject* object, const QVariantMap& userInfo) {
                if (posted == name)
                    handler(object, userInfo);
            },
            Qt::DirectConnection);
    }

signals:
    void posted(const QString& name, QObject* object, const QVariantMap& userInfo);
};

} // namespace platform
