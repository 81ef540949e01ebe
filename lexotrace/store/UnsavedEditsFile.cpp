#include "lexotrace/store/UnsavedEditsFile.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/store/ObjectContext.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lexotrace::unsavedEdits
{

namespace
{

QStringList foldersFor(const QString& storePath)
{
    QStringList folders{QFileInfo(storePath).absolutePath()};
    const QString documents = platform::paths::documentsDirectory();
    if (!documents.isEmpty() && !folders.contains(documents))
        folders << documents;
    return folders;
}

QString stemOf(const QString& storePath)
{
    return QFileInfo(storePath).completeBaseName() + QStringLiteral("-unsaved-");
}

} // namespace

QString write(const platform::ObjectContext& context, const QString& storePath,
              platform::StoreError* error)
{
    const QString name = stemOf(storePath) +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (const QString& folder : foldersFor(storePath)) {
        if (!QFileInfo(folder).isDir())
            continue;
        const QDir dir(folder);
        // Never over another recovery file.
        QString path = dir.filePath(name + QStringLiteral(".xml"));
        for (int n = 2; QFileInfo::exists(path) && n < 1000; ++n)
            path = dir.filePath(QStringLiteral("%1-%2.xml").arg(name).arg(n));
        if (!QFileInfo::exists(path) && context.writeCopy(path, error))
            return path;
    }
    return {};
}

QString find(const QString& storePath)
{
    QString newest;
    QDateTime newestTime;
    const QString pattern = stemOf(storePath) + QStringLiteral("*.xml");
    for (const QString& folder : foldersFor(storePath)) {
        const QFileInfoList files = QDir(folder).entryInfoList({pattern}, QDir::Files, QDir::Time);
        for (const QFileInfo& file : files) {
            if (file.fileName().endsWith(QStringLiteral(".set-aside.xml")))
                continue;
            if (newest.isEmpty() || file.lastModified() > newestTime) {
                newest = file.absoluteFilePath();
                newestTime = file.lastModified();
            }
            break; // the newest of this folder
        }
    }
    return newest;
}

bool restore(const QString& recoveryPath, const QString& storePath, QString* why)
{
    QFile recovery(recoveryPath);
    if (!recovery.open(QIODevice::ReadOnly)) {
        if (why)
            *why = recovery.errorString();
        return false;
    }
    // Written whole in the store's place (the file may be on another disk), then let go.
    if (!platform::writeFileAtomically(storePath, recovery.readAll(), why))
        return false;
    recovery.close();
    QFile::remove(recoveryPath);
    return true;
}

QString setAside(const QString& recoveryPath)
{
    QString target = recoveryPath;
    target.replace(target.size() - 4, 4, QStringLiteral(".set-aside.xml"));
    return QFile::rename(recoveryPath, target) ? target : QString();
}

} // namespace lexotrace::unsavedEdits
