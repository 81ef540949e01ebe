#include "platform/accessibility/atspi/detail/X11Display.h"

#include "platform/accessibility/DesktopSession.h"

#include <QtGlobal>

#include <xcb/xcb.h>

#include <cstdlib>

namespace platform::atspi
{

namespace
{

// A reply xcb allocated; null when the request failed. Errors are taken here, so that none is
// left queued on the connection.
template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename Cookie, typename T>
Reply<T> reply(xcb_connection_t* connection, Cookie cookie,
               T* (*read)(xcb_connection_t*, Cookie, xcb_generic_error_t**))
{
    xcb_generic_error_t* error = nullptr;
    T* raw = read(connection, cookie, &error);
    std::free(error);
    return Reply<T>(raw, &std::free);
}

} // namespace

std::unique_ptr<X11Display> X11Display::open()
{
    if (isWaylandSession())
        return nullptr;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection); // xcb hands out an error object that must be freed too
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<X11Display>(new X11Display(connection, screens.data->root));
}

X11Display::~X11Display()
{
    xcb_disconnect(m_connection);
}

std::optional<QPoint> X11Display::pointerPosition() const
{
    const auto pointer =
        reply(m_connection, xcb_query_pointer(m_connection, m_root), &xcb_query_pointer_reply);
    if (!pointer || !pointer->same_screen)
        return std::nullopt;
    return QPoint(pointer->root_x, pointer->root_y);
}

std::optional<QRect> X11Display::topLevelRectAt(const QPoint& point) const
{
    const auto translated = reply(m_connection,
                                  xcb_translate_coordinates(m_connection, m_root, m_root,
                                                            qint16(point.x()), qint16(point.y())),
                                  &xcb_translate_coordinates_reply);
    if (!translated || translated->child == XCB_WINDOW_NONE)
        return std::nullopt;
    const auto geometry = reply(m_connection, xcb_get_geometry(m_connection, translated->child),
                                &xcb_get_geometry_reply);
    if (!geometry)
        return std::nullopt;
    const int border = 2 * geometry->border_width;
    return QRect(geometry->x, geometry->y, geometry->width + border, geometry->height + border);
}

} // namespace platform::atspi
