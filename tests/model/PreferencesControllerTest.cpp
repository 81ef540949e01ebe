// Store locations and the defaults that name them.
#include "model/PreferencesController.h"
#include "model/DefaultsKeys.h"
#include "tests/platform/dbus/LogCapture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

using model::PreferencesController;
namespace keys = model::defaults;

namespace
{

QString supportDir()
{
    return testsupport::sandboxRoot() + "/data/group.com.Orthova.data/Library/Application Support";
}

} // namespace

TEST(PreferencesController, TheSharedDataDirectoryIsCreatedOnceUnderXdgDataHome)
{
    testsupport::LogCapture log("orthova.preferences");
    QLoggingCategory::setFilterRules(QStringLiteral("orthova.preferences.debug=true"));
    platform::UserDefaults defaults(QStringLiteral("Lexotrace"));
    PreferencesController::initialize(defaults);
    EXPECT_FALSE(QFileInfo::exists(supportDir()));
    PreferencesController preferences(defaults);
    EXPECT_TRUE(QFileInfo(supportDir()).isDir());
    EXPECT_EQ(preferences.defaultPathToSpellLessonsData(),
              supportDir() + "/OrthovaLessonsCoreData.xml");
    EXPECT_EQ(preferences.defaultPathToSpellRulesData(),
              supportDir() + "/OrthovaRulesCoreData.xml");
    EXPECT_EQ(preferences.defaultPathToSpellErrorData(), supportDir() + "/spellErrorList.xml");
    EXPECT_EQ(log.count("Created a new 'OrthovaCoreData' directory at: " + supportDir()), 1);
    EXPECT_GE(log.count("fullPath: " + supportDir() + "/spellErrorList.xml"), 1);
}

TEST(PreferencesController, AFileInTheWayIsLoggedAndThePathStillReturned)
{
    testsupport::LogCapture log("orthova.preferences");
    const QString container = testsupport::sandboxRoot() + "/data/group.com.Orthova.data";
    ASSERT_TRUE(testsupport::writeFile(container, "not a folder"));
    platform::UserDefaults defaults(QStringLiteral("Lexotrace"));
    PreferencesController preferences(defaults);
    EXPECT_EQ(preferences.findOrCreateDirectory(), supportDir());
    EXPECT_GE(log.count("failed to create group container folder:"), 1);
    EXPECT_GE(log.count("failed to create Group Containers:"), 1);
    EXPECT_EQ(testsupport::readFile(container), QByteArray("not a folder"));
}

TEST(PreferencesController, RegisteredPathsGiveWayToStoredValues)
{
    platform::UserDefaults defaults(QStringLiteral("Lexotrace"));
    PreferencesController::initialize(defaults);
    EXPECT_EQ(defaults.stringForKey(keys::ErrorListPath), QString(""));
    EXPECT_EQ(defaults.stringForKey(keys::LastLessonLevel), "1");
    EXPECT_EQ(defaults.stringForKey(keys::LastLessonUnit), "1");

    PreferencesController preferences(defaults);
    EXPECT_EQ(preferences.typewardenErrorListXMLPath(), supportDir() + "/spellErrorList.xml");
    EXPECT_EQ(preferences.rulesDictionaryFactoryInstallXMLPath().toString(),
              supportDir() + "/OrthovaRulesCoreData.xml");
    EXPECT_FALSE(defaults.isStored(keys::RulesPath)); // registered values stay in memory

    // A stored value wins over the registered one, also in a later process.
    defaults.setObject(QStringLiteral("/elsewhere/rules.xml"), keys::RulesPath);
    defaults.synchronize();
    platform::UserDefaults later(QStringLiteral("Lexotrace"));
    PreferencesController again(later);
    EXPECT_EQ(again.rulesDictionaryFactoryInstallXMLPath().toString(), "/elsewhere/rules.xml");
    EXPECT_EQ(again.defaultPathToSpellLessonsData(), supportDir() + "/OrthovaLessonsCoreData.xml");

    // Defaults of the two programs are kept apart.
    platform::UserDefaults agent(QStringLiteral("Typewarden"));
    EXPECT_FALSE(agent.objectForKey(keys::RulesPath).isValid());
    EXPECT_TRUE(QFileInfo::exists(testsupport::sandboxRoot() + "/config/Orthova/Lexotrace.conf"));
}

TEST(UserDefaults, TypesReadBackAsStored)
{
    platform::UserDefaults defaults(QStringLiteral("Lexotrace"));
    defaults.registerDefaults({{"flag", true}, {"name", "registered"}});
    EXPECT_TRUE(defaults.boolForKey("flag"));
    defaults.setObject(false, "flag");
    defaults.setObject(QByteArray("\x00\xff bytes", 8), "data");
    defaults.synchronize();

    platform::UserDefaults reread(QStringLiteral("Lexotrace"));
    EXPECT_FALSE(reread.boolForKey("flag"));
    EXPECT_EQ(reread.dataForKey("data"), QByteArray("\x00\xff bytes", 8));
    EXPECT_TRUE(reread.stringForKey("data").isNull());   // bytes are not a string
    EXPECT_FALSE(reread.objectForKey("name").isValid()); // registration is per process
    reread.removeObject("flag");
    EXPECT_FALSE(reread.boolForKey("flag"));
}
