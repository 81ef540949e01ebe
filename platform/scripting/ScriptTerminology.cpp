#include "platform/scripting/ScriptTerminology.h"

namespace platform::scripting
{

const ScriptTerminology::Class*
ScriptTerminology::classForElementKey(const QString& elementKey) const
{
    for (const Class& c : classes)
        if (c.elementKey == elementKey)
            return &c;
    return nullptr;
}

QString ScriptTerminology::propertyWords(const QString& key) const
{
    for (const Term& term : properties)
        if (term.key == key)
            return term.words;
    return key;
}

} // namespace platform::scripting
