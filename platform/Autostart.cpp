#include "platform/Autostart.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform::autostart
{

namespace
{

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// The escapes of a desktop entry's string value, which readers undo first.
QString escapedValue(const QString& value)
{
    QString escaped;
    for (const QChar c : value) {
        if (c == u'\\')
            escaped += QStringLiteral("\\\\");
        else if (c == u'\n')
            escaped += QStringLiteral("\\n");
        else if (c == u'\t')
            escaped += QStringLiteral("\\t");
        else if (c == u'\r')
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return escaped;
}

// The Exec value that starts the program: the argument quoting of the Exec key (the whole path
// in double quotes, with ", `, $ and \ escaped, % doubled so no field code is expanded), then
// the escapes of a string value.
QString execValue(const QString& programPath)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : programPath) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    return escapedValue(quoted);
}

} // namespace

QString entryPath(const QString& identifier)
{
    return QDir::cleanPath(paths::autostartDirectory() + u'/' + identifier +
                           QStringLiteral(".desktop"));
}

bool install(const Entry& entry, QString* error)
{
    if (entry.programPath.isEmpty()) {
        setError(error, QStringLiteral("no program to start"));
        return false;
    }
    const QString path = entryPath(entry.identifier);
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        setError(error, QStringLiteral("cannot create ") + folder);
        return false;
    }
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=") +
                         escapedValue(entry.name) + QStringLiteral("\nExec=") +
                         execValue(entry.programPath) +
                         QStringLiteral("\n"
                                        "NoDisplay=true\n"
                                        "Hidden=false\n"
                                        "X-GNOME-Autostart-enabled=true\n");
    return writeFileAtomically(path, text.toUtf8(), error);
}

bool remove(const QString& identifier, QString* error)
{
    const QString path = entryPath(identifier);
    const QFileInfo entry(path);
    if (!entry.exists() && !entry.isSymLink())
        return true;
    QFile file(path);
    if (file.remove())
        return true;
    setError(error, file.errorString());
    return false;
}

} // namespace platform::autostart
