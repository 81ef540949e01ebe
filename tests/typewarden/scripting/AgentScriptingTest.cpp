// Scripts over the agent's word pairs, through the script engine and a real store.
#include "platform/scripting/ScriptEngine.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/ScriptRun.h"
#include "tests/support/StoreOnDisk.h"
#include "tests/support/TestSupport.h"
#include "typewarden/scripting/TypewardenScriptModel.h"

#include <gtest/gtest.h>

using namespace platform::scripting;
namespace key = model::key;

namespace
{

struct Agent {
    testsupport::StoreOnDisk store{testsupport::sandboxRoot() + "/pairs.xml"};
    testsupport::RecordingAlerts alerts;
    typewarden::TypewardenScriptModel model{[this] { return store.context.get(); }, alerts};
    ScriptEngine engine{typewarden::TypewardenScriptModel::terminology(), model};

    QString operator()(const QString& text) { return testsupport::runScript(engine, text); }
    void add(const char* m, const char* c, const QDateTime& when)
    {
        platform::ManagedObject* pair = store.context->insertNewObject(model::entity::WordPair);
        pair->setValue(key::mSpell, QString(m));
        pair->setValue(key::cSpell, QString(c));
        pair->setValue(key::tStamp, when);
    }
};

const QDateTime kMonday(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC);

TEST(AgentScripting, WordPairsAreMadeReadChangedCopiedAndDeletedOldestFirst)
{
    Agent run;
    // Captured out of order: the oldest is word pair 1.
    run.add("wierd", "weird", kMonday.addDays(1));
    run.add("recieve", "receive", kMonday);
    EXPECT_EQ(run("count every word pair"), "2");
    EXPECT_EQ(run("get misspelling of word pair 1"), "\"recieve\"");
    EXPECT_EQ(run("get spelling set of word pair 2"),
              "{correct spelling:\"weird\", misspelling:\"wierd\", time stamp:date "
              "\"2026-12-08T09:00:00.000Z\"}");
    EXPECT_EQ(run("get terminology version"), "1");

    const QString made = run("make new word pair with properties {misspelling:\"teh\", correct "
                             "spelling:\"the\", time stamp:date \"2026-12-01T08:00:00Z\"}");
    ASSERT_TRUE(made.startsWith("word pair id \"x-orthova:")) << made.toStdString();
    EXPECT_EQ(run("get correct spelling of " + made), "\"the\"");
    EXPECT_EQ(run("get misspelling of word pair 1"), "\"teh\"");
    // A spelling set given with a direct value: the direct value wins.
    const QString direct =
        run("make new word pair with properties {spelling set:{misspelling:\"a\", correct "
            "spelling:\"b\", time stamp:date \"2026-12-10T00:00:00Z\"}, mSpell:\"direct\"}");
    EXPECT_EQ(run("get misspelling of " + direct), "\"direct\"");
    EXPECT_EQ(run("get correct spelling of " + direct), "\"b\"");
    EXPECT_EQ(run("make new word pair with properties {misspelling:\"x\", correct spelling:\"y\"}"),
              "error 6001: 'word pair' requires 3 items: 1) a misspelled word, 2) an incorrect "
              "spelled word, and 3) a date (e.g. current date).");

    // The set takes "cSpell", "mSpell" and "tStamp"; a missing correct spelling ends the record.
    run("set spelling set of " + direct +
        " to {cSpell:\"receive\", mSpell:\"recive\", tStamp:date \"2026-12-11T09:00:00Z\"}");
    EXPECT_EQ(run("get misspelling of word pair 4"), "\"recive\"");
    run("set correct spelling of word pair 4 to missing value");
    EXPECT_EQ(run("get spelling set of word pair 4"), "{}");
    EXPECT_EQ(run("set id of word pair 1 to \"x\""), "error -10003: Access not allowed.");

    // Copies keep their originals' stamps unless one is given.
    EXPECT_EQ(run("duplicate word pairs 1 thru 2").count("word pair id"), 2);
    run("duplicate " + direct + " with properties {time stamp:date \"2030-01-01T00:00:00Z\"}");
    EXPECT_EQ(run("get time stamp of last word pair"), "date \"2030-01-01T00:00:00.000Z\"");
    EXPECT_EQ(run("get misspelling of last word pair"), "\"recive\"");
    EXPECT_EQ(run("count word pairs"), "7");
    run("delete word pair 1");
    EXPECT_EQ(run("get misspelling of word pairs 1 thru 2"), "{\"teh\", \"recieve\"}")
        << "the copy of the oldest, then the second";
    EXPECT_EQ(run("move word pair 1 to word pair 2"), "error -1708: Word pairs can't be moved.");

    // Nothing is saved until a script saves.
    EXPECT_TRUE(run.store.context->hasChanges());
    EXPECT_EQ(run("save"), "missing value");
    EXPECT_FALSE(run.store.context->hasChanges());
    EXPECT_EQ(run.alerts.shown.size(), 0);
}

} // namespace
