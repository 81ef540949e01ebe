#include "platform/Bookmarks.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>

namespace platform::bookmarks
{

std::optional<QByteArray> create(const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isAbsolute() || !info.absoluteDir().exists()) {
        if (error)
            *error = QObject::tr("The file “%1” couldn’t be found.").arg(path);
        return std::nullopt;
    }
    return QDir::cleanPath(info.absoluteFilePath()).toUtf8();
}

std::optional<QString> resolve(const QByteArray& bookmark, QString* error)
{
    const QString path = QString::fromUtf8(bookmark);
    if (path.isEmpty() || !QFileInfo(path).isAbsolute() || !QFileInfo::exists(path)) {
        if (error)
            *error = QObject::tr("The file “%1” couldn’t be found.").arg(path);
        return std::nullopt;
    }
    return path;
}

} // namespace platform::bookmarks
