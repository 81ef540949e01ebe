#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

namespace platform
{

// Owning a well-known name on the session bus: scripts reach the program by it, and a second copy
// finds it taken and does not start.
enum class BusNameClaim { Owned, TakenByAnother, NoBus };

BusNameClaim claimSessionBusName(const QString& name);

// The running copy's answer to a later start: the desktop's standard Activate call on the object
// path of its bus name ("com.brellum.Lexotrace" -> "/com/brellum/Lexotrace").
class ApplicationActivation : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    using QObject::QObject;

    // Exports this object on the session bus under the path of `busName`. False when it cannot.
    bool exportFor(const QString& busName);

public slots:
    Q_SCRIPTABLE void Activate(const QVariantMap& platformData);

signals:
    void activated();
};

// Asks the copy that owns `busName` to come forward. False when it does not answer in time; a
// copy that is still starting (reaching the accessibility bus, reading its store) may take a
// few seconds.
bool activateRunningCopy(const QString& busName, int timeoutMs = 12000);

} // namespace platform
