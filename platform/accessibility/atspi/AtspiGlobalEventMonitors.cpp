// GLib's headers name struct members "signals", which Qt defines as a macro: AT-SPI comes first.
#include <atspi/atspi.h>

#include "platform/accessibility/atspi/AtspiGlobalEventMonitors.h"

#include "platform/accessibility/atspi/AtspiSession.h"
#include "platform/accessibility/atspi/KeyDownTranslator.h"
#include "platform/accessibility/atspi/detail/GObjectPtr.h"

namespace platform::atspi
{

namespace
{

const AtspiKeyEventMask kKeyTypes =
    AtspiKeyEventMask((1 << ATSPI_KEY_PRESSED_EVENT) | (1 << ATSPI_KEY_RELEASED_EVENT));
// The bus matches a listener's modifier mask exactly: one registration for each combination of
// the eight modifier bits.
constexpr AtspiKeyMaskType kMaskCount = 256;
// A rare event, asked for only so that Qt applications report keys. It must be one that no
// other listener of this process asks for: the registry keeps one list of events per bus
// connection, and withdrawing an event withdraws it for every listener of the process (the
// desktop's "window:activate" would be lost with the key-down monitor).
constexpr const char* kCompanionEvent = "window:shade";

} // namespace

class AtspiGlobalEventMonitors::Listeners
{
public:
    explicit Listeners(std::shared_ptr<AtspiSession> session);
    ~Listeners();

    bool installKeyDownMonitor(std::function<void(const KeyDownEvent&)> handler);
    void removeKeyDownMonitor();
    bool installMouseUpMonitor(std::function<void(const MouseUpEvent&)> handler);
    void removeMouseUpMonitor();
    bool hasKeyDownMonitor() const { return bool(m_keyHandler); }
    bool hasMouseUpMonitor() const { return bool(m_mouseHandler); }

private:
    static int onKey(AtspiDeviceEvent* event, void* self);
    static void onMouse(AtspiEvent* event, void* self);
    bool registerKeys();
    void deregisterKeys(AtspiKeyMaskType count);

