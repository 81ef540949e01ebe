// The agent's preferences window and its login item.
#include "model/TypewardenDefaults.h"
#include "tests/platform/dbus/LogCapture.h"
#include "tests/support/TestSupport.h"
#include "typewarden/app/LaunchAtLoginController.h"
#include "typewarden/app/PreferencesWindowController.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QHash>
#include <QTabWidget>

using typewarden::LaunchAtLoginController;
using typewarden::PreferencesWindowController;
namespace keys = typewarden::defaults;

namespace
{

struct RecordingCapture : typewarden::CaptureControl {
    QStringList calls;
    void startCaptureForApp(const QString& name) override { calls << "setup " + name; }
    void stopCapture() override { calls << "unload"; }
};

QString entryPath()
{
    return testsupport::sandboxRoot() +
           "/config/autostart/com.brellumworks.AutoLaunchHelperApp.desktop";
}

// Reads a desktop entry as launchers do: string escapes, then the Exec argument's quoting (which
// must escape " ` $ \), then "%%". A malformed Exec gives no argument.
QHash<QString, QString> readEntry(const QString& path)
{
    QHash<QString, QString> values;
    for (const QString& line : QString::fromUtf8(testsupport::readFile(path)).split(u'\n')) {
        const QString raw = line.section(u'=', 1);
        QString value;
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] != u'\\' || i + 1 == raw.size()) {
                value += raw[i];
                continue;
            }
            const qsizetype k = QStringView(u"ntrs").indexOf(raw[++i]);
            value += k < 0 ? raw[i] : QStringView(u"\n\t\r ")[k];
        }
        values.insert(line.section(u'=', 0, 0), value);
    }
    const QString exec = values.value("Exec");
    QString argument;
    for (qsizetype i = 1; i + 1 < exec.size(); ++i) {
        if (exec[i] == u'\\' && QStringView(u"\"`$\\").contains(exec[i + 1]))
            ++i;
        else if (QStringView(u"\"`$\\").contains(exec[i]))
            return values;
        argument += exec[i];
    }
    // A lone % would be a field code.
    if (exec.startsWith(u'"') && exec.endsWith(u'"') &&
        !QString(argument).remove("%%").contains(u'%'))
        values.insert("ExecArgument", argument.replace("%%", "%"));
    return values;
}

struct Preferences : ::testing::Test {
    // Every character the Exec quoting and the string escapes must protect.
    QString program = testsupport::sandboxRoot() + "/My Apps/a\"b`c$HOME\\d%f 100%\t\n;&(x)'y'/tw";
    platform::UserDefaults defaults{QStringLiteral("Typewarden")};
    LaunchAtLoginController login{program};
    RecordingCapture capture;
    PreferencesWindowController controller{defaults, login, capture};

    QCheckBox* box(const QString& key) { return controller.checkBoxForKey(key); }
};
using LaunchAtLogin = Preferences;

} // namespace

TEST_F(Preferences, OneKeptWindowWhoseTitleFollowsTheTabAndWhoseBoxesStartFromTheDefaults)
{
    defaults.setObject(true, keys::Beep);
    defaults.setObject(false, keys::Pages);
    defaults.setObject(true, keys::TextEdit);
    controller.showWindow();
    QWidget* window = controller.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(box(keys::Beep)->isChecked());
    EXPECT_TRUE(box(keys::TextEdit)->isChecked());
    EXPECT_FALSE(box(keys::Pages)->isChecked());
    EXPECT_FALSE(box(keys::ShowWindowAtStartup)->isChecked()); // absent reads as off
    EXPECT_EQ(window->windowTitle(), "General");
    controller.tabView()->setCurrentIndex(1);
    EXPECT_EQ(window->windowTitle(), "Applications");
    EXPECT_TRUE(capture.calls.isEmpty()); // setting the states acts on nothing

    window->close();
    controller.showWindow();
    EXPECT_EQ(controller.window(), window);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(Preferences, EachBoxWritesItsDefaultToDiskAtOnce)
{
    controller.showWindow();
    const QString file = testsupport::sandboxRoot() + "/config/Orthova/Typewarden.conf";
    for (const QString& key : {keys::ShowWindowAtStartup, keys::Beep, keys::AutoCheckRetention,
                               keys::TextEdit, keys::Pages, keys::LaunchAtLogin}) {
        for (bool on : {true, false}) {
            box(key)->click();
            // On disk without any later save, and readable by a new instance.
            EXPECT_TRUE(
                testsupport::readFile(file).contains((key + (on ? "=true" : "=false")).toUtf8()))
                << key.toStdString();
            EXPECT_EQ(platform::UserDefaults("Typewarden").boolForKey(key), on)
                << key.toStdString();
        }
    }
}

TEST_F(Preferences, WatchBoxesStartAndStopCaptureForTheirApplication)
{
    controller.showWindow();
    box(keys::Pages)->click();
    box(keys::TextEdit)->click();
    box(keys::Pages)->click();
    box(keys::TextEdit)->click();
    EXPECT_EQ(capture.calls, QStringList({"setup Pages", "setup TextEdit", "unload", "unload"}));
}

TEST_F(Preferences, LoginBoxCreatesAndRemovesAnAutostartEntryThatStartsTheProgram)
{
    controller.showWindow();
    box(keys::LaunchAtLogin)->click();
    ASSERT_TRUE(QFile::exists(entryPath()));
    const auto entry = readEntry(entryPath());
    EXPECT_EQ(entry.value("Type"), "Application");
    EXPECT_EQ(entry.value("Name"), "Typewarden");
    EXPECT_EQ(entry.value("Hidden"), "false");
    EXPECT_EQ(entry.value("ExecArgument"), program);
    box(keys::LaunchAtLogin)->click();
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_FALSE(defaults.boolForKey(keys::LaunchAtLogin));
}

TEST_F(LaunchAtLogin, AnUnwritableAutostartFolderIsLoggedAndTheChoiceStillStored)
{
    ASSERT_TRUE(testsupport::writeFile(testsupport::sandboxRoot() + "/config/autostart", "x"));
    testsupport::LogCapture log("typewarden.app");
    EXPECT_FALSE(login.setLaunchAtLogin(true));
    EXPECT_EQ(log.count("The login was not successful"), 1);
    // The next start applies the stored value again.
    controller.setTypewardenLaunchAtLoginDefaultSetting(true);
    EXPECT_TRUE(defaults.boolForKey(keys::LaunchAtLogin));
    EXPECT_EQ(log.count("The login was not successful"), 2);
}

TEST_F(LaunchAtLogin, TheStoredSettingDecidesTheRegistrationAtStart)
{
    defaults.setObject(true, keys::LaunchAtLogin);
    EXPECT_TRUE(login.applyStoredSetting(defaults));
    EXPECT_TRUE(QFile::exists(entryPath()));
    defaults.setObject(false, keys::LaunchAtLogin);
    EXPECT_TRUE(login.applyStoredSetting(defaults));
    EXPECT_FALSE(QFile::exists(entryPath()));
    defaults.removeObject(keys::LaunchAtLogin);
    login.setLaunchAtLogin(true);
    EXPECT_TRUE(login.applyStoredSetting(defaults)); // absent reads as off
    EXPECT_FALSE(QFile::exists(entryPath()));
}
