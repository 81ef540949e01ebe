#include "model/WordPairScripting.h"

#include "model/OrthovaModel.h"
#include "platform/store/ManagedObject.h"
#include "platform/store/ObjectContext.h"

#include <QCoreApplication>

namespace model::wordPairScripting
{

namespace
{

using platform::scripting::ScriptValue;

ScriptValue scriptValue(const QVariant& stored)
{
    if (!stored.isValid())
        return {};
    if (stored.typeId() == QMetaType::QDateTime)
        return ScriptValue(stored.toDateTime());
    return ScriptValue(stored.toString());
}

// The stored form of a script value for that key; invalid for nothing or the wrong kind.
QVariant storedValue(const QString& storeKey, const ScriptValue& value)
{
    if (storeKey == key::tStamp) {
        const QDateTime* when = value.as<QDateTime>();
        return when ? QVariant(*when) : QVariant();
    }
    const QString* text = value.as<QString>();
    return text ? QVariant(*text) : QVariant();
}

} // namespace

std::optional<ScriptValue> property(const platform::ManagedObject& pair, const QString& k)
{
    if (k == kCSpell)
        return scriptValue(pair.value(key::cSpell));
    if (k == kMSpell)
        return scriptValue(pair.value(key::mSpell));
    if (k == kTStamp)
        return scriptValue(pair.value(key::tStamp));
    if (k != kSpellSet)
        return std::nullopt;
    // Built in order and ended by the first missing value.
    ScriptValue::Record set;
    for (const auto& [name, stored] :
         {std::pair{kCSpell, key::cSpell}, {kMSpell, key::mSpell}, {kTStamp, key::tStamp}}) {
        if (!pair.hasValue(stored))
            break;
        set.emplace_back(name, scriptValue(pair.value(stored)));
    }
    return ScriptValue(set);
}

bool setProperty(platform::ManagedObject& pair, const QString& k, const ScriptValue& value,
                 platform::scripting::ScriptError& error)
{
    QList<std::pair<QString, QString>> fields; // record key (none: the value itself), stored key
    if (k == kSpellSet)
        fields = {
            {key::cSpell, key::cSpell}, {key::mSpell, key::mSpell}, {key::tStamp, key::tStamp}};
    else if (k == kCSpell)
        fields = {{QString(), key::cSpell}};
    else if (k == kMSpell)
        fields = {{QString(), key::mSpell}};
    else if (k == kTStamp)
        fields = {{QString(), key::tStamp}};
    if (fields.isEmpty()) {
        error = {-10003, QCoreApplication::translate("WordPairScripting", "Access not allowed.")};
        return false;
    }
    for (const auto& [recordKey, storeKey] : fields) {
        const ScriptValue* given = recordKey.isEmpty() ? &value : value.field(recordKey);
        const QVariant stored = given ? storedValue(storeKey, *given) : QVariant();
        if (given && !given->isMissing() && !stored.isValid()) {
            error = {
                -1700,
                storeKey == key::tStamp
                    ? QCoreApplication::translate("WordPairScripting", "A time stamp is a date.")
                    : QCoreApplication::translate("WordPairScripting", "A spelling is a text.")};
            return false;
        }
        pair.setValue(storeKey, stored);
    }
    return true;
}

platform::ManagedObject* clone(const platform::ManagedObject& pair)
{
    platform::ManagedObject* copy = pair.context()->insertNewObject(entity::WordPair);
    for (const QString& k : {key::tStamp, key::cSpell, key::mSpell})
        copy->setValue(k, pair.value(k));
    return copy;
}

} // namespace model::wordPairScripting
