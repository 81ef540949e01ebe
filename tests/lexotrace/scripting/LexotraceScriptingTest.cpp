// Scripts over a small curriculum, the rules and the word pairs, through the script engine.
#include "lexotrace/scripting/LexotraceScriptModel.h"
#include "platform/scripting/ScriptEngine.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/StoreOnDisk.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace platform::scripting;
namespace key = model::key;
namespace entity = model::entity;
using platform::ManagedObject;

namespace
{

// Level 1 with units 1-3, unit 1 with sections "0"-"2", section "0" with rows "apple" and
// "Banana"; level 2 with units 1-2; rules 1-2.
struct Program {
    testsupport::StoreOnDisk lessons{testsupport::sandboxRoot() + "/lessons.xml"};
    testsupport::StoreOnDisk rules{testsupport::sandboxRoot() + "/rules.xml"};
    testsupport::StoreOnDisk pairs{testsupport::sandboxRoot() + "/pairs.xml"};
    testsupport::RecordingAlerts alerts;
    ManagedObject* current = nullptr;
    int opened = 0;
    lexotrace::LexotraceScriptModel model{{[this] { return lessons.context.get(); },
                                           [this] { return rules.context.get(); },
                                           [this] { return pairs.context.get(); },
                                           [this] { return current; },
                                           {{"aSOpenLessonsWindow", [this] { ++opened; }}}},
                                          alerts};
    ScriptEngine engine{lexotrace::LexotraceScriptModel::terminology(), model};

