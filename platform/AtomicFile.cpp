#include "platform/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcAtomicFile, "orthova.files")

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

QString temporaryTemplate(const QFileInfo& info)
{
    return info.absolutePath() + u'/' + u'.' + info.fileName() + QStringLiteral(".XXXXXX");
}

// Between creating its temporary file and locking it a writer holds no lock: a file this young is
// left alone.
constexpr qint64 kYoungestStaleSeconds = 10;

} // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    const QFileInfo info(path);
    QTemporaryFile temp(temporaryTemplate(info));
    temp.setAutoRemove(true);
    if (!temp.open()) {
        if (error)
            *error = temp.errorString();
        return false;
    }
    // Released by the kernel however this process ends.
    ::flock(temp.handle(), LOCK_EX);
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

int removeStaleTemporaries(const QString& path)
{
    const QFileInfo info(path);
    const QRegularExpression own(QStringLiteral("^\\.") +
                                 QRegularExpression::escape(info.fileName()) +
                                 QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    const QDateTime youngest = QDateTime::currentDateTimeUtc().addSecs(-kYoungestStaleSeconds);
    int removed = 0;
    const QDir folder(info.absolutePath());
    const auto entries = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (!own.match(entry.fileName()).hasMatch() || entry.lastModified() > youngest)
            continue;
        const QByteArray name = QFile::encodeName(entry.absoluteFilePath());
        const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat status {
        };
        // A lock still held means a save under way, in this process or another.
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::getuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(name.constData()) == 0) {
            ++removed;
            qCInfo(lcAtomicFile).noquote()
                << QStringLiteral("Removed %1 (%2 bytes), left by a save that did not finish")
                       .arg(entry.fileName())
                       .arg(entry.size());
        }
        ::close(fd);
    }
    return removed;
}

} // namespace platform
