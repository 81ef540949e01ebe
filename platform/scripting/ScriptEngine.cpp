#include "platform/scripting/ScriptEngine.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

namespace platform::scripting
{

namespace
{

// The texts' translation context, as the translation tools see it too.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ScriptEngine)
};

QString quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + escaped + u'"';
}

} // namespace

ScriptEngine::ScriptEngine(ScriptTerminology terms, ScriptModel& model)
    : m_terms(std::move(terms)), m_model(model)
{
}

std::variant<ScriptValue, ScriptError> ScriptEngine::run(const QString& text)
{
    auto parsed = parseScript(text, m_terms);
    if (auto* error = std::get_if<ScriptError>(&parsed))
        return *error;
    m_error.reset();
    m_clock.start();
    ScriptValue result;
    for (const Statement& statement : std::get<std::vector<Statement>>(parsed)) {
        auto value = execute(statement);
        if (m_error)
            return *m_error;
        result = value ? *value : ScriptValue();
    }
    return result;
}

bool ScriptEngine::fail(int number, const QString& text)
{
    if (!m_error)
        m_error = ScriptError{number, text};
    return false;
}

bool ScriptEngine::outOfTime()
{
    if (m_clock.elapsed() <= m_limit.count())
        return false;
    fail(TimedOut, Texts::tr("The script ran longer than %1 seconds and was stopped.")
                       .arg(double(m_limit.count()) / 1000.0));
    return true;
}

std::optional<ScriptValue> ScriptEngine::execute(const Statement& s)
{
    ScriptError error;
    auto modelFailed = [&]() -> std::optional<ScriptValue> {
        fail(error.number, error.text);
        return std::nullopt;
    };
    switch (s.kind) {
    case Statement::Kind::Get:
        return evaluate(s.subject);
    case Statement::Kind::Count: {
        if (s.subject && s.subject->kind == Expr::Kind::Reference &&
            s.subject->path.front().form != RefPart::Form::Property) {
            const auto objects = resolve(s.subject->path, 0);
            return objects ? std::optional<ScriptValue>(qint64(objects->list.size()))
                           : std::nullopt;
        }
        const auto value = evaluate(s.subject);
        if (!value)
            return std::nullopt;
        if (const auto* list = value->as<ScriptValue::List>())
            return ScriptValue(qint64(list->size()));
        if (const auto* text = value->as<QString>())
            return ScriptValue(qint64(text->size()));
        fail(CantMakeType, Texts::tr("Can't count %1.").arg(scriptText(*value)));
        return std::nullopt;
    }
    case Statement::Kind::Set: {
        if (!s.subject || s.subject->kind != Expr::Kind::Reference ||
            s.subject->path.front().form != RefPart::Form::Property) {
            fail(AccessNotAllowed, Texts::tr("Only a property of an object can be set."));
            return std::nullopt;
        }
        const auto value = evaluate(s.value);
        const auto objects = value ? resolve(s.subject->path, 1) : std::nullopt;
        if (!objects)
            return std::nullopt;
        for (const auto& object : objects->list) {
            if (!object) {
                fail(AccessNotAllowed, Texts::tr("Access not allowed: the program's own properties "
                                                 "cannot be set."));
                return std::nullopt;
            }
            if (outOfTime())
                return std::nullopt;
            if (!m_model.setProperty(*object, s.subject->path.front().key, *value, error))
                return modelFailed();
        }
        return value;
    }
    case Statement::Kind::Make: {
        std::optional<Location> where;
        if (s.location && !(where = location(*s.location)))
            return std::nullopt;
        const auto properties = record(s.properties);
        if (!properties)
            return std::nullopt;
        auto made = m_model.make(s.key, where, *properties, error);
        return made || error.number == 0 ? made : modelFailed();
    }
    case Statement::Kind::Duplicate: {
        const auto objects = receivers(s.subject, Texts::tr("duplicate"));
        if (!objects)
            return std::nullopt;
        const auto properties = record(s.properties);
        if (!properties)
            return std::nullopt;
        auto copies = m_model.duplicate(*objects, *properties, error);
        return copies || error.number == 0 ? copies : modelFailed();
    }
    case Statement::Kind::Move: {
        const auto objects = receivers(s.subject, Texts::tr("move"));
        const auto destination = objects ? objectsOf(s.value, Texts::tr("move to")) : std::nullopt;
        if (!destination)
            return std::nullopt;
        if (destination->size() != 1) {
            fail(CantGet, Texts::tr("Objects can be moved to one object only."));
            return std::nullopt;
        }
        auto moved = m_model.move(*objects, destination->first(), error);
        return moved || error.number == 0 ? moved : modelFailed();
    }
    case Statement::Kind::Delete: {
        const auto objects = objectsOf(s.subject, Texts::tr("delete"));
        if (!objects)
            return std::nullopt;
        for (const ObjectRef& object : *objects)
            if (!m_model.remove(object, error))
                return modelFailed();
        return ScriptValue();
    }
    case Statement::Kind::Save:
        return m_model.save(error) ? std::optional<ScriptValue>(ScriptValue()) : modelFailed();
    case Statement::Kind::Command: {
        const auto direct = evaluate(s.value);
        if (!direct)
            return std::nullopt;
        auto answer = m_model.perform(s.key, *direct, error);
        return answer || error.number == 0 ? answer : modelFailed();
    }
    }
    return std::nullopt;
}

