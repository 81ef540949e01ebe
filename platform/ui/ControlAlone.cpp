#include "platform/ui/ControlAlone.h"

#include <QKeyEvent>

namespace platform
{

namespace
{
// X11 and Wayland report the key symbol as the native virtual key.
constexpr quint32 kLeftControlKeySym = 0xffe3;
} // namespace

bool ControlAlone::press(const QKeyEvent& event)
{
    m_pending = event.key() == Qt::Key_Control &&
                (event.modifiers() & ~Qt::ControlModifier) == Qt::NoModifier &&
                event.nativeVirtualKey() == kLeftControlKeySym;
    return m_pending;
}

bool ControlAlone::release(const QKeyEvent& event)
{
    const bool alone = m_pending && event.key() == Qt::Key_Control;
    m_pending = false;
    return alone;
}

} // namespace platform
