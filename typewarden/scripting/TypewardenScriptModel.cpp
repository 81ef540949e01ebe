#include "typewarden/scripting/TypewardenScriptModel.h"

#include "model/OrthovaModel.h"
#include "model/WordPairScripting.h"
#include "platform/scripting/ScriptEngine.h"
#include "platform/store/FetchRequest.h"
#include "platform/store/ManagedObject.h"
#include "platform/store/ObjectContext.h"
#include "platform/store/ObjectID.h"
#include "platform/ui/Alerts.h"

#include <QCoreApplication>
#include <QLoggingCategory>

namespace typewarden
{

namespace
{

Q_LOGGING_CATEGORY(lcScripting, "typewarden.scripting")

namespace key = model::key;
using platform::scripting::ScriptValue;

QString tr(const char* text)
{
    return QCoreApplication::translate("TypewardenScriptModel", text);
}

// The language's own error numbers.
constexpr int kCantGet = platform::scripting::ScriptEngine::CantGet;
constexpr int kNotUnderstood = platform::scripting::ScriptEngine::NotUnderstood;

namespace pairs = model::wordPairScripting;
const QString& kCSpellObject = pairs::kCSpell;
const QString& kMSpellObject = pairs::kMSpell;
const QString& kTStampObject = pairs::kTStamp;
const QString& kSpellSet = pairs::kSpellSet;

} // namespace

TypewardenScriptModel::TypewardenScriptModel(ContextSource context,
                                             platform::AlertPresenter& alerts)
    : m_context(std::move(context)), m_alerts(alerts)
{
}

platform::scripting::ScriptTerminology TypewardenScriptModel::terminology()
{
    return {{{QStringLiteral("word pair"), QStringLiteral("word pairs"), kWordPairs,
              model::entity::WordPair}},
            {{QStringLiteral("correct spelling"), kCSpellObject},
             {QStringLiteral("misspelling"), kMSpellObject},
             {QStringLiteral("time stamp"), kTStampObject},
             {QStringLiteral("spelling set"), kSpellSet},
             {QStringLiteral("terminology version"), QStringLiteral("terminologyVersion")},
             {QStringLiteral("id"), QStringLiteral("uniqueID")}},
            {}};
}

TypewardenScriptModel::ObjectRef TypewardenScriptModel::refOf(const platform::ManagedObject& pair)
{
    return {kWordPairs, pair.objectID().uriString()};
}

std::optional<QList<TypewardenScriptModel::ObjectRef>>
TypewardenScriptModel::elements(const std::optional<ObjectRef>& container,
                                const QString& elementKey, ScriptError& error)
{
    platform::ObjectContext* context = m_context();
    if (container || elementKey != kWordPairs || !context) {
        error = {kCantGet, tr("Word pairs belong to the application only.")};
        return std::nullopt;
    }
    platform::StoreError fetchError;
    const auto pairs = context->fetch(
        platform::FetchRequest{model::entity::WordPair, {}, {{key::tStamp, true}}, 0}, &fetchError);
    if (!pairs) {
        error = {kCantGet, fetchError.message};
        return std::nullopt;
    }
    QList<ObjectRef> list;
    for (const platform::ManagedObject* pair : *pairs)
        list.append(refOf(*pair));
    return list;
}

platform::ManagedObject* TypewardenScriptModel::pair(const ObjectRef& object,
                                                     ScriptError& error) const
{
    const auto id = platform::ObjectID::fromUriString(object.uniqueID);
    platform::ObjectContext* context = m_context();
    platform::ManagedObject* found = id && context ? context->objectWithID(*id) : nullptr;
    if (!found || found->isDeleted() || found->entityName() != model::entity::WordPair) {
        error = {kCantGet, tr("Can't get word pair id \"%1\".").arg(object.uniqueID)};
        return nullptr;
    }
    return found;
}

std::optional<TypewardenScriptModel::ObjectRef>
TypewardenScriptModel::objectWithID(const QString& elementKey, const QString& id,
                                    ScriptError& error)
{
    platform::ManagedObject* found = pair({elementKey, id}, error);
    if (!found)
        return std::nullopt;
    return refOf(*found);
}

std::optional<ScriptValue> TypewardenScriptModel::property(const std::optional<ObjectRef>& object,
                                                           const QString& key, ScriptError& error)
{
    if (!object) {
        if (key == QStringLiteral("terminologyVersion"))
            return ScriptValue(1);
        error = {kCantGet, tr("Typewarden has no such property.")};
        return std::nullopt;
    }
    platform::ManagedObject* found = pair(*object, error);
    if (!found)
        return std::nullopt;
    if (key == QStringLiteral("uniqueID"))
        return ScriptValue(object->uniqueID);
    if (auto value = pairs::property(*found, key))
        return value;
    error = {kCantGet, tr("A word pair has no such property.")};
    return std::nullopt;
}

bool TypewardenScriptModel::setProperty(const ObjectRef& object, const QString& key,
                                        const ScriptValue& value, ScriptError& error)
{
    platform::ManagedObject* found = pair(object, error);
    if (!found)
        return false;
    return pairs::setProperty(*found, key, value, error);
}

bool TypewardenScriptModel::remove(const ObjectRef& object, ScriptError& error)
{
    platform::ManagedObject* found = pair(object, error);
    if (!found)
        return false;
    found->context()->deleteObject(found);
    return true;
}

std::optional<ScriptValue>
TypewardenScriptModel::make(const QString& classKey,
                            const std::optional<platform::scripting::Location>&,
                            const ScriptValue::Record& properties, ScriptError& error)
{
    platform::ObjectContext* context = m_context();
    if (classKey != model::entity::WordPair || !context) {
        error = {kNotUnderstood, tr("Typewarden can make word pairs only.")};
        return std::nullopt;
    }
    const ScriptValue record(properties);
    std::optional<ScriptValue> m, c, t;
    if (const ScriptValue* set = record.field(kSpellSet)) {
        for (auto [slot, name] :
             {std::pair{&m, kMSpellObject}, {&c, kCSpellObject}, {&t, kTStampObject}})
            if (const ScriptValue* v = set->field(name))
                *slot = *v;
    }
    // Values given directly win, by their stored names or by their script words.
    for (auto [slot, stored, word] : {std::tuple{&m, key::mSpell, kMSpellObject},
                                      {&c, key::cSpell, kCSpellObject},
                                      {&t, key::tStamp, kTStampObject}})
        for (const QString& name : {stored, word})
            if (const ScriptValue* v = record.field(name))
                *slot = *v;
    const bool complete = m && c && t && m->as<QString>() && c->as<QString>() && t->as<QDateTime>();
    if (!complete) {
        error = {6001, tr("'word pair' requires 3 items: 1) a misspelled word, 2) an incorrect "
                          "spelled word, and 3) a date (e.g. current date).")};
        return std::nullopt;
    }
    platform::ManagedObject* pair = context->insertNewObject(model::entity::WordPair);
    pair->setValue(key::mSpell, *m->as<QString>());
    pair->setValue(key::cSpell, *c->as<QString>());
    pair->setValue(key::tStamp, *t->as<QDateTime>());
    return ScriptValue(refOf(*pair));
}

std::optional<ScriptValue> TypewardenScriptModel::duplicate(const QList<ObjectRef>& objects,
                                                            const ScriptValue::Record& properties,
                                                            ScriptError& error)
{
    for (const ObjectRef& object : objects)
        if (object.elementKey != kWordPairs) {
            error = {6003, tr("Typewarden can duplicate word pairs only.")};
            return std::nullopt;
        }
    QList<platform::ManagedObject*> originals;
    for (const ObjectRef& object : objects)
        if (platform::ManagedObject* found = pair(object, error))
            originals.append(found);
    if (originals.isEmpty() || originals.size() != objects.size()) {
        error = {6008, QStringLiteral("%1: %2").arg(
                           tr("Typewarden got an error"),
                           tr("Can't move objects because some object doesn't exist."))};
        return std::nullopt;
    }
    const ScriptValue record(properties);
    const ScriptValue* stamp = record.field(key::tStamp);
    if (!stamp)
        stamp = record.field(kTStampObject);
    ScriptValue::List copies;
    for (platform::ManagedObject* original : originals) {
        platform::ManagedObject* copy = pairs::clone(*original);
        if (stamp && stamp->as<QDateTime>())
            copy->setValue(key::tStamp, *stamp->as<QDateTime>());
        copies.push_back(refOf(*copy));
    }
    if (copies.size() == 1)
        return copies.front();
    return ScriptValue(copies);
}

std::optional<ScriptValue> TypewardenScriptModel::move(const QList<ObjectRef>&, const ObjectRef&,
                                                       ScriptError& error)
{
    error = {kNotUnderstood, tr("Word pairs can't be moved.")};
    return std::nullopt;
}

bool TypewardenScriptModel::save(ScriptError& error)
{
    platform::ObjectContext* context = m_context();
    platform::StoreError storeError;
    if (context && context->save(&storeError))
        return true;
    qCWarning(lcScripting).noquote() << "script save failed:" << storeError.message;
    // Told on screen too, without holding the script's caller until someone answers.
    m_alerts.beginSheet({tr("Unable to save spell bits data."), storeError.message, {tr("OK")}},
                        nullptr, {});
    error = {-10000, tr("Unable to save spell bits data.")};
    return false;
}

std::optional<ScriptValue> TypewardenScriptModel::perform(const QString&, const ScriptValue&,
                                                          ScriptError& error)
{
    error = {kNotUnderstood, tr("Typewarden doesn't understand that command.")};
    return std::nullopt;
}

} // namespace typewarden
