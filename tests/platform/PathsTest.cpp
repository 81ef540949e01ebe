// The XDG base directories and the folders resolved in them.
#include "platform/Paths.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace
{

// Puts the variables back as the sandbox set them.
struct SavedEnvironment {
    SavedEnvironment()
    {
        for (const char* name : kNames)
            saved << qgetenv(name);
    }
    ~SavedEnvironment()
    {
        for (qsizetype i = 0; i < saved.size(); ++i)
            qputenv(kNames[i], saved[i]);
    }
    static constexpr const char* kNames[3] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"};
    QList<QByteArray> saved;
};

} // namespace

TEST(Paths, BaseDirectoriesFollowAbsoluteValuesElseTheHomeFolder)
{
    namespace paths = platform::paths;
    SavedEnvironment environment;
    qputenv("XDG_DATA_HOME", "/srv/data/");
    qputenv("XDG_CONFIG_HOME", "/srv/config");
    EXPECT_EQ(paths::dataHome(), "/srv/data");
    EXPECT_EQ(paths::configHome(), "/srv/config");
    EXPECT_EQ(paths::sharedDataDirectory("group.x"),
              "/srv/data/group.x/Library/Application Support");
    EXPECT_EQ(paths::autostartDirectory(), "/srv/config/autostart");

    // Relative or empty values are ignored.
    const QString home = testsupport::sandboxRoot();
    qputenv("XDG_DATA_HOME", "relative/data");
    qputenv("XDG_CONFIG_HOME", "");
    EXPECT_EQ(paths::dataHome(), home + "/.local/share");
    EXPECT_EQ(paths::configHome(), home + "/.config");
    EXPECT_EQ(paths::appGroupContainer("group.x"), home + "/.local/share/group.x");

    // Without a home the base directories are unknown; the group container and the autostart
    // folder go under the root folder, Qt's home then.
    qunsetenv("HOME");
    EXPECT_TRUE(paths::dataHome().isEmpty());
    EXPECT_TRUE(paths::configHome().isEmpty());
    EXPECT_EQ(paths::appGroupContainer("group.x"), "/.local/share/group.x");
    EXPECT_EQ(paths::autostartDirectory(), "/.config/autostart");
}
