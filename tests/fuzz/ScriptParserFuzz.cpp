// Script text from a shell or the session bus: any bytes parsed with Lexotrace's terms (the
// widest) and run against an object model that names objects but holds none. A value a script
// answers is written so that a later script can use it: run again, it is written the same way.
#include "lexotrace/scripting/LexotraceScriptModel.h"
#include "platform/scripting/ScriptEngine.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QStringDecoder>

using namespace platform::scripting;

namespace
{

// Every object exists by its ID and nothing else is there: lists, properties and commands fail.
struct EmptyModel : ScriptModel {
    static bool none(ScriptError& error)
    {
        error = {ScriptEngine::CantGet, QStringLiteral("nothing here")};
        return false;
    }
    std::optional<QList<ObjectRef>> elements(const std::optional<ObjectRef>&, const QString&,
                                             ScriptError& error) override
    {
        none(error);
        return std::nullopt;
    }
    std::optional<ObjectRef> objectWithID(const QString& key, const QString& id,
                                          ScriptError&) override
    {
        return ObjectRef{key, id};
    }
    std::optional<ScriptValue> property(const std::optional<ObjectRef>&, const QString&,
                                        ScriptError& error) override
    {
        none(error);
        return std::nullopt;
    }
    bool setProperty(const ObjectRef&, const QString&, const ScriptValue&,
                     ScriptError& error) override
    {
        return none(error);
    }
    bool remove(const ObjectRef&, ScriptError& error) override { return none(error); }
    std::optional<ScriptValue> make(const QString&, const std::optional<Location>&,
                                    const ScriptValue::Record&, ScriptError& error) override
    {
        none(error);
        return std::nullopt;
    }
    std::optional<ScriptValue> duplicate(const QList<ObjectRef>&, const ScriptValue::Record&,
                                         ScriptError& error) override
    {
        none(error);
        return std::nullopt;
    }
    std::optional<ScriptValue> move(const QList<ObjectRef>&, const ObjectRef&,
                                    ScriptError& error) override
    {
        none(error);
        return std::nullopt;
    }
    bool save(ScriptError& error) override { return none(error); }
    std::optional<ScriptValue> perform(const QString&, const ScriptValue&,
                                       ScriptError& error) override
    {
        none(error);
        return std::nullopt;
    }
};

struct Engine {
    EmptyModel model;
    ScriptTerminology terms = lexotrace::LexotraceScriptModel::terminology();
    ScriptEngine engine{terms, model};
};

Engine& engine()
{
    static Engine made;
    return made;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::start();
    engine();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Scripts arrive as UTF-8; bytes that are not are refused before they reach the parser.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(fuzz::bytes(data, size));
    if (decoder.hasError())
        return 0;

    Engine& e = engine();
    const auto parsed = parseScript(text, e.terms);
    if (const auto* error = std::get_if<ScriptError>(&parsed)) {
        if (error->text.isEmpty())
            fuzz::fail("a syntax error without a message");
        return 0;
    }
    const qsizetype lines = text.count(u'\n') + text.count(u'\r') + 1;
    for (const Statement& statement : std::get<std::vector<Statement>>(parsed))
        if (statement.line < 1 || statement.line > lines)
            fuzz::fail("a statement on a line the script does not have");

    const auto result = e.engine.run(text);
    const auto* value = std::get_if<ScriptValue>(&result);
    if (!value)
        return 0;
    const QString written = e.engine.scriptText(*value);
    const auto again = e.engine.run(written);
    const auto* same = std::get_if<ScriptValue>(&again);
    if (!same)
        fuzz::fail("a value as a script writes it does not run",
                   written + QStringLiteral("\n---- gave ----\n") +
                       std::get<ScriptError>(again).text);
    if (e.engine.scriptText(*same) != written)
        fuzz::fail("a value as a script writes it runs to another value",
                   written + QStringLiteral("\n---- became ----\n") + e.engine.scriptText(*same));
    return 0;
}
