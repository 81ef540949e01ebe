#include "lexotrace/store/PayloadFile.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace lexotrace::payloadFile
{

QString path()
{
    return QDir(platform::paths::documentsDirectory()).filePath(QStringLiteral("appData.data"));
}

bool write(const QByteArray& archive, QString* error)
{
    const QString folder = platform::paths::documentsDirectory();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error =
                QCoreApplication::translate("PayloadFile", "The folder “%1” could not be created.")
                    .arg(folder);
        return false;
    }
    return platform::writeFileAtomically(path(), archive, error);
}

std::optional<QByteArray> read()
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace lexotrace::payloadFile
