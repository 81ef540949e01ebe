#pragma once

#include "platform/scripting/ScriptValue.h"

#include <optional>

namespace platform
{
class ManagedObject;
}

// A word pair as both programs' scripts see it: "cSpellObject", "mSpellObject", "tStampObject"
// and the record "aSpellSetObject".
namespace model::wordPairScripting
{

inline const QString kCSpell = QStringLiteral("cSpellObject");
inline const QString kMSpell = QStringLiteral("mSpellObject");
inline const QString kTStamp = QStringLiteral("tStampObject");
inline const QString kSpellSet = QStringLiteral("aSpellSetObject");

// Nothing when the key is not a word pair's.
std::optional<platform::scripting::ScriptValue> property(const platform::ManagedObject& pair,
                                                         const QString& key);
// False, with the error, for a key that cannot be set or a value of the wrong kind. The spelling
// set takes the record's "cSpell", "mSpell" and "tStamp".
bool setProperty(platform::ManagedObject& pair, const QString& key,
                 const platform::scripting::ScriptValue& value,
                 platform::scripting::ScriptError& error);
// A copy in the same context, with the same three values.
platform::ManagedObject* clone(const platform::ManagedObject& pair);

} // namespace model::wordPairScripting