std::optional<ScriptValue> ScriptEngine::evaluate(const ExprPtr& expr)
{
    if (!expr || outOfTime())
        return std::nullopt;
    switch (expr->kind) {
    case Expr::Kind::Literal:
        return expr->literal;
    case Expr::Kind::CurrentDate:
        return ScriptValue(QDateTime::currentDateTime());
    case Expr::Kind::List: {
        ScriptValue::List items;
        for (const ExprPtr& item : expr->items) {
            auto value = evaluate(item);
            if (!value)
                return std::nullopt;
            items.push_back(std::move(*value));
        }
        return ScriptValue(std::move(items));
    }
    case Expr::Kind::Record: {
        ScriptValue::Record fields;
        for (const auto& [key, field] : expr->fields) {
            auto value = evaluate(field);
            if (!value)
                return std::nullopt;
            fields.emplace_back(key, std::move(*value));
        }
        return ScriptValue(std::move(fields));
    }
    case Expr::Kind::Reference:
        return referenceValue(*expr);
    }
    return std::nullopt;
}

std::optional<ScriptValue> ScriptEngine::referenceValue(const Expr& reference)
{
    const RefPart& outer = reference.path.front();
    const bool property = outer.form == RefPart::Form::Property;
    const auto objects = resolve(reference.path, property ? 1 : 0);
    if (!objects)
        return std::nullopt;
    ScriptValue::List values;
    for (const auto& object : objects->list) {
        if (outOfTime())
            return std::nullopt;
        if (!property) {
            values.push_back(*object);
            continue;
        }
        ScriptError error;
        auto value = m_model.property(object, outer.key, error);
        if (!value) {
            fail(error.number ? error.number : CantGet,
                 error.number ? error.text : Texts::tr("Can't get %1.").arg(outer.text));
            return std::nullopt;
        }
        values.push_back(std::move(*value));
    }
    if (objects->single && values.size() == 1)
        return values.front();
    return ScriptValue(std::move(values));
}

