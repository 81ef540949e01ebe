#pragma once

#include <QString>

#include <memory>

class QTimer;

namespace platform::atspi
{

// This process's connection to the accessibility bus, which libatspi keeps process-wide. The
// program starts one session and hands it to the desktop bridge and the event monitors. The
// connection stays open until the process ends: libatspi cannot open it again once closed (its
// tables are gone after atspi_exit), so a later session in the same process reuses it.
//
// libatspi delivers its events from the GLib main context of the main thread. Qt's GLib event
// dispatcher runs that context already; under any other dispatcher the session pumps it from a
// Qt timer while it lives.
class AtspiSession
{
public:
    // Must run on the main thread of a Qt application; null, with the reason in `error`, when
    // that is not so.
    static std::shared_ptr<AtspiSession> start(QString* error = nullptr);

    AtspiSession(const AtspiSession&) = delete;
    AtspiSession& operator=(const AtspiSession&) = delete;
    ~AtspiSession();

    // True when Qt's own dispatcher runs the GLib main context (no pump needed).
    bool deliveredByQtDispatcher() const { return !m_pump; }

private:
    AtspiSession() = default;
    std::unique_ptr<QTimer> m_pump;
};

} // namespace platform::atspi
