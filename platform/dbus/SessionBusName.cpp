#include "platform/dbus/SessionBusName.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

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

} // namespace platform
