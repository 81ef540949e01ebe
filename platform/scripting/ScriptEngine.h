#pragma once

#include "platform/scripting/ScriptModel.h"
#include "platform/scripting/ScriptParser.h"
#include "platform/scripting/ScriptTerminology.h"

#include <QElapsedTimer>

#include <chrono>

namespace platform::scripting
{

// Runs scripts against a program's object model: get and set of properties, count, make, duplicate,
// move, delete, save and the program's own commands, on objects named by index, range, unique ID
// or "every". A script is stopped with an error once it runs longer than its time limit.
class ScriptEngine
{
public:
    // Script errors of the language itself.
    enum ErrorNumber {
        CantGet = -1728,
        InvalidIndex = -1719,
        CantMakeType = -1700,
        NotUnderstood = -1708,
        TimedOut = -1712,
        AccessNotAllowed = -10003,
    };

    ScriptEngine(ScriptTerminology terms, ScriptModel& model);

    void setTimeLimit(std::chrono::milliseconds limit) { m_limit = limit; }
    // The value of the last statement, or the first error.
    std::variant<ScriptValue, ScriptError> run(const QString& text);

    // The value as a script writes it, so that it can be pasted into another script.
    QString scriptText(const ScriptValue& value) const;
    // The value for a shell: one line per item of a list, a text as it stands, nothing for a
    // missing value, anything else as a script writes it.
    QStringList displayLines(const ScriptValue& value) const;

    const ScriptTerminology& terminology() const { return m_terms; }

private:
    // Objects a reference names; `single` when it names one object rather than a list.
    struct Objects {
        QList<std::optional<ObjectRef>> list;
        bool single = true;
    };

    std::optional<ScriptValue> execute(const Statement& statement);
    std::optional<ScriptValue> evaluate(const ExprPtr& expr);
    std::optional<ScriptValue> referenceValue(const Expr& reference);
    // The objects named by the path from `from` outward (the application when nothing is left).
    std::optional<Objects> resolve(const std::vector<RefPart>& path, size_t from);
    std::optional<QList<ObjectRef>> objectsOf(const ExprPtr& expr, const QString& verb);
    // The objects a duplicate or move acts on: none when they are not there.
    std::optional<QList<ObjectRef>> receivers(const ExprPtr& expr, const QString& verb);
    std::optional<Location> location(const LocationExpr& where);
    // The record an expression gives; an empty one for no expression.
    std::optional<ScriptValue::Record> record(const ExprPtr& expr);
    std::optional<qint64> integer(const ExprPtr& expr);
    QString describe(const RefPart& part, const QString& index) const;
    bool fail(int number, const QString& text);
    bool outOfTime();

    ScriptTerminology m_terms;
    ScriptModel& m_model;
    std::chrono::milliseconds m_limit{5000};
    QElapsedTimer m_clock;
    std::optional<ScriptError> m_error;
};

} // namespace platform::scripting
