#include "lexotrace/store/PayloadFile.h"

#include "lexotrace/store/DataSource.h"
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
    QString why;
    bool written = QDir().mkpath(folder);
    if (written)
        written = platform::writeFileAtomically(path(), archive, &why);
    else
        why = QCoreApplication::translate("PayloadFile", "The folder “%1” could not be created.")
                  .arg(folder);
    // Logged either way, as every copy and drag has always logged it.
    qCInfo(lcStore, "Write returned error: %s",
           qUtf8Printable(written ? QStringLiteral("(null)") : why));
    if (error)
        *error = why;
    return written;
}

std::optional<QByteArray> read()
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace lexotrace::payloadFile
