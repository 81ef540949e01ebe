#pragma once

#include <QObject>
#include <QStringList>

namespace platform::scripting
{
class ScriptEngine;
}

namespace platform
{

// A program's scripts over the session bus: "/Scripting" on its bus name runs a script text and
// answers 0 with the result's lines, or the script error's number and text.
class ScriptingService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.brellum.Scripting")
public:
    static inline const QString kPath = QStringLiteral("/Scripting");
    static inline const QString kInterface = QStringLiteral("com.brellum.Scripting");

    explicit ScriptingService(scripting::ScriptEngine& engine, QObject* parent = nullptr);
    // Exports the service on the session bus. False when it cannot.
    bool exportOnSessionBus();

public slots:
    Q_SCRIPTABLE int Run(const QString& script, QString& errorText, QStringList& lines);

private:
    scripting::ScriptEngine& m_engine;
};

} // namespace platform
