#include "platform/dbus/ScriptingService.h"

#include "platform/scripting/ScriptEngine.h"

#include <QDBusConnection>
#include <QLoggingCategory>

namespace platform
{

namespace
{

Q_LOGGING_CATEGORY(lcScriptingService, "orthova.dbus.scripting")

} // namespace

ScriptingService::ScriptingService(scripting::ScriptEngine& engine, QObject* parent)
    : QObject(parent), m_engine(engine)
{
}

bool ScriptingService::exportOnSessionBus()
{
    return QDBusConnection::sessionBus().registerObject(kPath, this,
                                                        QDBusConnection::ExportScriptableSlots);
}

int ScriptingService::Run(const QString& script, QString& errorText, QStringList& lines)
{
    const auto result = m_engine.run(script);
    if (const auto* error = std::get_if<scripting::ScriptError>(&result)) {
        qCInfo(lcScriptingService) << "script error" << error->number << error->text;
        errorText = error->text;
        lines.clear();
        // A script error always carries a number other than 0, which means success here.
        return error->number != 0 ? error->number : -1;
    }
    errorText.clear();
    lines = m_engine.displayLines(std::get<scripting::ScriptValue>(result));
    return 0;
}

} // namespace platform
