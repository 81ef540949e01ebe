#include "platform/ui/FirstWindowLog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLoggingCategory>
#include <QWindow>

Q_LOGGING_CATEGORY(lcStart, "orthova.start")

namespace platform
{

namespace
{

QElapsedTimer& sinceMade()
{
    static QElapsedTimer timer;
    return timer;
}

} // namespace

FirstWindowLog::FirstWindowLog()
{
    sinceMade().start();
    QCoreApplication::instance()->installEventFilter(this);
}

bool FirstWindowLog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose) {
        const auto* window = qobject_cast<QWindow*>(watched);
        if (window && window->isExposed()) {
            qCInfo(lcStart).noquote() << "first window shown:" << window->title() << "after"
                                      << sinceMade().elapsed() << "ms";
            QCoreApplication::instance()->removeEventFilter(this);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
