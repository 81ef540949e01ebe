#include <atspi/atspi.h>

#include "platform/accessibility/atspi/AtspiSession.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

namespace platform::atspi
{

namespace
{

// Every call to another application, or to the bus's registry, waits at most this long: one that
// hangs (a registry that never registered, an application that stopped answering) must not stop
// this program for libatspi's default of up to 25 seconds.
constexpr int kCallTimeoutMs = 2000;
constexpr int kStartingApplicationTimeoutMs = 5000;

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

std::shared_ptr<AtspiSession> AtspiSession::start(QString* error)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        setError(error, QStringLiteral("no Qt application is running"));
        return nullptr;
    }
    if (QThread::currentThread() != app->thread()) {
        setError(error, QStringLiteral("the accessibility session must start on the main thread"));
        return nullptr;
    }
    if (!atspi_is_initialized()) {
        // libatspi ends the process when used without a bus, and cannot be initialised again
        // after a failed attempt: look for the bus first.
        if (!atspi_get_a11y_bus()) {
            setError(error,
                     QStringLiteral("no accessibility bus (is at-spi-bus-launcher running?)"));
            return nullptr;
        }
        if (atspi_init() > 1) {
            setError(error, QStringLiteral("the accessibility bus refused the connection"));
            return nullptr;
        }
        atspi_set_timeout(kCallTimeoutMs, kStartingApplicationTimeoutMs);
    }
    std::shared_ptr<AtspiSession> session(new AtspiSession());
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(app->thread());
    if (!dispatcher || !dispatcher->inherits("QEventDispatcherGlib")) {
        session->m_pump = std::make_unique<QTimer>();
        QObject::connect(session->m_pump.get(), &QTimer::timeout, [] {
            while (g_main_context_iteration(nullptr, FALSE)) {
            }
        });
        session->m_pump->start(10);
    }
    return session;
}

// No atspi_exit: see the class comment.
AtspiSession::~AtspiSession() = default;

} // namespace platform::atspi
