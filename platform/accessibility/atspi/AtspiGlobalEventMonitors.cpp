// GLib's headers name struct members "signals", which Qt defines as a macro: AT-SPI comes first.
#include <atspi/atspi.h>

#include "platform/accessibility/atspi/AtspiGlobalEventMonitors.h"

#include "platform/accessibility/atspi/AtspiSession.h"

#include <QList>

namespace platform::atspi
{

namespace
{

constexpr quint32 bit(AtspiModifierType type)
{
    return 1u << type;
}

// Mod5, usually AltGr: not one of AT-SPI's named modifiers.
constexpr quint32 kMod5 = 1u << 7;

namespace keysym
{
constexpr quint32 BackSpace = 0xff08, Tab = 0xff09, Return = 0xff0d, Escape = 0xff1b, Home = 0xff50,
                  Left = 0xff51, Up = 0xff52, Right = 0xff53, Down = 0xff54, Prior = 0xff55,
                  Next = 0xff56, End = 0xff57, Insert = 0xff63, KP_Enter = 0xff8d, F1 = 0xffbe,
                  F35 = 0xffe0, ControlL = 0xffe3, ControlR = 0xffe4, SuperL = 0xffeb,
                  SuperR = 0xffec, Delete = 0xffff, ISO_Left_Tab = 0xfe20;
} // namespace keysym

// Shift, Ctrl, Alt, Super, the locks and the ISO level shifts make no key-down of their own.
bool isModifierKey(quint32 sym)
{
    return (sym >= 0xffe1 && sym <= 0xffee) || (sym >= 0xfe01 && sym <= 0xfe13) || sym == 0xff7e ||
           sym == 0xff7f;
}

// The characters of a key as the capture code expects them: Return is "\r", BackSpace (the
// Delete key) "\x7f", arrows and function keys the private-use characters the capture code's
// original platform gives them.
QString charactersOf(quint32 sym, const QString& text)
{
    switch (sym) {
    case keysym::Return:
    case keysym::KP_Enter:
        return QStringLiteral("\r");
    case keysym::BackSpace:
        return QStringLiteral("\x7f");
    case keysym::Tab:
    case keysym::ISO_Left_Tab:
        return QStringLiteral("\t");
    case keysym::Escape:
        return QStringLiteral("\x1b");
    case keysym::Up:
        return QString(QChar(0xF700));
    case keysym::Down:
        return QString(QChar(0xF701));
    case keysym::Left:
        return QString(QChar(0xF702));
    case keysym::Right:
        return QString(QChar(0xF703));
    case keysym::Insert:
        return QString(QChar(0xF727));
    case keysym::Delete:
        return QString(QChar(0xF728));
    case keysym::Home:
        return QString(QChar(0xF729));
    case keysym::End:
        return QString(QChar(0xF72B));
    case keysym::Prior:
        return QString(QChar(0xF72C));
    case keysym::Next:
        return QString(QChar(0xF72D));
    default:
        break;
    }
    if (sym >= keysym::F1 && sym <= keysym::F35)
        return QString(QChar(char16_t(0xF704 + (sym - keysym::F1))));
    // Latin-1 keysyms are their own code points; the keysym keeps the letter that Ctrl turns
    // into a control character in the text.
    if ((sym >= 0x20 && sym <= 0x7e) || (sym >= 0xa0 && sym <= 0xff))
        return QString(QChar(char16_t(sym)));
    if (sym >= 0x01000100 && sym <= 0x0110ffff) {
        const char32_t codePoint = sym - 0x01000000;
        return QString::fromUcs4(&codePoint, 1);
    }
    if (sym >= 0xffaa && sym <= 0xffb9) // keypad * + , - . / 0-9
        return QString(QChar(char16_t(sym - 0xff80)));
    // Other scripts' legacy keysyms: the toolkit's text, when it is one printable character.
    const QList<uint> codePoints = text.toUcs4();
    if (codePoints.size() == 1 && QChar::isPrint(char32_t(codePoints.front())))
        return text;
    return {};
}

} // namespace

std::optional<KeyDownEvent> KeyDownTranslator::translate(bool pressed, quint32 sym,
                                                         quint32 modifiers, const QString& text)
{
    if (sym == keysym::ControlL)
        m_leftCtrlHeld = pressed;
    else if (sym == keysym::ControlR)
        m_rightCtrlHeld = pressed;
    else if (sym == keysym::SuperL || sym == keysym::SuperR)
        m_superHeld = pressed;
    if (!pressed || isModifierKey(sym))
        return std::nullopt;

    // A modifier bit that is clear proves the key is up, even if its release went unreported.
    const bool ctrl = modifiers & bit(ATSPI_MODIFIER_CONTROL);
    if (!ctrl)
        m_leftCtrlHeld = m_rightCtrlHeld = false;
    if (!(modifiers & (bit(ATSPI_MODIFIER_META) | bit(ATSPI_MODIFIER_META3))))
        m_superHeld = false;

    KeyDownEvent event;
    event.characters = charactersOf(sym, text);
    if (sym == keysym::Return || sym == keysym::KP_Enter)
        event.key = KeyDownEvent::Key::Return;
    else if (sym == keysym::BackSpace)
        event.key = KeyDownEvent::Key::Delete;
    event.command = ctrl;
    // GTK reports Super as Mod4 (META3); Qt as META, the bit GTK uses for Num Lock, so that one
    // counts only with the Super key seen going down.
    event.control = m_superHeld || (modifiers & bit(ATSPI_MODIFIER_META3));
    const quint32 others = bit(ATSPI_MODIFIER_SHIFT) | bit(ATSPI_MODIFIER_ALT) |
                           bit(ATSPI_MODIFIER_META2) | bit(ATSPI_MODIFIER_META3) | kMod5;
    // With neither Ctrl key seen going down (held before listening began), the left is assumed.
    event.commandAlone = ctrl && !(modifiers & others) && !event.control && !m_rightCtrlHeld;
    return event;
}

AtspiGlobalEventMonitors::AtspiGlobalEventMonitors(std::shared_ptr<AtspiSession> session)
    : m_session(std::move(session))
{
    if (!m_session)
        return;
    // Created once and kept: a listener must not be finalised while it delivers.
    m_keyListener = GObjectPtr<AtspiDeviceListener>::adopt(
        atspi_device_listener_new(&AtspiGlobalEventMonitors::onKey, this, nullptr));
    m_mouseListener = GObjectPtr<AtspiEventListener>::adopt(
        atspi_event_listener_new(&AtspiGlobalEventMonitors::onMouse, this, nullptr));
    m_keyCompanion = GObjectPtr<AtspiEventListener>::adopt(atspi_event_listener_new(
        [](AtspiEvent* event, void*) { g_boxed_free(ATSPI_TYPE_EVENT, event); }, nullptr, nullptr));
}

AtspiGlobalEventMonitors::~AtspiGlobalEventMonitors()
{
    removeKeyDownMonitor();
    removeMouseUpMonitor();
}

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

bool AtspiGlobalEventMonitors::registerKeys()
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

void AtspiGlobalEventMonitors::deregisterKeys(AtspiKeyMaskType count)
{
    for (AtspiKeyMaskType mask = 0; mask < count; ++mask) {
        GErrorSlot error;
        atspi_deregister_keystroke_listener(m_keyListener.get(), nullptr, mask, kKeyTypes,
                                            error.out());
    }
}

bool AtspiGlobalEventMonitors::installKeyDownMonitor(
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

void AtspiGlobalEventMonitors::removeKeyDownMonitor()
{
    if (!m_keyHandler)
        return;
    m_keyHandler = nullptr;
    deregisterKeys(kMaskCount);
    GErrorSlot error;
    atspi_event_listener_deregister(m_keyCompanion.get(), kCompanionEvent, error.out());
}

bool AtspiGlobalEventMonitors::installMouseUpMonitor(
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

void AtspiGlobalEventMonitors::removeMouseUpMonitor()
{
    if (!m_mouseHandler)
        return;
    m_mouseHandler = nullptr;
    GErrorSlot error;
    atspi_event_listener_deregister(m_mouseListener.get(), "mouse:button", error.out());
}

int AtspiGlobalEventMonitors::onKey(AtspiDeviceEvent* raw, void* data)
{
    const std::unique_ptr<AtspiDeviceEvent, void (*)(AtspiDeviceEvent*)> event(
        raw, [](AtspiDeviceEvent* e) { g_boxed_free(ATSPI_TYPE_DEVICE_EVENT, e); });
    auto* self = static_cast<AtspiGlobalEventMonitors*>(data);
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

void AtspiGlobalEventMonitors::onMouse(AtspiEvent* raw, void* data)
{
    const std::unique_ptr<AtspiEvent, void (*)(AtspiEvent*)> event(
        raw, [](AtspiEvent* e) { g_boxed_free(ATSPI_TYPE_EVENT, e); });
    auto* self = static_cast<AtspiGlobalEventMonitors*>(data);
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

} // namespace platform::atspi
