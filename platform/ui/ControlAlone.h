#pragma once

class QKeyEvent;

namespace platform
{

// "Control alone": the left Ctrl key pressed and released with nothing else in between. Ctrl is
// also the shortcut key here, so a press only counts once it is released unused.
class ControlAlone
{
public:
    // True when the press is the left Ctrl key alone: the caller takes the event.
    bool press(const QKeyEvent& event);
    // True when this release ends a Control alone.
    bool release(const QKeyEvent& event);
    // Another key or a click came while Ctrl was down.
    void cancel() { m_pending = false; }

private:
    bool m_pending = false;
};

} // namespace platform
