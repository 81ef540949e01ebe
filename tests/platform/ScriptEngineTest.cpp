// The script language over a small object model of levels and units held in memory.
#include "platform/scripting/ScriptEngine.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QMap>

using namespace platform::scripting;

namespace
{

// Levels with units; every object has a text property "name" and an ID "L1", "U3", ...
struct TreeModel : ScriptModel {
    struct Node {
        QString id, name, owner;
    };
    QList<Node> nodes;
    QStringList calls; // what the commands were asked, for the commands' own checks
    int next = 1;

    QString add(const QString& kind, const QString& name, const QString& owner = {})
    {
        nodes.append({kind + QString::number(next++), name, owner});
        return nodes.last().id;
    }
    static QString keyOf(const QString& id)
    {
        return id.startsWith(u'L') ? QStringLiteral("levelsArray") : QStringLiteral("unitsArray");
    }
    Node* find(const QString& id)
    {
        for (Node& n : nodes)
            if (n.id == id)
                return &n;
        return nullptr;
    }

    std::optional<QList<ObjectRef>> elements(const std::optional<ObjectRef>& container,
                                             const QString& key, ScriptError& error) override
    {
        const QString owner = container ? container->uniqueID : QString();
        if ((key == "unitsArray") != !owner.isEmpty()) {
            error = {-1728, "no such list here"};
            return std::nullopt;
        }
        QList<ObjectRef> list;
        for (const Node& n : nodes)
            if (n.owner == owner && keyOf(n.id) == key)
                list.append({key, n.id});
        return list;
    }
    std::optional<ObjectRef> objectWithID(const QString& key, const QString& id,
                                          ScriptError&) override
    {
        if (!find(id) || keyOf(id) != key)
            return std::nullopt;
        return ObjectRef{key, id};
    }
    std::optional<ScriptValue> property(const std::optional<ObjectRef>& object, const QString& key,
                                        ScriptError& error) override
    {
        if (!object && key == "terminologyVersion")
            return ScriptValue(1);
        if (object && key == "name")
            return ScriptValue(find(object->uniqueID)->name);
        error = {-10000, "no property " + key};
        return std::nullopt;
    }
    bool setProperty(const ObjectRef& object, const QString& key, const ScriptValue& value,
                     ScriptError& error) override
    {
        if (key == "uniqueID") {
            error = {-10003, "Access not allowed."};
            return false;
        }
        find(object.uniqueID)->name = *value.as<QString>();
        return true;
    }
    bool remove(const ObjectRef& object, ScriptError&) override
    {
        nodes.removeIf(
            [&](const Node& n) { return n.id == object.uniqueID || n.owner == object.uniqueID; });
        return true;
    }
    std::optional<ScriptValue> make(const QString& classKey, const std::optional<Location>& at,
                                    const ScriptValue::Record& properties,
                                    ScriptError& error) override
    {
        if (!at) {
            error = {6006, "Can't create this object without a destination (e.g. level 6.)"};
            return std::nullopt;
        }
        QString record;
        for (const auto& [key, value] : properties)
            record += key + '=' + (value.as<QString>() ? *value.as<QString>() : "?") + ';';
        calls.append(
            QString("make %1 in %2 %3 at %4 %5")
                .arg(classKey, at->container ? at->container->uniqueID : "app", at->elementKey)
                .arg(at->index)
                .arg(record));
        return ScriptValue(ObjectRef{at->elementKey, "NEW"});
    }
    std::optional<ScriptValue> duplicate(const QList<ObjectRef>& objects,
                                         const ScriptValue::Record&, ScriptError&) override
    {
        ScriptValue::List copies;
        for (const ObjectRef& o : objects)
            copies.push_back(ObjectRef{o.elementKey, o.uniqueID + "-copy"});
        return ScriptValue(copies);
    }
    std::optional<ScriptValue> move(const QList<ObjectRef>& objects, const ObjectRef& to,
                                    ScriptError&) override
    {
        for (const ObjectRef& o : objects)
            find(o.uniqueID)->owner = to.uniqueID;
        return std::nullopt;
    }
    bool save(ScriptError&) override
    {
        calls.append("save");
        return true;
    }
    std::optional<ScriptValue> perform(const QString& key, const ScriptValue& direct,
                                       ScriptError&) override
    {
        return ScriptValue(key + ":" + *direct.as<QString>());
    }
};

ScriptTerminology terms()
{
    return {{{"level", "levels", "levelsArray", "Levels"}, {"unit", "units", "unitsArray", "Unit"}},
            {{"name", "name"}, {"terminology version", "terminologyVersion"}, {"id", "uniqueID"}},
            {{"evaluate id", "evaluateID"}}};
}

struct Script {
    TreeModel model;
    ScriptEngine engine{terms(), model};
    Script()
    {
        for (const char* level : {"one", "two", "three"}) {
            const QString id = model.add("L", level);
            for (int u = 1; u <= 3; ++u)
                model.add("U", QString("%1.%2").arg(level).arg(u), id);
        }
    }
    QString operator()(const QString& text) { return testsupport::runScript(engine, text); }
};

TEST(ScriptEngine, ReferencesCountsPropertiesAndResultsAsScriptsWriteThem)
{
    Script run;
    EXPECT_EQ(run("count every level"), "3");
    EXPECT_EQ(run("count levels"), "3");
    EXPECT_EQ(run("count every unit of every level"), "9");
    EXPECT_EQ(run("get name of unit 2 of level 3"), "\"three.2\"");
    EXPECT_EQ(run("name of last unit in first level"), "\"one.3\"");
    EXPECT_EQ(run("get name of unit -1 of level 2"), "\"two.3\"");
    EXPECT_EQ(run("get name of units 1 thru 2 of level 1"), "{\"one.1\", \"one.2\"}");
    EXPECT_EQ(run("get name of every LEVEL"), "{\"one\", \"two\", \"three\"}");
    EXPECT_EQ(run("get terminology version"), "1");
    // An object is answered as text a later script can use again.
    const QString unit = run("get unit 1 of level 2");
    EXPECT_EQ(unit, "unit id \"U6\"");
    EXPECT_EQ(run("get name of " + unit), "\"two.1\"");
    EXPECT_EQ(run("{1, 2.5, \"a \\\"b\\\"\", true, missing value, {name:\"x\", other:-3}}"),
              "{1, 2.5, \"a \\\"b\\\"\", true, missing value, {name:\"x\", other:-3}}");
    EXPECT_EQ(run("date \"2026-12-07T10:30:00Z\""), "date \"2026-12-07T10:30:00.000Z\"");
    EXPECT_TRUE(run("current date").startsWith("date \"20"));
    EXPECT_EQ(run("-- a comment\n\nget name of level 1 -- and another\ncount levels\n"), "3");

    // For a shell: one line per item, texts as they stand.
    const auto names = run.engine.run("get name of every level");
    EXPECT_EQ(run.engine.displayLines(std::get<ScriptValue>(names)),
              QStringList({"one", "two", "three"}));

    // Objects and positions that are not there.
    EXPECT_EQ(run("get level 4"), "error -1719: Can't get level 4. Invalid index.");
    EXPECT_EQ(run("get level 0"), "error -1719: Can't get level 0. Invalid index.");
    EXPECT_EQ(run("get units 3 thru 2 of level 1"),
              "error -1719: Can't get unit 3 thru 2. Invalid index.");
    EXPECT_EQ(run("get level id \"U2\""), "error -1728: Can't get level id \"U2\".");
    EXPECT_EQ(run("get level 1.5"), "error -1700: Can't make 1.5 into a whole number.");
    EXPECT_EQ(run("get units"), "error -1728: no such list here");
}

TEST(ScriptEngine, CommandsReachTheModelWithTheirObjectsAndPlaces)
{
    Script run;
    EXPECT_EQ(run("set name of unit 1 of level 1 to \"first\""), "\"first\"");
    EXPECT_EQ(run("name of unit 1 of level 1"), "\"first\"");
    EXPECT_EQ(run("set name of every level to \"same\"\nget name of every level"),
              "{\"same\", \"same\", \"same\"}");
    EXPECT_EQ(run("set id of level 1 to \"x\""), "error -10003: Access not allowed.");
    EXPECT_TRUE(run("set terminology version to 2").startsWith("error -10003:"));

    EXPECT_EQ(run("make new level"),
              "error 6006: Can't create this object without a destination (e.g. level 6.)");
    EXPECT_EQ(run("make new level at end of levels"), "level id \"NEW\"");
    run("make new level at beginning of levels");
    run("make new unit at unit 2 of level 3 with properties {name:\"n\", size:\"big\"}");
    run("make new unit after unit 3 of level 3");
    // An object named by its ID is placed in the list its container gives.
    run("make new unit before " + run("get unit 1 of level 2") + " of level 2");
    EXPECT_EQ(
        run.model.calls,
        QStringList({"make Levels in app levelsArray at 3 ", "make Levels in app levelsArray at 0 ",
                     "make Unit in L9 unitsArray at 1 name=n;size=big;",
                     "make Unit in L9 unitsArray at 3 ", "make Unit in L5 unitsArray at 0 "}));

    EXPECT_EQ(run("duplicate units 1 thru 2 of level 1"),
              "{unit id \"U2-copy\", unit id \"U3-copy\"}");
    run("move every unit of level 1 to level 2");
    EXPECT_EQ(run("count units of level 2"), "6");
    EXPECT_EQ(run("move level 1 to name of level 2"),
              "error -1728: Can't move to that: it is not an object.");
    run("delete level 2");
    EXPECT_EQ(run("count every unit of every level"), "3");
    EXPECT_EQ(run("save"), "missing value");
    EXPECT_EQ(run("evaluate id \"x1\""), "\"evaluateID:x1\"");
}

TEST(ScriptEngine, BadScriptsAreToldWithTheirPlaceAndLongOnesStopped)
{
    Script run;
    for (const auto& [script, error] : std::vector<std::pair<QString, QString>>{
             {"count levels\nget name of frobnicate 2",
              "error -2753: “frobnicate” is not a word this program knows (line 2, column 13)."},
             {"get level", "error -2741: Syntax error at line 1, column 10: expected an index, "
                           "“id” or “every” but found the end of the script."},
             {"set name of level 1 \"x\"",
              "error -2741: Syntax error at line 1, column 21: expected “to” but found \"x\"."},
             {"get {name:1", "error -2741: Syntax error at line 1, column 12: expected “,” or "
                             "“}” but found the end of the script."},
             {"get \"open", "error -2741: Syntax error at line 1, column 5: a text is not closed."},
             {"count levels levels",
              "error -2741: Syntax error at line 1, column 14: expected the end of the line but "
              "found “levels”."},
             {"get level 1 # 2", "error -2741: Syntax error at line 1, column 13: expected a word, "
                                 "a number or a text but found “#”."},
             {"get date \"yesterday\"", "error -2741: Syntax error at line 1, column 10: expected "
                                        "a date such as \"2026-12-07T10:30:00Z\" but found "
                                        "\"yesterday\"."},
         })
        EXPECT_EQ(run(script), error) << script.toStdString();

    // However deep a value nests, the script is refused, not the program ended.
    for (const QString& deep : {QString(100000, '{'), QString(100000, '(')})
        EXPECT_TRUE(run("get " + deep).contains("nest 100 deep at most"));
    EXPECT_EQ(run("get " + QString(50, '{') + QString(50, '}')),
              "{" + QString(49, '{') + QString(50, '}'));

    run.engine.setTimeLimit(std::chrono::milliseconds(0));
    for (int i = 0; i < 2000; ++i)
        run.model.add("L", "more");
    const QString stopped = run("get name of every unit of every level");
    EXPECT_TRUE(stopped.startsWith("error -1712: The script ran longer than 0 seconds"))
        << stopped.toStdString();
}

} // namespace