    ManagedObject* add(testsupport::StoreOnDisk& store, const QString& kind,
                       QList<std::pair<QString, QString>> values, ManagedObject* owner = nullptr,
                       const QString& inverse = {})
    {
        ManagedObject* o = store.context->insertNewObject(kind);
        for (const auto& [k, v] : values)
            o->setValue(k, v);
        if (owner)
            o->setToOne(inverse, owner);
        return o;
    }
    Program()
    {
        ManagedObject* one = add(lessons, entity::Levels, {{key::levelNumber, "1"}});
        ManagedObject* two = add(lessons, entity::Levels, {{key::levelNumber, "2"}});
        for (const char* n : {"3", "1", "2"})
            add(lessons, entity::Unit,
                {{key::unitNumber, n}, {key::generalRule, QString("rule %1").arg(n)}}, one,
                key::level);
        for (const char* n : {"1", "2"})
            add(lessons, entity::Unit, {{key::unitNumber, n}}, two, key::level);
        ManagedObject* unit = one->toMany(key::units).at(1); // unit "1"
        for (const char* n : {"0", "1", "2"})
            add(lessons, entity::Sections, {{key::sectionNumber, n}}, unit, key::unit);
        ManagedObject* section = unit->toMany(key::sections).at(0);
        add(lessons, entity::RelatedWords,
            {{key::word(1), "apple"}, {key::bit(1), "a"}, {key::word(2), "apples"}}, section,
            key::section);
        add(lessons, entity::RelatedWords, {{key::word(1), "Banana"}, {key::bit(1), "b"}}, section,
            key::section);
        for (const char* n : {"2", "1"})
            add(rules, entity::Rule, {{key::ruleCode, n}, {key::rule, QString("Rule %1").arg(n)}});
    }
    QString operator()(const QString& text) { return testsupport::runScript(engine, text); }
};

TEST(LexotraceScripting, PropertiesReadAndWrittenAsScriptsSeeThem)
{
    Program run;
    EXPECT_EQ(run("count every level"), "2");
    EXPECT_EQ(run("get unit number of every unit of level 1"), "{1, 2, 3}");
    EXPECT_EQ(run("get general rule of unit 1 of level 1"), "\"rule 1\"");
    EXPECT_EQ(run("get general rule code of every rule"), "{\"1\", \"2\"}");
    EXPECT_EQ(run("get terminology version"), "1");
    EXPECT_EQ(run("get current unit"), "missing value");

    // Sections count from 1 in scripts and are written as given.
    const QString first = "section 1 of unit 1 of level 1";
    EXPECT_EQ(run("get section number of " + first), "1");
    run("set section number of " + first + " to 1");
    EXPECT_EQ(run("get section number of section 2 of unit 1 of level 1"), "2");

    // Rows in plain order of first word: capitals first.
    const QString rows = "rows of " + first;
    EXPECT_EQ(run("get word1 of every row of section 1 of unit 1 of level 1"),
              "{\"Banana\", \"apple\"}");
    EXPECT_EQ(run("get word bit sets of row 2 of " + first), "{\"apple\", \"a\", \"apples\"}");
    run("set word1 of row 2 of " + first + " to missing value");
    EXPECT_EQ(run("get word bit sets of row 1 of " + first), "{}") << "no first word";
    EXPECT_EQ(run("set word bit sets of row 1 of " + first + " to {}"),
              "error -10003: Access not allowed.");
    EXPECT_EQ(run("set id of level 1 to \"x\""), "error -10003: Access not allowed.");
    run("delete row 1 of " + first);
    EXPECT_EQ(run("count " + rows), "1");

    run.current = run.lessons.context->fetch(platform::FetchRequest::all(entity::Unit))->first();
    EXPECT_TRUE(run("get current unit").startsWith("unit id \"x-orthova:"));
    EXPECT_EQ(run("open lessons window"), "missing value");
    EXPECT_EQ(run.opened, 1);
    const QString unit = run("get unit 2 of level 2");
    EXPECT_EQ(run("evaluate id \"" + unit.section('"', 1, 1) + "\""), unit);
    EXPECT_TRUE(run("evaluate id \"" + run("get rule 1").section('"', 1, 1) + "\"")
                    .startsWith("error -1728"));
    EXPECT_FALSE(run.lessons.context->hasChanges() && run.alerts.shown.size() > 0);
}

TEST(LexotraceScripting, MakeDuplicateAndMoveNumberWhatTheyMake)
{
    Program run;
    const QString units = " at end of units of level 2";
    run("make new unit" + units);
    run("make new unit" + units + " with properties {unit number:0, general rule:\"g\"}");
    EXPECT_EQ(run("get unit number of every unit of level 2"), "{1, 2, 3, 4}");
    run("make new section at end of sections of unit 1 of level 2");
    EXPECT_EQ(run("get section number of every section of unit 1 of level 2"), "{2}");
    const QString section = run("make new section at end of sections of unit 1 of level 2");
    EXPECT_EQ(run("get section number of " + section), "3") << "stored \"2\": two sections";

    const QString row =
        run("make new row at end of rows of " + section +
            " of unit 1 of level 2 with properties {word bit sets:{\"cat/a/hat/a\", "
            "\"dog/o\"}}");
    EXPECT_EQ(run("get word bit sets of " + row), "{\"dog\", \"o\"}");
    EXPECT_EQ(run("get word bit sets of every row of " + section + " of unit 1 of level 2"),
              "{{\"cat\", \"a\", \"hat\", \"a\"}, {\"dog\", \"o\"}}");
    EXPECT_TRUE(run("make new row at end of rows of " + section +
                    " of unit 1 of level 2 with properties {word bit sets:{\"odd/a/b\"}}")
                    .startsWith("error -1700"));
    const QString rule = run("make new rule with properties {general rule:\"new\"}");
    EXPECT_EQ(rule, run("get rule 3"));
    EXPECT_EQ(run("get general rule code of rule 3"), "\"3\"");

    // Moved units are numbered after the destination's last; the old level keeps its numbers.
    run("move units 1 thru 2 of level 1 to level 2");
    EXPECT_EQ(run("get unit number of every unit of level 2"), "{1, 2, 3, 4, 5, 6}");
    EXPECT_EQ(run("get unit number of every unit of level 1"), "{3}");
    EXPECT_EQ(run("move level 2 to level 1"),
              "error 6009: Moving level(s) is not allowed. Try duplicating level(s) using the "
              "level number parameter.");
    EXPECT_EQ(run("move unit 1 of level 1 to unit 1 of level 2"),
              "error 6010: Can't move a unit to this location.");
    EXPECT_EQ(run("move every row of " + section + " of unit 1 of level 2 to level 1"),
              "error 6012: Can't move related words to this location.");

    // A duplicated level brings a copy of its whole subtree.
    const QString copy = run("duplicate level 2");
    EXPECT_EQ(run("get level number of " + copy), "2");
    EXPECT_EQ(run("count every unit of " + copy), "6");
    EXPECT_EQ(run("count every row of every section of every unit of " + copy), "4");
    for (const char* missing : {"duplicate word pairs", "duplicate unit 9 of level 1",
                                "move unit id \"x-orthova:///Unit/p999\" to level 1"})
        EXPECT_EQ(run(missing), "error 6008: Lexotrace got an error: Can't move objects because "
                                "some object doesn't exist.")
            << missing;
    // Levels are numbered by their place; nothing else is renumbered.
    EXPECT_EQ(run("make new level"),
              "error 6006: Can't create this object without a destination (e.g. level 6.)");
    run("make new level at beginning of levels");
    run("make new level at end of levels");
    EXPECT_EQ(run("get level number of every level"), "{1, 1, 2, 2, 5}");

    EXPECT_EQ(run("save"), "missing value");
    EXPECT_FALSE(run.lessons.context->hasChanges());
    EXPECT_TRUE(run.rules.context->hasChanges()) << "only the lessons are saved";
}

} // namespace