std::optional<ScriptEngine::Objects> ScriptEngine::resolve(const std::vector<RefPart>& path,
                                                           size_t from)
{
    Objects current;
    current.list.append(std::nullopt); // the application
    for (size_t i = path.size(); i-- > from;) {
        const RefPart& part = path[i];
        if (part.form == RefPart::Form::Property) {
            fail(CantGet,
                 Texts::tr("Can't get the objects of %1: it is a property.").arg(part.text));
            return std::nullopt;
        }
        Objects next;
        next.single = current.single && part.form != RefPart::Form::Every &&
                      part.form != RefPart::Form::Range;
        ScriptError error;
        for (const auto& container : current.list) {
            if (outOfTime())
                return std::nullopt;
            if (part.form == RefPart::Form::UniqueID) {
                const auto id = evaluate(part.first);
                const QString* text = id ? id->as<QString>() : nullptr;
                if (!text) {
                    fail(CantMakeType, Texts::tr("An id is a text."));
                    return std::nullopt;
                }
                auto object = m_model.objectWithID(part.key, *text, error);
                if (!object) {
                    fail(error.number ? error.number : CantGet,
                         error.number
                             ? error.text
                             : Texts::tr("Can't get %1.").arg(describe(part, quoted(*text))));
                    return std::nullopt;
                }
                next.list.append(*object);
                continue;
            }
            const auto elements = m_model.elements(container, part.key, error);
            if (!elements) {
                fail(error.number ? error.number : CantGet,
                     error.number ? error.text : Texts::tr("Can't get %1.").arg(part.text));
                return std::nullopt;
            }
            if (part.form == RefPart::Form::Every) {
                for (const ObjectRef& object : *elements)
                    next.list.append(object);
                continue;
            }
            const auto first = integer(part.first);
            const auto last = part.form == RefPart::Form::Range ? integer(part.last) : first;
            if (!first || !last)
                return std::nullopt;
            // Positions count from 1; negative ones from the end (-1 is the last).
            auto position = [&](qint64 n) { return n > 0 ? n - 1 : qint64(elements->size()) + n; };
            const qint64 a = position(*first), b = position(*last);
            if (a < 0 || b < 0 || a >= elements->size() || b >= elements->size() || a > b) {
                fail(InvalidIndex,
                     Texts::tr("Can't get %1. Invalid index.")
                         .arg(describe(part,
                                       part.form == RefPart::Form::Range
                                           ? QStringLiteral("%1 thru %2").arg(*first).arg(*last)
                                           : QString::number(*first))));
                return std::nullopt;
            }
            for (qint64 k = a; k <= b; ++k)
                next.list.append(elements->at(k));
        }
        current = std::move(next);
    }
    return current;
}

std::optional<QList<ObjectRef>> ScriptEngine::objectsOf(const ExprPtr& expr, const QString& verb)
{
    if (!expr || expr->kind != Expr::Kind::Reference ||
        expr->path.front().form == RefPart::Form::Property) {
        fail(CantGet, Texts::tr("Can't %1 that: it is not an object.").arg(verb));
        return std::nullopt;
    }
    const auto objects = resolve(expr->path, 0);
    if (!objects)
        return std::nullopt;
    QList<ObjectRef> list;
    for (const auto& object : objects->list)
        if (object)
            list.append(*object);
    return list;
}

std::optional<QList<ObjectRef>> ScriptEngine::receivers(const ExprPtr& expr, const QString& verb)
{
    auto objects = objectsOf(expr, verb);
    // Objects that are not there reach the command as none: it tells the error in its own words.
    if (!objects && m_error &&
        (m_error->number == InvalidIndex ||
         (m_error->number == CantGet && expr && expr->kind == Expr::Kind::Reference &&
          expr->path.front().form != RefPart::Form::Property))) {
        m_error.reset();
        objects = QList<ObjectRef>{};
    }
    return objects;
}

std::optional<Location> ScriptEngine::location(const LocationExpr& where)
{
    const Expr& reference = *where.reference;
    const RefPart& place = reference.path.front();
    if (reference.kind != Expr::Kind::Reference || place.form == RefPart::Form::Property ||
        place.form == RefPart::Form::Range) {
        fail(CantGet, Texts::tr("Can't make an object at %1.").arg(place.text));
        return std::nullopt;
    }
    const auto container = resolve(reference.path, 1);
    if (!container)
        return std::nullopt;
    if (container->list.size() != 1) {
        fail(CantGet, Texts::tr("Can't make an object in more than one place."));
        return std::nullopt;
    }
    Location location{container->list.front(), place.key, 0};
    ScriptError error;
    const auto elements = m_model.elements(location.container, place.key, error);
    if (!elements) {
        fail(error.number ? error.number : CantGet, error.text);
        return std::nullopt;
    }
    if (place.form == RefPart::Form::Every) {
        location.index = where.kind == LocationExpr::Kind::Beginning ? 0 : elements->size();
        return location;
    }
    // Before or after one element of the list.
    const auto named = resolve(reference.path, 0);
    if (!named || named->list.size() != 1 || !named->list.front())
        return std::nullopt;
    const qsizetype at = elements->indexOf(*named->list.front());
    if (at < 0) {
        fail(CantGet,
             Texts::tr("Can't make an object at %1: it is not in that list.").arg(place.text));
        return std::nullopt;
    }
    location.index = where.kind == LocationExpr::Kind::After ? at + 1 : at;
    return location;
}

