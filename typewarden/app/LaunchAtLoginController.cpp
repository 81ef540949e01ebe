#include "typewarden/app/LaunchAtLoginController.h"

#include "platform/AtomicFile.h"
#include "typewarden/app/AgentDefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

namespace typewarden
{

namespace
{

Q_LOGGING_CATEGORY(lcLoginItem, "typewarden.app")

const QString AutoLaunchIdentifier = QStringLiteral("com.brellumworks.AutoLaunchHelperApp");

bool fail(const QString& reason)
{
    qCDebug(lcLoginItem).noquote() << "autostart entry:" << reason;
    qCWarning(lcLoginItem, "The login was not successful");
    return false;
}

// The Exec value that starts the program, quoted and escaped for a desktop entry.
QString execValue(const QString& programPath)
{
    // First the argument quoting of the Exec key: the whole path in double quotes, with ", `, $
    // and \ escaped; % doubled so no field code is expanded.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : programPath) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    // Then the escapes of a string value, which readers undo before unquoting.
    QString escaped;
    for (const QChar c : quoted) {
        if (c == u'\\')
            escaped += QStringLiteral("\\\\");
        else if (c == u'\n')
            escaped += QStringLiteral("\\n");
        else if (c == u'\t')
            escaped += QStringLiteral("\\t");
        else if (c == u'\r')
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

LaunchAtLoginController::LaunchAtLoginController(QString programPath)
    : m_programPath(std::move(programPath))
{
}

QString LaunchAtLoginController::autostartEntryPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative value is invalid by the base-directory rules and is ignored.
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base + QStringLiteral("/autostart/") + AutoLaunchIdentifier +
                           QStringLiteral(".desktop"));
}

bool LaunchAtLoginController::setLaunchAtLogin(bool enabled)
{
    const QString path = autostartEntryPath();
    if (!enabled) {
        const QFileInfo entry(path);
        if (!entry.exists() && !entry.isSymLink())
            return true;
        QFile file(path);
        return file.remove() ? true : fail(file.errorString());
    }
    if (m_programPath.isEmpty())
        return fail(QStringLiteral("no program to start"));
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("cannot create ") + folder);
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Typewarden\n"
                                         "Exec=") +
                          execValue(m_programPath) +
                          QStringLiteral("\n"
                                         "NoDisplay=true\n"
                                         "Hidden=false\n"
                                         "X-GNOME-Autostart-enabled=true\n");
    QString error;
    if (!platform::writeFileAtomically(path, entry.toUtf8(), &error))
        return fail(error);
    return true;
}

bool LaunchAtLoginController::applyStoredSetting(const platform::UserDefaults& defaults)
{
    return setLaunchAtLogin(defaults.boolForKey(defaults::LaunchAtLogin));
}

} // namespace typewarden
