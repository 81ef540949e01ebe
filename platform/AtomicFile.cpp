#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform
{

namespace
{

bool fsyncPath(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    const QFileInfo info(path);
    QTemporaryFile temp(info.absolutePath() + u'/' + u'.' + info.fileName() +
                        QStringLiteral(".XXXXXX"));
    temp.setAutoRemove(true);
    if (!temp.open()) {
        if (error)
            *error = temp.errorString();
        return false;
    }
    if (temp.write(bytes) != bytes.size() || !temp.flush() || ::fsync(temp.handle()) != 0) {
        if (error)
            *error = temp.errorString();
        return false;
    }
    // Keep the permissions of the file being replaced.
    if (info.exists())
        temp.setPermissions(QFile::permissions(path));
    else
        temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QByteArray from = QFile::encodeName(temp.fileName());
    const QByteArray to = QFile::encodeName(info.absoluteFilePath());
    if (::rename(from.constData(), to.constData()) != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    temp.setAutoRemove(false);
    fsyncPath(info.absolutePath(), O_RDONLY | O_DIRECTORY);
    return true;
}

} // namespace platform
