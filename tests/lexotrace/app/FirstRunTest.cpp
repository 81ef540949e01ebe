// Start-up of Lexotrace on empty and filled stores, through the program's own object graph.
#include "lexotrace/analysis/SpellErrorAnalysisController.h"
#include "lexotrace/app/LexotraceApplication.h"
#include "lexotrace/rules/SpellRulesWindowController.h"
#include "model/DefaultsKeys.h"
#include "model/OrthovaModel.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>
#include <QWidget>

using namespace lexotrace;
using testsupport::RecordingAlerts;

namespace
{

struct RecordingLauncher : platform::ProcessLauncher {
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        launches.append(QStringList{program} + arguments);
        return true;
    }
    QList<QStringList> launches;
};

QString supportDir()
{
    return testsupport::sandboxRoot() + "/data/group.com.Orthova.data/Library/Application Support";
}
QString lessonsStore()
{
    return supportDir() + "/OrthovaLessonsCoreData.xml";
}
QString rulesStore()
{
    return supportDir() + "/OrthovaRulesCoreData.xml";
}

// One launch of the program: its services are recorded, quitting only counted.
struct Launch {
    RecordingAlerts alerts;
    RecordingLauncher launcher;
    int quits = 0;
    std::unique_ptr<LexotraceApplication> app;

    explicit Launch(bool holdSheets = true, bool waitForStores = true)
    {
        alerts.holdSheets = holdSheets;
        app = std::make_unique<LexotraceApplication>(
            LexotraceApplication::Services{&alerts, &launcher});
        app->controller().setQuitHandler([this] { ++quits; });
        app->controller().setProgramPath(QStringLiteral("/opt/lexotrace/bin/lexotrace"));
        app->start();
        if (!waitForStores)
            return;
        waitUntilLoaded();
        QCoreApplication::processEvents(); // the first-run loads are scheduled for the next turn
    }
    // The stores are read on worker threads while the window shows.
    bool waitUntilLoaded()
    {
        return QTest::qWaitFor([this] { return app->isLoaded(); }, 10000);
    }

    qsizetype count(platform::ObjectContext* c, const QString& entity)
    {
        return c->count(platform::FetchRequest::all(entity)).value_or(-1);
    }
};

int sheetsWithText(const RecordingAlerts& alerts, const QString& fragment)
{
    int n = 0;
    for (const auto& s : alerts.shown)
        n += s.sheet && s.alert.informativeText.contains(fragment) ? 1 : 0;
    return n;
}

} // namespace

TEST(FirstRun, EmptyStoresAreFilledFromTheFactoryFilesAndTheProgramRelaunchesOnce)
{
    Launch first;
    // This copy will relaunch: the empty word-pair list is told once, by the next copy.
    QTest::qWait(1200);
    ASSERT_EQ(first.alerts.sheetCount(), 2);
    EXPECT_EQ(sheetsWithText(first.alerts, "spelling Lessons data is missing"), 1);
    EXPECT_EQ(sheetsWithText(first.alerts, "spelling rules is missing"), 1);
    for (const auto& s : first.alerts.shown)
        EXPECT_EQ(s.window, first.app->controller().analysisWindow());
    EXPECT_FALSE(QFile::exists(lessonsStore()));

    // Dismissing the lessons sheet loads and saves the curriculum; the relaunch waits for the
    // rules sheet still on the window.
    ASSERT_TRUE(first.alerts.dismissSheet(0));
    auto* lessons = first.app->controller().lessonsDBase();
    EXPECT_GE(first.count(lessons, model::entity::Levels), 3);
    EXPECT_GE(first.count(lessons, model::entity::RelatedWords), 60);
    EXPECT_FALSE(lessons->hasChanges());
    EXPECT_TRUE(QFile::exists(lessonsStore()));
    EXPECT_TRUE(first.launcher.launches.isEmpty());
    EXPECT_EQ(first.quits, 0);

    ASSERT_TRUE(first.alerts.dismissSheet(0));
    EXPECT_GT(first.count(first.app->controller().rulesDBase(), model::entity::Rule), 0);
    EXPECT_TRUE(QFile::exists(rulesStore()));
    EXPECT_FALSE(first.app->controller().rulesDBase()->hasChanges());
    ASSERT_EQ(first.launcher.launches.size(), 1);
    EXPECT_EQ(
        first.launcher.launches[0],
        (QStringList{"/bin/sh", "-c", "sleep 1.000000; exec \"/opt/lexotrace/bin/lexotrace\""}));
    EXPECT_EQ(first.quits, 1);
    first.app.reset();

    // The relaunched program shows its window before it reads the stores, and says so; then it
    // finds both stores filled and only tells that no pair is captured.
    Launch second(true, false);
    SpellErrorAnalysisController* analysis =
        second.app->controller().spellErrorAnalysisController();
    ASSERT_NE(analysis, nullptr);
    EXPECT_TRUE(analysis->window()->isVisible());
    EXPECT_TRUE(analysis->isLoading());
    EXPECT_EQ(analysis->window()->statusBar()->currentMessage(),
              "Loading the lessons and your word pairs…");
    EXPECT_FALSE(second.app->isLoaded());
    ASSERT_TRUE(second.waitUntilLoaded());
    EXPECT_FALSE(analysis->isLoading());
    EXPECT_TRUE(analysis->window()->statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(second.alerts.shown.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !second.alerts.shown.isEmpty(); }, 3000));
    EXPECT_EQ(second.alerts.shown[0].alert.messageText, "Your word error list is empty.");
    EXPECT_EQ(second.alerts.sheetCount(), 1);
    EXPECT_GE(second.count(second.app->controller().lessonsDBase(), model::entity::Levels), 3);
    EXPECT_TRUE(second.launcher.launches.isEmpty());
    EXPECT_EQ(second.app->defaults().dataForKey(model::defaults::LessonsBookmark),
              lessonsStore().toUtf8());
    EXPECT_EQ(second.app->defaults().dataForKey(model::defaults::RulesBookmark),
              rulesStore().toUtf8());
}

