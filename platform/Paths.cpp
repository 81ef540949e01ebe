#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace platform::paths
{

QString appGroupContainer(const QString& groupIdentifier)
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + u'/' + groupIdentifier);
}

QString documentsDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString programDirectory()
{
    return QCoreApplication::applicationDirPath();
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
