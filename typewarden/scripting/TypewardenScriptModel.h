#pragma once

#include "platform/scripting/ScriptModel.h"
#include "platform/scripting/ScriptTerminology.h"

#include <functional>

namespace platform
{
class AlertPresenter;
class ManagedObject;
class ObjectContext;
} // namespace platform

namespace typewarden
{

// The agent as scripts see it: the word pairs, oldest first, each with its correct spelling,
// misspelling and time stamp. Scripted pairs go straight into the agent's context: no
// announcement and no beep, and nothing is saved until a script saves.
class TypewardenScriptModel : public platform::scripting::ScriptModel
{
public:
    static inline const QString kWordPairs = QStringLiteral("wordPairArray");

    using ContextSource = std::function<platform::ObjectContext*()>;
    TypewardenScriptModel(ContextSource context, platform::AlertPresenter& alerts);

    static platform::scripting::ScriptTerminology terminology();

    using ObjectRef = platform::scripting::ObjectRef;
    using ScriptError = platform::scripting::ScriptError;
    using ScriptValue = platform::scripting::ScriptValue;

    std::optional<QList<ObjectRef>> elements(const std::optional<ObjectRef>& container,
                                             const QString& elementKey,
                                             ScriptError& error) override;
    std::optional<ObjectRef> objectWithID(const QString& elementKey, const QString& id,
                                          ScriptError& error) override;
    std::optional<ScriptValue> property(const std::optional<ObjectRef>& object, const QString& key,
                                        ScriptError& error) override;
    bool setProperty(const ObjectRef& object, const QString& key, const ScriptValue& value,
                     ScriptError& error) override;
    bool remove(const ObjectRef& object, ScriptError& error) override;
    std::optional<ScriptValue> make(const QString& classKey,
                                    const std::optional<platform::scripting::Location>& location,
                                    const ScriptValue::Record& properties,
                                    ScriptError& error) override;
    std::optional<ScriptValue> duplicate(const QList<ObjectRef>& objects,
                                         const ScriptValue::Record& properties,
                                         ScriptError& error) override;
    std::optional<ScriptValue> move(const QList<ObjectRef>& objects, const ObjectRef& destination,
                                    ScriptError& error) override;
    bool save(ScriptError& error) override;
    std::optional<ScriptValue> perform(const QString& commandKey, const ScriptValue& direct,
                                       ScriptError& error) override;

private:
    platform::ManagedObject* pair(const ObjectRef& object, ScriptError& error) const;
    static ObjectRef refOf(const platform::ManagedObject& pair);

    ContextSource m_context;
    platform::AlertPresenter& m_alerts;
};

} // namespace typewarden
