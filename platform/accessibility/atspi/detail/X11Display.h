#pragma once

// Inside the AT-SPI bridge only (detail/): programs never talk to the X server.

#include <QPoint>
#include <QRect>

#include <memory>
#include <optional>

struct xcb_connection_t;

namespace platform::atspi
{

// A connection to the X server, for what the accessibility bus does not tell: where the pointer
// is and which top-level window is on top at a point. Spoken through xcb, whose errors come back
// as values (Xlib's default error handler would end the process).
class X11Display
{
public:
    // Null without an X display, and under Wayland, where X sees only part of the screen.
    static std::unique_ptr<X11Display> open();

    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;
    ~X11Display();

    // Screen coordinates, top-left origin.
    std::optional<QPoint> pointerPosition() const;
    // The frame of the topmost mapped top-level window at `point`, in screen coordinates.
    std::optional<QRect> topLevelRectAt(const QPoint& point) const;

private:
    X11Display(xcb_connection_t* connection, quint32 root) : m_connection(connection), m_root(root)
    {
    }
    xcb_connection_t* m_connection;
    quint32 m_root;
};

} // namespace platform::atspi