    std::shared_ptr<AtspiSession> m_session;
    GObjectPtr<AtspiDeviceListener> m_keyListener;
    GObjectPtr<AtspiEventListener> m_mouseListener;
    GObjectPtr<AtspiEventListener> m_keyCompanion;
    std::function<void(const KeyDownEvent&)> m_keyHandler;
    std::function<void(const MouseUpEvent&)> m_mouseHandler;
    KeyDownTranslator m_keys;
};

AtspiGlobalEventMonitors::Listeners::Listeners(std::shared_ptr<AtspiSession> session)
    : m_session(std::move(session))
{
    if (!m_session)
        return;
    // Created once and kept: a listener must not be finalised while it delivers.
    m_keyListener = GObjectPtr<AtspiDeviceListener>::adopt(
        atspi_device_listener_new(&Listeners::onKey, this, nullptr));
    m_mouseListener = GObjectPtr<AtspiEventListener>::adopt(
        atspi_event_listener_new(&Listeners::onMouse, this, nullptr));
    m_keyCompanion = GObjectPtr<AtspiEventListener>::adopt(atspi_event_listener_new(
        [](AtspiEvent* event, void*) { g_boxed_free(ATSPI_TYPE_EVENT, event); }, nullptr, nullptr));
}

AtspiGlobalEventMonitors::Listeners::~Listeners()
{
    removeKeyDownMonitor();
    removeMouseUpMonitor();
}

bool AtspiGlobalEventMonitors::Listeners::registerKeys()
{
    for (AtspiKeyMaskType mask = 0; mask < kMaskCount; ++mask) {
        // The answer is false for every listener that grabs no key, as this one: only an error
        // counts.
        GErrorSlot error;
        atspi_register_keystroke_listener(m_keyListener.get(), nullptr, mask, kKeyTypes,
                                          ATSPI_KEYLISTENER_NOSYNC, error.out());
        if (error.failed()) {
            deregisterKeys(mask);
            return false;
        }
    }
    return true;
}

void AtspiGlobalEventMonitors::Listeners::deregisterKeys(AtspiKeyMaskType count)
{
    for (AtspiKeyMaskType mask = 0; mask < count; ++mask) {
        GErrorSlot error;
        atspi_deregister_keystroke_listener(m_keyListener.get(), nullptr, mask, kKeyTypes,
                                            error.out());
    }
}

bool AtspiGlobalEventMonitors::Listeners::installKeyDownMonitor(
    std::function<void(const KeyDownEvent&)> handler)
{
    if (!m_keyListener || m_keyHandler || !handler || !registerKeys())
        return false;
    // Qt applications pass their keys to the bus only while some client listens to any event.
    GErrorSlot error;
    atspi_event_listener_register(m_keyCompanion.get(), kCompanionEvent, error.out());
    m_keys = KeyDownTranslator();
    m_keyHandler = std::move(handler);
    return true;
}

void AtspiGlobalEventMonitors::Listeners::removeKeyDownMonitor()
{
    if (!m_keyHandler)
        return;
    m_keyHandler = nullptr;
    deregisterKeys(kMaskCount);
    GErrorSlot error;
    atspi_event_listener_deregister(m_keyCompanion.get(), kCompanionEvent, error.out());
}

bool AtspiGlobalEventMonitors::Listeners::installMouseUpMonitor(
    std::function<void(const MouseUpEvent&)> handler)
{
    if (!m_mouseListener || m_mouseHandler || !handler)
        return false;
    GErrorSlot error;
    if (!atspi_event_listener_register(m_mouseListener.get(), "mouse:button", error.out()))
        return false;
    m_mouseHandler = std::move(handler);
    return true;
}

void AtspiGlobalEventMonitors::Listeners::removeMouseUpMonitor()
{
    if (!m_mouseHandler)
        return;
    m_mouseHandler = nullptr;
    GErrorSlot error;
    atspi_event_listener_deregister(m_mouseListener.get(), "mouse:button", error.out());
}

int AtspiGlobalEventMonitors::Listeners::onKey(AtspiDeviceEvent* raw, void* data)
{
    const std::unique_ptr<AtspiDeviceEvent, void (*)(AtspiDeviceEvent*)> event(
        raw, [](AtspiDeviceEvent* e) { g_boxed_free(ATSPI_TYPE_DEVICE_EVENT, e); });
    auto* self = static_cast<Listeners*>(data);
    if (!self->m_keyHandler)
        return FALSE;
    const std::optional<KeyDownEvent> keyDown =
        self->m_keys.translate(event->type == ATSPI_KEY_PRESSED_EVENT, event->id, event->modifiers,
                               QString::fromUtf8(event->event_string));
    if (keyDown) {
        // The handler may remove this monitor.
        const std::function<void(const KeyDownEvent&)> handler = self->m_keyHandler;
        handler(*keyDown);
    }
    return FALSE; // never consumed: the key goes on to its window
}

void AtspiGlobalEventMonitors::Listeners::onMouse(AtspiEvent* raw, void* data)
{
    const std::unique_ptr<AtspiEvent, void (*)(AtspiEvent*)> event(
        raw, [](AtspiEvent* e) { g_boxed_free(ATSPI_TYPE_EVENT, e); });
    auto* self = static_cast<Listeners*>(data);
    if (!self->m_mouseHandler)
        return;
    const QByteArray type(event->type);
    MouseUpEvent mouseUp;
    if (type == "mouse:button:3r")
        mouseUp.control = true;
    else if (type == "mouse:button:1r")
        mouseUp.control = self->m_keys.superHeld(); // Super-click, where the key monitor runs
    else
        return;
    const std::function<void(const MouseUpEvent&)> handler = self->m_mouseHandler;
    handler(mouseUp);
}

AtspiGlobalEventMonitors::AtspiGlobalEventMonitors(std::shared_ptr<AtspiSession> session)
    : m_listeners(std::make_unique<Listeners>(std::move(session)))
{
}

AtspiGlobalEventMonitors::~AtspiGlobalEventMonitors() = default;

bool AtspiGlobalEventMonitors::installKeyDownMonitor(
    std::function<void(const KeyDownEvent&)> handler)
{
    return m_listeners->installKeyDownMonitor(std::move(handler));
}

void AtspiGlobalEventMonitors::removeKeyDownMonitor()
{
    m_listeners->removeKeyDownMonitor();
}

bool AtspiGlobalEventMonitors::hasKeyDownMonitor() const
{
    return m_listeners->hasKeyDownMonitor();
}

bool AtspiGlobalEventMonitors::installMouseUpMonitor(
    std::function<void(const MouseUpEvent&)> handler)
{
    return m_listeners->installMouseUpMonitor(std::move(handler));
}

void AtspiGlobalEventMonitors::removeMouseUpMonitor()
{
    m_listeners->removeMouseUpMonitor();
}

bool AtspiGlobalEventMonitors::hasMouseUpMonitor() const
{
    return m_listeners->hasMouseUpMonitor();
}

} // namespace platform::atspi
