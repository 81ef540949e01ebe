// Evaluating a comparison script's answer, and locating, installing and running the script.
#include "typewarden/capture/TextComparison.h"
#include "model/TypewardenDefaults.h"
#include "platform/defaults/UserDefaults.h"
#include "tests/platform/dbus/LogCapture.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/TestSupport.h"
#include "typewarden/capture/ComparisonScript.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace typewarden;

namespace
{

struct Evaluation {
    explicit Evaluation(bool retain)
    {
        defaults.setObject(retain, defaults::AutoCheckRetention);
        comparison.setOldDocText("old");
        comparison.setBeforeWord("recieve");
    }
    platform::UserDefaults defaults{QStringLiteral("Typewarden")};
    bool controlKey = false;
    bool spellPanel = false;
    QList<model::WordPair> handed;
    TextComparison comparison{defaults, [this](const model::WordPair& p) { handed << p; },
                              FlagAccess::of(controlKey), FlagAccess::of(spellPanel)};
};

} // namespace

TEST(TextComparison, AnswerShapesGiveTheDocumentTextAndTheWords)
{
    Evaluation e(true);
    EXPECT_FALSE(e.comparison.evaluate({}));
    EXPECT_FALSE(e.comparison.evaluate({""})); // no document: the baseline stays
    EXPECT_EQ(e.comparison.oldDocText(), "old");

    // One item: the after word is the item without its last character.
    EXPECT_TRUE(e.comparison.evaluate({"receive "}));
    EXPECT_EQ(e.comparison.oldDocText(), "receive ");
    EXPECT_TRUE(e.comparison.evaluate({"doc two", "receive"}));
    EXPECT_EQ(e.comparison.oldDocText(), "doc two");
    // Three items bring their own before word.
    e.comparison.setBeforeWord("unrelated");
    EXPECT_TRUE(e.comparison.evaluate({"doc three", "house", "horse"}));
    EXPECT_FALSE(e.comparison.evaluate({"doc four", "receive", "recieve", "more"}));
    EXPECT_EQ(e.comparison.oldDocText(), "doc four");

    ASSERT_EQ(e.handed.size(), 3);
    EXPECT_EQ(e.handed[0], (model::WordPair{"receive", "recieve"}));
    EXPECT_EQ(e.handed[1], (model::WordPair{"receive", "recieve"}));
    EXPECT_EQ(e.handed[2], (model::WordPair{"house", "horse"}));
}

TEST(TextComparison, WithoutRetentionAFlagMustConfirmAndIsThenCleared)
{
    Evaluation e(false);
    const QStringList good{"doc", "receive"};
    EXPECT_FALSE(e.comparison.evaluate(good));
    EXPECT_EQ(e.comparison.oldDocText(), "doc");

    e.controlKey = true;
    EXPECT_FALSE(e.comparison.evaluate({"doc", "recieve"})); // equal words: no hand-over
    EXPECT_TRUE(e.controlKey);
    EXPECT_TRUE(e.comparison.evaluate(good));
    EXPECT_FALSE(e.controlKey);

    e.spellPanel = true;
    EXPECT_TRUE(e.comparison.evaluate(good));
    EXPECT_FALSE(e.controlKey || e.spellPanel);
    EXPECT_EQ(e.handed.size(), 2);

    // Retention on keeps without asking, and leaves the flags alone.
    Evaluation retained(true);
    retained.spellPanel = true;
    EXPECT_TRUE(retained.comparison.evaluate(good));
    EXPECT_TRUE(retained.spellPanel);
    EXPECT_EQ(retained.handed.size(), 1);
}

