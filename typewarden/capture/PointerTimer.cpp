#include "typewarden/capture/PointerTimer.h"

#include <QLoggingCategory>
#include <QTimer>

namespace
{
Q_LOGGING_CATEGORY(lcPointer, "typewarden.capture.pointer")
}

namespace typewarden
{

PointerTimer::PointerTimer(platform::DesktopAccessibility& desktop, Hover hover)
    : m_desktop(desktop), m_hover(std::move(hover))
{
}

PointerTimer::~PointerTimer() = default;

bool PointerTimer::isRunning() const
{
    return m_timer && m_timer->isActive();
}

void PointerTimer::setupTimerBasedUpdate()
{
    if (!m_timer) {
        m_timer = new QTimer(this);
        m_timer->setInterval(kIntervalMs);
        connect(m_timer, &QTimer::timeout, this, &PointerTimer::performTimerBasedUpdate);
        m_timer->start();
    }
    m_current.reset();
    m_lastPosition = QPoint(0, 0);
    performTimerBasedUpdate();
}

void PointerTimer::performTimerBasedUpdate()
{
    const std::optional<QPoint> position = m_desktop.pointerPosition();
    if (!position || *position == m_lastPosition)
        return;
    const platform::AccessibilityElementRef element = m_desktop.elementAtPosition(*position);
    qCDebug(lcPointer) << "pointer at" << *position
                       << (element ? "over an element" : "over nothing");
    if (element && m_current && element->isSameElement(*m_current)) {
        m_lastPosition = *position;
        return;
    }
    if (element) {
        if (m_hover)
            m_hover(element);
        // Asked again: reading the panel may have taken a while.
        const platform::AccessibilityElementRef now = m_desktop.elementAtPosition(*position);
        if (now && !(m_current && now->isSameElement(*m_current)))
            m_current = now;
    }
    m_lastPosition = *position;
}

void PointerTimer::stopTimerBasedUpdate()
{
    if (m_timer)
        m_timer->stop();
    m_current.reset();
}

} // namespace typewarden
