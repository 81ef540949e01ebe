#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform::paths
{

namespace
{

// A base directory: the variable when it holds an absolute path (a relative one is invalid by the
// base-directory rules), else `underHome` in `home`; empty without either.
QString baseDirectory(const char* variable, const QString& home, QLatin1StringView underHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    if (home.isEmpty())
        return {};
    return QDir::cleanPath(home + u'/' + underHome);
}

constexpr QLatin1StringView kDataUnderHome(".local/share");
constexpr QLatin1StringView kConfigUnderHome(".config");

} // namespace

QString dataHome()
{
    return baseDirectory("XDG_DATA_HOME", qEnvironmentVariable("HOME"), kDataUnderHome);
}

QString configHome()
{
    return baseDirectory("XDG_CONFIG_HOME", qEnvironmentVariable("HOME"), kConfigUnderHome);
}

// These two go on where Qt's home folder is (the root folder without HOME), as they always have.
QString appGroupContainer(const QString& groupIdentifier)
{
    return QDir::cleanPath(baseDirectory("XDG_DATA_HOME", QDir::homePath(), kDataUnderHome) + u'/' +
                           groupIdentifier);
}

QString autostartDirectory()
{
    return QDir::cleanPath(baseDirectory("XDG_CONFIG_HOME", QDir::homePath(), kConfigUnderHome) +
                           QStringLiteral("/autostart"));
}

QString sharedDataDirectory(const QString& groupIdentifier)
{
    return QDir(appGroupContainer(groupIdentifier))
        .filePath(QStringLiteral("Library/Application Support"));
}

QString documentsDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString programDirectory()
{
    return QCoreApplication::applicationDirPath();
}

QString findProgram(const QString& name, const QString& besideDirectory)
{
    const QString beside = QDir(besideDirectory).filePath(name);
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable(name);
}

QString resourceDirectory()
{
    // Built tree: resources/ beside the program; installed: ../share/orthova.
    const QDir dir(programDirectory());
    for (const QString& candidate :
         {dir.filePath(QStringLiteral("resources")), dir.filePath(QStringLiteral("../resources")),
          dir.filePath(QStringLiteral("../share/orthova"))})
        if (QDir(candidate).exists())
            return QDir::cleanPath(candidate);
    return dir.filePath(QStringLiteral("resources"));
}

} // namespace platform::paths
