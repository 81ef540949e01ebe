#include "platform/dbus/SessionBusName.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace platform
{

BusNameClaim claimSessionBusName(const QString& name)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return BusNameClaim::NoBus;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus.interface()->registerService(name, QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid())
        return BusNameClaim::NoBus;
    return reply.value() == QDBusConnectionInterface::ServiceRegistered
               ? BusNameClaim::Owned
               : BusNameClaim::TakenByAnother;
}

namespace
{

const QString kActivationInterface = QStringLiteral("org.freedesktop.Application");

QString objectPath(const QString& busName)
{
    return u'/' + QString(busName).replace(u'.', u'/');
}

} // namespace

bool ApplicationActivation::exportFor(const QString& busName)
{
    return QDBusConnection::sessionBus().registerObject(objectPath(busName), this,
                                                        QDBusConnection::ExportScriptableSlots);
}

void ApplicationActivation::Activate(const QVariantMap&)
{
    emit activated();
}

bool activateRunningCopy(const QString& busName, int timeoutMs)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        busName, objectPath(busName), kActivationInterface, QStringLiteral("Activate"));
    call << QVariantMap();
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, timeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace platform
