#pragma once

#include "platform/scripting/ScriptModel.h"
#include "platform/scripting/ScriptTerminology.h"

#include <QMap>

#include <functional>

namespace platform
{
class AlertPresenter;
class ManagedObject;
class ObjectContext;
} // namespace platform

namespace lexotrace
{

// What the scripting model reaches in the program, lent by the application.
struct ScriptPeers {
    std::function<platform::ObjectContext*()> lessons;
    std::function<platform::ObjectContext*()> rules;
    std::function<platform::ObjectContext*()> wordPairs;
    // The unit selected in the lessons window; null when none is (or the window never opened).
    std::function<platform::ManagedObject*()> currentUnit;
    // Properties that do something when read: "aSOpenLessonsWindow" and the like.
    QMap<QString, std::function<void()>> actions;
};

// Lexotrace as scripts see it: the levels with their units, sections and rows of related words,
// the rules and the word pairs; their properties; and the make, duplicate, move, save and
// evaluate-ID commands. Changes stay unsaved in the stores until a script saves the lessons.
class LexotraceScriptModel : public platform::scripting::ScriptModel
{
public:
    LexotraceScriptModel(ScriptPeers peers, platform::AlertPresenter& alerts);

    static platform::scripting::ScriptTerminology terminology();

    using ObjectRef = platform::scripting::ObjectRef;
    using ScriptError = platform::scripting::ScriptError;
    using ScriptValue = platform::scripting::ScriptValue;
    using Location = platform::scripting::Location;

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
                                    const std::optional<Location>& location,
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

    // A copy of the object with its subtree, in the same context, without a parent (a rule keeps
    // its code, not its reference; a section gets no number).
    static platform::ManagedObject* clone(const platform::ManagedObject& object);

private:
    platform::ManagedObject* object(const QString& id, ScriptError& error) const;
    platform::ObjectContext* contextFor(const QString& entity) const;
    std::optional<ScriptValue> made(platform::ManagedObject* object, ScriptError& error);

    ScriptPeers m_peers;
    platform::AlertPresenter& m_alerts;
};

} // namespace lexotrace
