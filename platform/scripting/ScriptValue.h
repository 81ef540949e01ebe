#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <utility>
#include <variant>
#include <vector>

namespace platform::scripting
{

// An object of a program's object model as a script holds it: the element list it belongs to
// ("levelsArray") and its unique ID. The ID alone finds the object again, wherever it lives.
struct ObjectRef {
    QString elementKey;
    QString uniqueID;
    bool operator==(const ObjectRef&) const = default;
};

// A script error: its number and its text, as the user reads them.
struct ScriptError {
    int number = 0;
    QString text;
};

// A value of the script language: nothing ("missing value"), a truth value, a number, a text, a
// date, a list, a record (keys in the order written) or an object.
struct ScriptValue {
    using List = std::vector<ScriptValue>;
    using Record = std::vector<std::pair<QString, ScriptValue>>;
    std::variant<std::monostate, bool, double, QString, QDateTime, List, Record, ObjectRef> value;

    ScriptValue() = default;
    ScriptValue(bool b) : value(b) {}
    ScriptValue(double n) : value(n) {}
    ScriptValue(int n) : value(double(n)) {}
    ScriptValue(qint64 n) : value(double(n)) {}
    ScriptValue(const QString& s) : value(s) {}
    ScriptValue(const QDateTime& d) : value(d) {}
    ScriptValue(List l) : value(std::move(l)) {}
    ScriptValue(Record r) : value(std::move(r)) {}
    ScriptValue(ObjectRef o) : value(std::move(o)) {}

    bool isMissing() const { return std::holds_alternative<std::monostate>(value); }
    template <typename T> const T* as() const { return std::get_if<T>(&value); }
    // The value under `key` in a record; nothing when absent or not a record.
    const ScriptValue* field(const QString& key) const;
};

} // namespace platform::scripting
