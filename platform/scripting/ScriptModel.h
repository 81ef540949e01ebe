#pragma once

#include "platform/scripting/ScriptValue.h"

#include <optional>

namespace platform::scripting
{

// Where a new object goes: the element list of a container (no container: the application) and
// the place in it, counted from 0.
struct Location {
    std::optional<ObjectRef> container;
    QString elementKey;
    qsizetype index = 0;
};

// A program's object model as scripts see it. Objects are named by their unique IDs; every
// answer that can fail fills `error` and answers nothing.
class ScriptModel
{
public:
    virtual ~ScriptModel() = default;

    // The element list `elementKey` of the container (none: the application), in its order.
    virtual std::optional<QList<ObjectRef>> elements(const std::optional<ObjectRef>& container,
                                                     const QString& elementKey,
                                                     ScriptError& error) = 0;
    // The object of that list kind with this unique ID, wherever it lives.
    virtual std::optional<ObjectRef> objectWithID(const QString& elementKey, const QString& id,
                                                  ScriptError& error) = 0;
    // A property of an object (none: the application).
    virtual std::optional<ScriptValue> property(const std::optional<ObjectRef>& object,
                                                const QString& key, ScriptError& error) = 0;
    virtual bool setProperty(const ObjectRef& object, const QString& key, const ScriptValue& value,
                             ScriptError& error) = 0;
    virtual bool remove(const ObjectRef& object, ScriptError& error) = 0;

    // The commands. `classKey` names what to make ("Levels"); `properties` are keyed by property
    // keys. Each answers the specifier(s) of what it made or moved, or nothing.
    virtual std::optional<ScriptValue> make(const QString& classKey,
                                            const std::optional<Location>& location,
                                            const ScriptValue::Record& properties,
                                            ScriptError& error) = 0;
    virtual std::optional<ScriptValue> duplicate(const QList<ObjectRef>& objects,
                                                 const ScriptValue::Record& properties,
                                                 ScriptError& error) = 0;
    virtual std::optional<ScriptValue> move(const QList<ObjectRef>& objects,
                                            const ObjectRef& destination, ScriptError& error) = 0;
    virtual bool save(ScriptError& error) = 0;
    // A command of the program's own with a direct parameter ("evaluate id").
    virtual std::optional<ScriptValue> perform(const QString& commandKey, const ScriptValue& direct,
                                               ScriptError& error) = 0;
};

} // namespace platform::scripting
