#include "typewarden/app/LaunchAtLoginController.h"

#include "model/TypewardenDefaults.h"
#include "platform/Autostart.h"
#include "typewarden/app/AgentLog.h"

#include <QLoggingCategory>

namespace typewarden
{

namespace
{

const QString AutoLaunchIdentifier = QStringLiteral("com.brellumworks.AutoLaunchHelperApp");

bool fail(const QString& reason)
{
    qCDebug(lcAgent).noquote() << "autostart entry:" << reason;
    qCWarning(lcAgent, "The login was not successful");
    return false;
}

} // namespace

LaunchAtLoginController::LaunchAtLoginController(QString programPath)
    : m_programPath(std::move(programPath))
{
}

QString LaunchAtLoginController::autostartEntryPath()
{
    return platform::autostart::entryPath(AutoLaunchIdentifier);
}

bool LaunchAtLoginController::setLaunchAtLogin(bool enabled)
{
    QString error;
    const bool done =
        enabled ? platform::autostart::install(
                      {AutoLaunchIdentifier, QStringLiteral("Typewarden"), m_programPath}, &error)
                : platform::autostart::remove(AutoLaunchIdentifier, &error);
    return done ? true : fail(error);
}

bool LaunchAtLoginController::applyStoredSetting(const platform::UserDefaults& defaults)
{
    return setLaunchAtLogin(defaults.boolForKey(defaults::LaunchAtLogin));
}

} // namespace typewarden
