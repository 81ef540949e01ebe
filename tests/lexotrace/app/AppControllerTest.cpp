// The application controller's windows, notifications, relaunch command and validated buttons.
#include "lexotrace/analysis/SpellErrorAnalysisController.h"
#include "lexotrace/app/AboutController.h"
#include "lexotrace/app/LXMainAppController.h"
#include "lexotrace/app/ValidatedButtons.h"
#include "lexotrace/lessons/SpellLessonsWindowController.h"
#include "lexotrace/rules/SpellBitsWindowController.h"
#include "lexotrace/rules/SpellRulesWindowController.h"
#include "lexotrace/store/UnsavedEditsFile.h"
#include "model/OrthovaModel.h"
#include "tests/lexotrace/app/LoadedProgram.h"
#include "tests/support/ControllerFixture.h"
#include "tests/support/StoreOnDisk.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>

using namespace lexotrace;

namespace
{

using Controller = testsupport::ControllerFixture;

} // namespace

TEST(AppController, EachWindowIsCreatedOnceAndShownAgainWithItsState)
{
    Controller c;
    c.app.showSpellRuleWindow();
    auto* rules = c.app.spellRulesWindowController();
    ASSERT_NE(rules, nullptr);
    EXPECT_EQ(rules->interfaceName(), "SpellRuleController");
    auto* edit = new QLineEdit(rules->window());
    edit->setText("left by the user");
    rules->window()->close();
    c.app.showSpellRuleWindow();
    EXPECT_EQ(c.app.spellRulesWindowController(), rules);
    EXPECT_TRUE(rules->window()->isVisible());
    EXPECT_EQ(rules->window()->findChild<QLineEdit*>()->text(), "left by the user");

    c.app.showSpellBitsDictionaryWindow();
    c.app.showSpellBitsDictionaryWindow();
    EXPECT_EQ(c.app.spellBitsWindowController()->interfaceName(), "SpellBitsController");
    c.app.applicationDidFinishLaunching();
    EXPECT_EQ(c.app.spellErrorAnalysisController()->interfaceName(),
              "SpellErrorAnalysisController");
    EXPECT_EQ(c.app.analysisWindow(), c.app.spellErrorAnalysisController()->window());

    c.app.showSpellLessonsWindow();
    auto* lessons = c.app.spellLessonsWindowController();
    EXPECT_EQ(lessons->interfaceName(), "LessonsWindow");
    EXPECT_TRUE(lessons->window()->isVisible());
    c.app.showSpellLessonsWindow();
    EXPECT_EQ(c.app.spellLessonsWindowController(), lessons);

    c.app.performAbout();
    QDialog* panel = c.app.aboutController()->aboutPanel();
    ASSERT_NE(panel, nullptr);
    c.app.performAbout();
    EXPECT_EQ(c.app.aboutController()->aboutPanel(), panel);
    EXPECT_TRUE(panel->isVisible());

    for (QWidget* w : std::initializer_list<QWidget*>{rules->window(), lessons->window(),
                                                      c.app.analysisWindow()})
        EXPECT_FALSE(w->windowTitle().isEmpty());
}

TEST(AppController, AnAboutPanelThatCannotBeLoadedShowsNothing)
{
    AboutController about(QStringLiteral("NoSuchInterface"));
    about.show();
    EXPECT_EQ(about.aboutPanel(), nullptr);
}

TEST(AppController, ACountThatFailsIsReportedAndCountsAsZero)
{
    Controller c;
    const QString path = testsupport::sandboxRoot() + "/bad.xml";
    testsupport::writeFile(path, "garbage");
    testsupport::StoreOnDisk bad(path);
    EXPECT_EQ(c.app.countEntityObjectsForEntity(model::entity::Levels, bad.context.get()), 0u);
    EXPECT_EQ(c.alerts.shown.size(), 1);

    testsupport::StoreOnDisk good(testsupport::sandboxRoot() + "/good.xml");
    ASSERT_TRUE(good.opened);
    good.context->insertNewObject(model::entity::Rule);
    good.context->insertNewObject(model::entity::Rule);
    EXPECT_EQ(c.app.countEntityObjectsForEntity(model::entity::Rule, good.context.get()), 2u);
    EXPECT_EQ(c.alerts.shown.size(), 1);
}

