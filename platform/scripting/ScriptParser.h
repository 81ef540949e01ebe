#pragma once

#include "platform/scripting/ScriptTerminology.h"
#include "platform/scripting/ScriptValue.h"

#include <memory>
#include <optional>
#include <variant>

namespace platform::scripting
{

struct Expr;
using ExprPtr = std::shared_ptr<const Expr>;

// One step of a reference, such as "unit 2" or "general rule".
struct RefPart {
    enum class Form { Every, Index, Range, UniqueID, Property };
    Form form = Form::Every;
    QString key;   // the element list's key, or the property's
    ExprPtr first; // index, first of a range, or ID
    ExprPtr last;  // last of a range
    QString text;  // as written, for messages
};

struct Expr {
    enum class Kind { Literal, CurrentDate, List, Record, Reference };
    Kind kind = Kind::Literal;
    ScriptValue literal;
    std::vector<ExprPtr> items;                      // a list's
    std::vector<std::pair<QString, ExprPtr>> fields; // a record's, by key
    std::vector<RefPart> path;                       // outermost last: "a of b" is {a, b}
};

struct LocationExpr {
    enum class Kind { End, Beginning, Before, After };
    Kind kind = Kind::End;
    ExprPtr reference;
};

struct Statement {
    enum class Kind { Get, Set, Count, Make, Duplicate, Move, Delete, Save, Command };
    Kind kind = Kind::Get;
    ExprPtr subject;    // what the command acts on
    ExprPtr value;      // set's new value, move's destination, a command's direct parameter
    ExprPtr properties; // "with properties"
    QString key;        // make's class key, a command's key
    std::optional<LocationExpr> location;
    int line = 0;
};

// Reads a script into statements, one a line. A syntax error names its line and column.
std::variant<std::vector<Statement>, ScriptError> parseScript(const QString& text,
                                                              const ScriptTerminology& terms);

} // namespace platform::scripting
