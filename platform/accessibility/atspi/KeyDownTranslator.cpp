#include "platform/accessibility/atspi/KeyDownTranslator.h"

// AT-SPI's modifier numbering only: this header needs neither GLib nor a bus.
#include <atspi/atspi-constants.h>

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

} // namespace platform::atspi
