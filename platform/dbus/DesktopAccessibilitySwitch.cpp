#include "platform/dbus/DesktopAccessibilitySwitch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QLoggingCategory>

namespace platform
{

namespace
{

Q_LOGGING_CATEGORY(lcAccessibilitySwitch, "orthova.dbus.accessibility")

QDBusMessage properties(const QString& method)
{
    return QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.freedesktop.DBus.Properties"), method);
}

} // namespace

bool isDesktopAccessibilityEnabled()
{
    QDBusMessage get = properties(QStringLiteral("Get"));
    get << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled");
    const QDBusMessage reply = QDBusConnection::sessionBus().call(get, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    return reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

void enableDesktopAccessibility()
{
    QDBusMessage set = properties(QStringLiteral("Set"));
    set << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled")
        << QVariant::fromValue(QDBusVariant(true));
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(set, 5000));
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, watcher, [](QDBusPendingCallWatcher* call) {
            if (call->isError())
                qCWarning(lcAccessibilitySwitch).noquote()
                    << "cannot turn the desktop's accessibility on:" << call->error().message();
            call->deleteLater(); // owned by nothing else
        });
}

} // namespace platform
