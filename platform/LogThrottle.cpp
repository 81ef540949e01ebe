#include "platform/LogThrottle.h"

namespace platform
{

LogThrottle::LogThrottle(int linesPerWindow, Clock::duration window)
    : m_linesPerWindow(linesPerWindow), m_window(window)
{
}

bool LogThrottle::admit(QString* note)
{
    const auto now = Clock::now();
    if (m_inWindow == 0 || now - m_windowStart >= m_window) {
        m_windowStart = now;
        m_inWindow = 0;
    }
    if (++m_inWindow > m_linesPerWindow) {
        ++m_leftOut;
        return false;
    }
    QString text;
    if (m_leftOut > 0)
        text = QStringLiteral(" (%1 more like it were not logged)").arg(m_leftOut);
    else if (m_inWindow == m_linesPerWindow)
        text = QStringLiteral(" (more like it are left out for a while)");
    m_leftOut = 0;
    if (note)
        *note = text;
    return true;
}

} // namespace platform