TEST(TextComparison, TheGateDecidesAndTheTypedSpellingIsKept)
{
    Evaluation e(true);
    e.controlKey = true;
    EXPECT_FALSE(e.comparison.evaluate({"doc", "the", "teh"}));         // three letters
    EXPECT_FALSE(e.comparison.evaluate({"doc", "receive", "receive"})); // equal
    EXPECT_FALSE(e.comparison.evaluate({"doc", "don't", "dont"}));      // equal but for punctuation
    EXPECT_FALSE(e.comparison.evaluate({"doc", "receiving", "recieve"}));
    EXPECT_TRUE(e.handed.isEmpty());

    e.comparison.setBeforeWord("Recieve");
    EXPECT_TRUE(e.comparison.evaluate({"doc", "receive"}));
    ASSERT_EQ(e.handed.size(), 1);
    EXPECT_EQ(e.handed[0], (model::WordPair{"receive", "Recieve"}));
}

namespace
{

struct RecordingPanels : platform::FilePanels {
    void beginSaveSheet(QWidget*, const SaveRequest&,
                        std::function<void(std::optional<QString>)>) override
    {
        ADD_FAILURE() << "the comparison script saves nothing through a panel";
    }
    void beginFolderPanel(const FolderRequest& request,
                          std::function<void(std::optional<QString>)> completion) override
    {
        requests << request;
        completion(answer ? answer : std::optional<QString>(request.directory));
    }
    QList<FolderRequest> requests;
    std::optional<QString> answer; // nothing: the folder shown
};

struct Script {
    bool install(const QByteArray& body)
    {
        return testsupport::writeFile(ComparisonScript::scriptPath(), body) &&
               QFile::setPermissions(ComparisonScript::scriptPath(),
                                     QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString shipped = testsupport::sandboxRoot() + "/shipped/ComparingTextUsingDiff.scpt";
    testsupport::RecordingAlerts alerts;
    RecordingPanels panels;
    ComparisonScript script{alerts, panels, shipped};
    QSignalSpy answered{&script, &ComparisonScript::answered};
    QSignalSpy failed{&script, &ComparisonScript::failed};
};

} // namespace

TEST(ComparisonScript, RunsWithoutAShellAndAnswersTheStringItems)
{
    Script s;
    ASSERT_TRUE(
        s.install("#!/usr/bin/env python3\n"
                  "import json, sys\n"
                  "text = sys.stdin.buffer.read().decode('utf-8')\n"
                  "print(json.dumps([text] + sys.argv[1:] + [str(len(sys.argv) - 1), 7]))\n"));
    const QString name = "Text \"Edit\" 'x' $HOME; *";
    const QString previous = "line one\nline \u00fcnic\u00f6de \"two\"\n";
    ASSERT_TRUE(s.script.runDifferenceScript(name, previous));
    ASSERT_TRUE(s.answered.wait(10000));
    EXPECT_EQ(s.answered[0][0].toStringList(),
              QStringList({previous, "trackFrontDocument", name, "2"}));
    EXPECT_TRUE(s.failed.isEmpty());
    EXPECT_TRUE(s.alerts.shown.isEmpty());
}

TEST(ComparisonScript, FailingOrUnreadableRunsOnlyReportAFailure)
{
    Script s;
    s.script.setTimeout(300);
    for (const QByteArray body :
         {"#!/bin/sh\necho '[\"doc\"]'\nexit 1\n", "#!/bin/sh\necho garbage\n",
          "#!/bin/sh\necho '{\"a\": \"b\"}'\n", "#!/bin/sh\nexec sleep 5\n"}) {
        ASSERT_TRUE(s.install(body));
        ASSERT_TRUE(s.script.runDifferenceScript("TextEdit", "old"));
        EXPECT_TRUE(s.failed.wait(5000)) << body.constData();
    }
    EXPECT_EQ(s.failed.size(), 4);
    EXPECT_TRUE(s.answered.isEmpty());

    // A script that cannot be run is no script, but not a missing one either.
    QFile::setPermissions(ComparisonScript::scriptPath(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(s.script.runDifferenceScript("TextEdit", "old"));
    EXPECT_TRUE(s.alerts.shown.isEmpty());
}

TEST(ComparisonScript, AMissingScriptAsksForItsInstallationWhichCopiesItOnceIntoTheChosenFolder)
{
    Script s;
    ASSERT_TRUE(testsupport::writeFile(s.shipped, "#!/bin/sh\necho '[\"doc\"]'\n"));
    // Asked once a run, without taking the keys; cancelled, it is not asked again at every use.
    s.alerts.answer = 1;
    EXPECT_FALSE(s.script.runDifferenceScript("TextEdit", "old"));
    EXPECT_FALSE(s.script.trackFrontDocumentScriptTask());
    ASSERT_EQ(s.alerts.shown.size(), 1);
    EXPECT_EQ(s.alerts.shown[0].alert.messageText,
              "A resource to run Typewarden needs to be installed in your private scripts folder.");
    EXPECT_EQ(s.alerts.shown[0].alert.buttons, QStringList({"OK", "Cancel"}));
    EXPECT_TRUE(s.alerts.shown[0].alert.withoutFocus);
    EXPECT_TRUE(s.panels.requests.isEmpty());

    // Asked for again from the status menu.
    s.alerts.answer = 0;
    s.panels.answer = testsupport::sandboxRoot(); // another folder: nothing happens
    s.script.installScriptAlert();
    ASSERT_EQ(s.panels.requests.size(), 1);
    EXPECT_EQ(s.panels.requests[0].directory, ComparisonScript::scriptsDirectory());
    EXPECT_FALSE(QFile::exists(ComparisonScript::scriptPath()));

    s.panels.answer.reset();
    s.script.installScriptAlert();
    ASSERT_EQ(s.alerts.shown.size(), 4);
    EXPECT_EQ(s.alerts.shown[3].alert.messageText, "Script Installed");
    EXPECT_EQ(s.script.trackFrontDocumentScriptTask(), ComparisonScript::scriptPath());
    EXPECT_EQ(testsupport::readFile(ComparisonScript::scriptPath()),
              testsupport::readFile(s.shipped));

    // The file is there now: a second installation only logs.
    s.script.installScriptAlert();
    EXPECT_EQ(s.alerts.shown.size(), 5);
    EXPECT_TRUE(s.script.runDifferenceScript("TextEdit", "old"));
    ASSERT_TRUE(s.answered.wait(5000));
    EXPECT_EQ(s.answered[0][0].toStringList(), QStringList({"doc"}));
}

TEST(ComparisonScript, AnAnswerThatComesAfterANewerRunsAnswerIsDropped)
{
    // Each run waits as long as its input says, then answers its word or fails.
    Script s;
    ASSERT_TRUE(s.install("#!/bin/sh\n"
                          "read -r pause word\n"
                          "sleep \"$pause\"\n"
                          "[ \"$word\" = fail ] && exit 1\n"
                          "printf '[\"%s\"]' \"$word\"\n"));
    testsupport::LogCapture log("typewarden.capture.script");
    // Ends last, after the next run has answered: its text is older.
    ASSERT_TRUE(s.script.runDifferenceScript("TextEdit", "2 first"));
    ASSERT_TRUE(s.script.runDifferenceScript("TextEdit", "0 second"));
    // Ends after the run started next has failed, which makes it no older.
    ASSERT_TRUE(s.script.runDifferenceScript("TextEdit", "1 third"));
    ASSERT_TRUE(s.script.runDifferenceScript("TextEdit", "0 fail"));

    const auto dropped = [&] { return log.count("dropped the answer"); };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return s.answered.size() + dropped() >= 3 && s.failed.size() == 1; }, 10000));
    QStringList answers;
    for (const QList<QVariant>& signal : std::as_const(s.answered))
        answers << signal[0].toStringList();
    EXPECT_EQ(answers, QStringList({"second", "third"}));
    EXPECT_EQ(log.count("dropped the answer of run 1 as"), 1);
}
