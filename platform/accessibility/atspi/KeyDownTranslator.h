#pragma once

#include "platform/accessibility/GlobalEventMonitors.h"

#include <optional>

namespace platform::atspi
{

// Turns the desktop's key reports into key-down events as the capture code reads them. It
// follows the Ctrl and Super keys itself: the reported modifier bits differ between toolkits (Qt
// reports Super where GTK reports Num Lock) and never tell the left Ctrl from the right one.
class KeyDownTranslator
{
public:
    // One press or release: X keysym, modifier bits (AT-SPI's, bit n = modifier type n) and the
    // text the toolkit sent. A press of a key that makes characters or acts (not a modifier key
    // alone) gives an event.
    std::optional<KeyDownEvent> translate(bool pressed, quint32 keysym, quint32 modifiers,
                                          const QString& text);
    bool superHeld() const { return m_superHeld; }

private:
    bool m_leftCtrlHeld = false;
    bool m_rightCtrlHeld = false;
    bool m_superHeld = false;
};

} // namespace platform::atspi