// The relaunch command really run by /bin/sh starts exactly the program at the path, whatever
// characters the path holds, and nothing else.
// A logout with lesson edits the store cannot take: they go into a recovery file without a
// question (nobody is there to answer), and the next start puts them back in the store.
TEST(AppController, EditsALogoutCouldNotSaveAreKeptAndRestoredByTheNextStart)
{
    QString store;
    qsizetype factoryLevels = 0;
    {
        testsupport::LoadedProgram firstStart;
    } // quits after filling the stores
    {
        testsupport::LoadedProgram program;
        store = program.app->controller().preferencesController()->defaultPathToSpellLessonsData();
        factoryLevels = program.levels();
        program.lessons()
            .insertNewObject(model::entity::Levels)
            ->setValue(model::key::levelNumber, QStringLiteral("99"));
        // A folder where the store file goes makes the save fail.
        ASSERT_TRUE(QFile::remove(store));
        ASSERT_TRUE(QDir().mkpath(store));
        program.app->controller().terminateUnattended();
        EXPECT_TRUE(program.alerts.shown.isEmpty());
    }
    const QString kept = unsavedEdits::find(store);
    ASSERT_FALSE(kept.isEmpty());
    ASSERT_TRUE(QDir(store).removeRecursively());

    testsupport::LoadedProgram next; // answers "Restore"
    EXPECT_EQ(next.levels(), factoryLevels + 1);
    EXPECT_FALSE(QFile::exists(kept));
    EXPECT_EQ(unsavedEdits::find(store), QString());
}

TEST(AppController, RelaunchCommandQuotesAnyProgramPath)
{
    EXPECT_EQ(LXMainAppController::relaunchCommand(1.0, "/usr/bin/lexotrace"),
              "sleep 1.000000; exec \"/usr/bin/lexotrace\"");

    const QString root = testsupport::sandboxRoot();
    const QString marker = root + "/ran";
    const QString trap = root + "/pwned";
    for (const QString& folder :
         {QString("plain"), QString("with space"), QString("q\"uote"), QString("d$HOME"),
          QString("b`touch ") + trap + "`", QString("$(touch ") + trap + ")",
          QString("back\\slash"), QString("semi; touch ") + trap}) {
        const QString dir = root + "/p/" + folder;
        ASSERT_TRUE(QDir().mkpath(dir)) << folder.toStdString();
        const QString program = dir + "/lexotrace";
        testsupport::writeFile(program,
                               QString("#!/bin/sh\necho \"$0\" > '%1'\n").arg(marker).toUtf8());
        QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        QFile::remove(marker);
        QProcess sh;
        sh.start("/bin/sh", {"-c", LXMainAppController::relaunchCommand(0.0, program)});
        ASSERT_TRUE(sh.waitForFinished(10000));
        EXPECT_EQ(sh.exitCode(), 0) << folder.toStdString();
        EXPECT_EQ(testsupport::readFile(marker).trimmed(), program.toUtf8())
            << folder.toStdString();
        EXPECT_FALSE(QFile::exists(trap)) << folder.toStdString();
    }
}

namespace
{

struct Responder : QWidget, ActionResponder {
    QStringList actions;
    bool valid = true;
    mutable int validations = 0;
    bool respondsToAction(const QString& action) const override { return actions.contains(action); }
    bool validateUserInterfaceItem(const QObject*) const override
    {
        ++validations;
        return valid;
    }
};

} // namespace

TEST(ValidatedButtons, EnabledStateFollowsTheReceiverOfTheAction)
{
    Responder window;
    auto* save = new ValidatedSaveButton("saveAction:", &window);
    auto* revert = new ValidatedRevertButton("revertAction:", &window);
    auto* add = new ValidatedAddButton("add:", &window);
    auto* del = new ValidatedDeleteButton("remove:", &window);
    auto* onOff = new ValidatedTypewardenOnOffButton("toggle:", &window);

    // Nobody handles the actions: all disabled.
    validateControls(&window);
    for (QPushButton* b : std::initializer_list<QPushButton*>{save, revert, add, del, onOff})
        EXPECT_FALSE(b->isEnabled());

    // Handled, and the receiver says no: save, revert and on/off follow it; add, delete do not.
    window.actions = {"saveAction:", "revertAction:", "add:", "remove:", "toggle:"};
    window.valid = false;
    validateControls(&window);
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(revert->isEnabled());
    EXPECT_FALSE(onOff->isEnabled());
    EXPECT_TRUE(add->isEnabled());
    EXPECT_TRUE(del->isEnabled());
    window.valid = true;
    validateControls(&window);
    EXPECT_TRUE(save->isEnabled());
    EXPECT_TRUE(revert->isEnabled());

    // A save button wired to another action of a receiver without saveAction: is simply enabled.
    Responder other;
    other.actions = {"store:"};
    other.valid = false;
    ValidatedSaveButton saveOther("store:");
    saveOther.setTarget(&other);
    saveOther.validate();
    EXPECT_TRUE(saveOther.isEnabled());
    EXPECT_EQ(other.validations, 0);
}
