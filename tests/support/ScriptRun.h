#pragma once

// A script's answer as a person would read it: the value as a script writes it, or
// "error N: text".
#include "platform/scripting/ScriptEngine.h"

namespace testsupport
{

inline QString runScript(platform::scripting::ScriptEngine& engine, const QString& text)
{
    const auto result = engine.run(text);
    if (const auto* error = std::get_if<platform::scripting::ScriptError>(&result))
        return QStringLiteral("error %1: %2").arg(error->number).arg(error->text);
    return engine.scriptText(std::get<platform::scripting::ScriptValue>(result));
}

} // namespace testsupport
