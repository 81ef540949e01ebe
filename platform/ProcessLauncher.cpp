#include "platform/ProcessLauncher.h"

#include <QProcess>

namespace platform
{

bool DetachedProcessLauncher::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

QString shellDoubleQuoted(const QString& text)
{
    QString quoted;
    quoted.reserve(text.size() + 2);
    quoted += u'"';
    for (QChar c : text) {
        if (c == u'"' || c == u'$' || c == u'`' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted += u'"';
    return quoted;
}

} // namespace platform