TEST(FirstRun, WithTheRulesSheetDismissedFirstTheLessonsSheetRelaunchesAtOnce)
{
    Launch launch;
    ASSERT_TRUE(launch.alerts.dismissSheet(1));
    EXPECT_TRUE(launch.launcher.launches.isEmpty());
    ASSERT_TRUE(launch.alerts.dismissSheet(0));
    EXPECT_EQ(launch.launcher.launches.size(), 1);
    EXPECT_EQ(launch.quits, 1);
}

// A logout or kill while the messages are up: this copy quits, and answering the messages as its
// window goes still fills the course but starts no copy that would outlive the session.
TEST(FirstRun, AQuitAskedWhileTheMessagesAreUpIsNotFollowedByARelaunch)
{
    Launch launch;
    launch.app->controller().terminate();
    EXPECT_EQ(launch.quits, 1);
    while (launch.alerts.dismissSheet(0)) {
    }
    EXPECT_GE(launch.count(launch.app->controller().lessonsDBase(), model::entity::Levels), 3);
    EXPECT_TRUE(launch.launcher.launches.isEmpty());
}

TEST(FirstRun, AFactoryFileThatCannotBeReadIsReportedAndTheStoreStaysEmpty)
{
    Launch launch;
    launch.app->lessons().setLessonsXMLSourcePath(testsupport::sandboxRoot() + "/missing.xml");
    ASSERT_TRUE(launch.alerts.dismissSheet(0));
    EXPECT_EQ(sheetsWithText(launch.alerts, "Failed to load new core data from xml backup"), 1);
    EXPECT_EQ(launch.count(launch.app->controller().lessonsDBase(), model::entity::Levels), 0);
    // The failure is seen before the program relaunches (and asks again).
    EXPECT_TRUE(launch.launcher.launches.isEmpty());
    while (launch.alerts.dismissSheet(0)) {
    }
    EXPECT_EQ(launch.launcher.launches.size(), 1);
}

TEST(FirstRun, ACurriculumThatCannotBeSavedIsKeptAndNotRelaunched)
{
    Launch launch;
    // A folder where the store file should go makes the save fail.
    ASSERT_TRUE(QDir().mkpath(lessonsStore() + "/blocked"));
    ASSERT_TRUE(launch.alerts.dismissSheet(0));
    auto* lessons = launch.app->controller().lessonsDBase();
    EXPECT_TRUE(lessons->hasChanges());
    EXPECT_GE(launch.count(lessons, model::entity::Levels), 3);
    EXPECT_TRUE(launch.launcher.launches.isEmpty());
    EXPECT_EQ(launch.quits, 0);
    ASSERT_FALSE(launch.alerts.shown.isEmpty());
    EXPECT_FALSE(launch.alerts.shown.last().sheet); // the failed save is told in an alert
}

TEST(FirstRun, AStoreFileThatCannotBeReadIsReportedAndLeftAsItIs)
{
    const QByteArray damaged(
        "<store format=\"orthova-store\" version=\"1\" uuid=\"u\" next=\"2\"><o");
    ASSERT_TRUE(testsupport::writeFile(lessonsStore(), damaged));
    Launch launch;
    EXPECT_EQ(sheetsWithText(launch.alerts, "spelling Lessons data is missing"), 0);
    ASSERT_GE(launch.alerts.shown.size(), 1);
    EXPECT_TRUE(launch.alerts.shown.first().alert.messageText.contains("lessons store"));
    EXPECT_FALSE(launch.alerts.shown.first().sheet);
    // Quitting saves nothing over it.
    launch.app->controller().terminate();
    EXPECT_EQ(launch.quits, 1);
    EXPECT_EQ(testsupport::readFile(lessonsStore()), damaged);
}

