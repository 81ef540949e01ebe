#pragma once

#include "platform/accessibility/DesktopAccessibility.h"

#include <QObject>
#include <QPoint>

#include <functional>

class QTimer;

namespace typewarden
{

// Every 0.3 seconds, looks at the element under the pointer; when the pointer has moved onto a
// different element, hands it to the spelling panel reader.
class PointerTimer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 300;

    using Hover = std::function<void(const platform::AccessibilityElementRef& element)>;
    PointerTimer(platform::DesktopAccessibility& desktop, Hover hover);
    ~PointerTimer() override;

    // The first call starts the timer; every call forgets the current element and looks at once.
    void setupTimerBasedUpdate();
    void performTimerBasedUpdate();
    void stopTimerBasedUpdate();
    bool isRunning() const;

private:
    platform::DesktopAccessibility& m_desktop;
    Hover m_hover;
    QTimer* m_timer = nullptr; // child of this
    platform::AccessibilityElementRef m_current;
    QPoint m_lastPosition;
};

} // namespace typewarden
