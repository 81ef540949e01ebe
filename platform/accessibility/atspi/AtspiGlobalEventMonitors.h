#pragma once

#include "platform/accessibility/GlobalEventMonitors.h"
#include "platform/accessibility/atspi/GObjectPtr.h"

#include <memory>
#include <optional>

using AtspiDeviceListener = struct _AtspiDeviceListener;
using AtspiDeviceEvent = struct _AtspiDeviceEvent;
using AtspiEventListener = struct _AtspiEventListener;
using AtspiEvent = struct _AtspiEvent;

namespace platform::atspi
{

class AtspiSession;

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

// The key-down monitor is a keystroke listener on the accessibility bus (toolkits report the keys
// their windows receive); the mouse-up monitor listens to the button events of the bus,
// "mouse:button:1r" and "mouse:button:3r", a released right click setting `control`. The bus
// learns of buttons by polling the pointer, so a click is seen when the button stays down for a
// moment (about a tenth of a second). Handlers run on the main thread.
class AtspiGlobalEventMonitors final : public GlobalEventMonitors
{
public:
    // A null session gives monitors that refuse to install.
    explicit AtspiGlobalEventMonitors(std::shared_ptr<AtspiSession> session);
    ~AtspiGlobalEventMonitors() override;

    bool installKeyDownMonitor(std::function<void(const KeyDownEvent&)> handler) override;
    void removeKeyDownMonitor() override;
    bool hasKeyDownMonitor() const override { return bool(m_keyHandler); }

    bool installMouseUpMonitor(std::function<void(const MouseUpEvent&)> handler) override;
    void removeMouseUpMonitor() override;
    bool hasMouseUpMonitor() const override { return bool(m_mouseHandler); }

private:
    static int onKey(AtspiDeviceEvent* event, void* self);
    static void onMouse(AtspiEvent* event, void* self);
    bool registerKeys();
    void deregisterKeys(unsigned int count);

    std::shared_ptr<AtspiSession> m_session;
    GObjectPtr<AtspiDeviceListener> m_keyListener;
    GObjectPtr<AtspiEventListener> m_mouseListener;
    GObjectPtr<AtspiEventListener> m_keyCompanion;
    std::function<void(const KeyDownEvent&)> m_keyHandler;
    std::function<void(const MouseUpEvent&)> m_mouseHandler;
    KeyDownTranslator m_keys;
};

} // namespace platform::atspi