TEST(FirstRun, TheRulesStoreFollowsItsUserDefault)
{
    const QString moved = testsupport::sandboxRoot() + "/elsewhere/rules.xml";
    QDir().mkpath(testsupport::sandboxRoot() + "/elsewhere");
    {
        platform::UserDefaults defaults(QStringLiteral("Lexotrace"));
        defaults.setObject(moved, model::defaults::RulesPath);
        // The lessons store does not move with its default.
        defaults.setObject(testsupport::sandboxRoot() + "/elsewhere/lessons.xml",
                           model::defaults::LessonsPath);
        defaults.synchronize();
    }
    Launch launch(false);
    EXPECT_TRUE(QFile::exists(moved));
    EXPECT_FALSE(QFile::exists(rulesStore()));
    EXPECT_TRUE(QFile::exists(lessonsStore()));
    EXPECT_FALSE(QFile::exists(testsupport::sandboxRoot() + "/elsewhere/lessons.xml"));
}

// On the program's filled stores: delete all, import and export, and what quitting saves.
TEST(StoreManagers, DeleteAllIsUndoableUntilSavedImportStaysUnsavedExportWritesTheLessonsFile)
{
    {
        Launch fill(false);
    }
    Launch launch;
    auto& lessons = launch.app->lessons();
    auto* context = lessons.lessonsDBase();
    const QByteArray before = testsupport::readFile(lessonsStore());
    ASSERT_FALSE(before.isEmpty());
    const qsizetype levels = launch.count(context, model::entity::Levels);
    ASSERT_GE(levels, 3);

    EXPECT_TRUE(lessons.saveContext()); // no changes: the file is not rewritten
    EXPECT_EQ(testsupport::readFile(lessonsStore()), before);

    ASSERT_TRUE(lessons.deleteAllData());
    EXPECT_EQ(launch.count(context, model::entity::RelatedWords), 0);
    EXPECT_EQ(launch.count(context, model::entity::Unit), 0);
    EXPECT_EQ(testsupport::readFile(lessonsStore()), before);
    context->rollback();
    EXPECT_EQ(launch.count(context, model::entity::Levels), levels);
    EXPECT_FALSE(context->hasChanges());

    ASSERT_TRUE(launch.app->rules().deleteAllData());
    launch.app->rules().rulesDBase()->rollback();
    EXPECT_GT(launch.count(launch.app->rules().rulesDBase(), model::entity::Rule), 0);

    ASSERT_TRUE(lessons.importLessonsFromXMLdata());
    EXPECT_TRUE(context->hasChanges());
    EXPECT_EQ(launch.count(context, model::entity::Levels), 2 * levels);
    context->rollback();

    const QString exported = testsupport::sandboxRoot() + "/export.xml";
    ASSERT_TRUE(lessons.createLessonsXMLfileForExportWithFilePath(exported));
    EXPECT_EQ(testsupport::readFile(exported),
              testsupport::readFile(lessons.lessonsXMLSourcePath()));
}

TEST(Quitting, ClosingTheLastWindowAnnouncesTheCloseSavesAndQuitsOrLetsTheUserStay)
{
    {
        Launch fill(false);
    }
    Launch launch;
    int announced = 0;
    QObject receiver;
    launch.app->notifications().addObserver(KVRApplicationWillCloseNotification, &receiver,
                                            [&](QObject* object, const QVariantMap&) {
                                                ++announced;
                                                EXPECT_EQ(object, &launch.app->controller());
                                            });
    auto* rules = launch.app->controller().rulesDBase();
    rules->insertNewObject(model::entity::Rule)->setValue(model::key::ruleCode, QString("99"));
    QWidget* window = launch.app->controller().analysisWindow();
    ASSERT_TRUE(window->isVisible());
    launch.app->controller().showSpellRuleWindow();
    launch.app->controller().spellRulesWindowController()->window()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(announced, 0); // another window is still open
    EXPECT_EQ(launch.quits, 0);
    window->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(launch.quits, 1);
    EXPECT_FALSE(rules->hasChanges());
    EXPECT_TRUE(testsupport::readFile(rulesStore()).contains("ruleCode=\"99\""));

    // When the save fails the user is asked; Cancel keeps the program and its changes.
    Launch again;
    auto* lessons = again.app->controller().lessonsDBase();
    lessons->insertNewObject(model::entity::Levels);
    QFile::remove(lessonsStore());
    ASSERT_TRUE(QDir().mkpath(lessonsStore() + "/blocked"));
    again.alerts.answer = 1;
    again.app->controller().terminate();
    EXPECT_EQ(again.quits, 0);
    EXPECT_TRUE(lessons->hasChanges());
    EXPECT_TRUE(again.alerts.shown.last().alert.messageText.contains("Quit anyway?"));
}
