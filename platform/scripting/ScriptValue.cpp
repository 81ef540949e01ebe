#include "platform/scripting/ScriptValue.h"

namespace platform::scripting
{

const ScriptValue* ScriptValue::field(const QString& key) const
{
    if (const Record* record = as<Record>())
        for (const auto& [k, v] : *record)
            if (k == key)
                return &v;
    return nullptr;
}

} // namespace platform::scripting