std::optional<ScriptValue::Record> ScriptEngine::record(const ExprPtr& expr)
{
    if (!expr)
        return ScriptValue::Record{}; // no "with properties"
    auto value = evaluate(expr);
    if (!value)
        return std::nullopt;
    if (const auto* fields = value->as<ScriptValue::Record>())
        return *fields;
    fail(CantMakeType, Texts::tr("Can't make %1 into a record.").arg(scriptText(*value)));
    return std::nullopt;
}

std::optional<qint64> ScriptEngine::integer(const ExprPtr& expr)
{
    auto value = evaluate(expr);
    if (!value)
        return std::nullopt;
    const double* number = value->as<double>();
    if (!number || std::floor(*number) != *number || std::abs(*number) > 1e15) {
        fail(CantMakeType, Texts::tr("Can't make %1 into a whole number.").arg(scriptText(*value)));
        return std::nullopt;
    }
    return qint64(*number);
}

QString ScriptEngine::describe(const RefPart& part, const QString& index) const
{
    QString singular = part.text;
    if (const auto* c = m_terms.classForElementKey(part.key))
        singular = c->singular;
    return part.form == RefPart::Form::UniqueID ? singular + QStringLiteral(" id ") + index
                                                : singular + u' ' + index;
}

QString ScriptEngine::scriptText(const ScriptValue& value) const
{
    struct Writer {
        const ScriptEngine& engine;
        QString operator()(std::monostate) const { return QStringLiteral("missing value"); }
        QString operator()(bool b) const
        {
            return b ? QStringLiteral("true") : QStringLiteral("false");
        }
        QString operator()(double n) const
        {
            if (std::floor(n) == n && std::abs(n) < 1e15)
                return QString::number(qint64(n));
            // Written so that a script can read it back: the language has no exponents.
            const QString text = QString::number(n, 'g', 15);
            return text.contains(u'e') ? QString::number(n, 'f', QLocale::FloatingPointShortest)
                                       : text;
        }
        QString operator()(const QString& s) const { return quoted(s); }
        QString operator()(const QDateTime& d) const
        {
            return QStringLiteral("date ") + quoted(d.toString(Qt::ISODateWithMs));
        }
        QString operator()(const ScriptValue::List& l) const
        {
            QStringList items;
            for (const ScriptValue& item : l)
                items.append(engine.scriptText(item));
            return u'{' + items.join(QStringLiteral(", ")) + u'}';
        }
        QString operator()(const ScriptValue::Record& r) const
        {
            QStringList fields;
            for (const auto& [key, item] : r)
                fields.append(engine.m_terms.propertyWords(key) + u':' + engine.scriptText(item));
            return u'{' + fields.join(QStringLiteral(", ")) + u'}';
        }
        QString operator()(const ObjectRef& o) const
        {
            const auto* c = engine.m_terms.classForElementKey(o.elementKey);
            return (c ? c->singular : o.elementKey) + QStringLiteral(" id ") + quoted(o.uniqueID);
        }
    };
    return std::visit(Writer{*this}, value.value);
}

QStringList ScriptEngine::displayLines(const ScriptValue& value) const
{
    auto line = [this](const ScriptValue& v) {
        const QString* text = v.as<QString>();
        return text ? *text : scriptText(v);
    };
    if (value.isMissing())
        return {};
    QStringList lines;
    if (const auto* list = value.as<ScriptValue::List>()) {
        for (const ScriptValue& item : *list)
            lines.append(line(item));
        return lines;
    }
    return {line(value)};
}

} // namespace platform::scripting
