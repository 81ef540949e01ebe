#pragma once

#include <QtGlobal>

namespace platform
{

// Whether the desktop session is a Wayland one: there the X server, if any, sees only part of the
// screen, and no program may learn where the pointer is.
inline bool isWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

} // namespace platform
