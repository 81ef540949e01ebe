// The parts of the AT-SPI bridge that need no desktop: key translation, role names, aliases.
#include "platform/accessibility/atspi/AtspiDesktopAccessibility.h"
#include "platform/accessibility/atspi/KeyDownTranslator.h"
#include "platform/accessibility/atspi/detail/AtspiElement.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using platform::KeyDownEvent;
using platform::atspi::KeyDownTranslator;

namespace
{

constexpr quint32 kCtrl = 1u << 2, kShift = 1u << 0, kMeta = 1u << 4, kMeta3 = 1u << 6;

KeyDownEvent press(KeyDownTranslator& keys, quint32 sym, quint32 mods, const QString& text = {})
{
    const std::optional<KeyDownEvent> event = keys.translate(true, sym, mods, text);
    EXPECT_TRUE(event.has_value()) << "no key-down for keysym " << sym;
    return event.value_or(KeyDownEvent{});
}

TEST(KeyDownTranslation, CharactersComeFromTheKeyNotTheControlCharacter)
{
    KeyDownTranslator keys;
    KeyDownEvent a = press(keys, 'a', 0, QStringLiteral("a"));
    EXPECT_EQ(a.characters, QStringLiteral("a"));
    EXPECT_FALSE(a.command || a.control || a.commandAlone);
    EXPECT_EQ(a.key, KeyDownEvent::Key::Other);
    EXPECT_EQ(press(keys, 0x010020ac, 0).characters, QStringLiteral("€"));
    EXPECT_EQ(press(keys, 0x7e1, 0, QStringLiteral("α")).characters, QStringLiteral("α"));
    EXPECT_EQ(press(keys, 0xff52, 0, QStringLiteral("Up")).characters, QString(QChar(0xF700)));
    // Modifier keys alone, and releases, make no key-down.
    EXPECT_FALSE(keys.translate(true, 0xffe1, 0, QStringLiteral("Shift_L")));
    EXPECT_FALSE(keys.translate(false, 'a', 0, QStringLiteral("a")));
}

TEST(KeyDownTranslation, ReturnAndBackSpace)
{
    KeyDownTranslator keys;
    for (quint32 sym : {0xff0du, 0xff8du}) {
        KeyDownEvent event = press(keys, sym, 0, QStringLiteral("Return"));
        EXPECT_EQ(event.key, KeyDownEvent::Key::Return);
        EXPECT_EQ(event.characters, QStringLiteral("\r"));
    }
    KeyDownEvent backSpace = press(keys, 0xff08, 0, QStringLiteral("BackSpace"));
    EXPECT_EQ(backSpace.key, KeyDownEvent::Key::Delete);
    EXPECT_EQ(backSpace.characters, QStringLiteral("\x7f"));
}

TEST(KeyDownTranslation, LeftCtrlAloneIsCommandAlone)
{
    KeyDownTranslator keys;
    EXPECT_FALSE(keys.translate(true, 0xffe3, 0, QStringLiteral("Control_L")));
    KeyDownEvent x = press(keys, 'x', kCtrl, QStringLiteral("\x18"));
    EXPECT_EQ(x.characters, QStringLiteral("x"));
    EXPECT_TRUE(x.command && x.commandAlone);
    EXPECT_FALSE(x.control);
    EXPECT_FALSE(press(keys, 'X', kCtrl | kShift).commandAlone);
    keys.translate(false, 0xffe3, kCtrl, {});
    keys.translate(true, 0xffe4, 0, QStringLiteral("Control_R"));
    KeyDownEvent right = press(keys, 'z', kCtrl);
    EXPECT_TRUE(right.command);
    EXPECT_FALSE(right.commandAlone);
    // A release never reported: the clear Control bit of the next key ends the hold.
    EXPECT_FALSE(press(keys, 'q', 0).command);
    EXPECT_TRUE(press(keys, 'c', kCtrl).commandAlone);
}

TEST(KeyDownTranslation, SuperIsControlInEitherToolkitsBits)
{
    KeyDownTranslator keys;
    // GTK: Num Lock shows as META and is no Super.
    EXPECT_FALSE(press(keys, 'b', kMeta).control);
    // GTK: Super is Mod4 (META3).
    EXPECT_TRUE(press(keys, 'b', kMeta3).control);
    // Qt: Super shows as META after the Super key went down.
    keys.translate(true, 0xffeb, 0, {});
    KeyDownEvent both = press(keys, 'b', kMeta | kCtrl);
    EXPECT_TRUE(both.control && both.command);
    EXPECT_FALSE(both.commandAlone);
    keys.translate(false, 0xffeb, kMeta, {});
    EXPECT_FALSE(press(keys, 'b', 0).control);
}

TEST(RolePresentation, DesktopRolesAsTheCaptureCodeTestsThem)
{
    using platform::atspi::presentedRole;
    EXPECT_EQ(presentedRole(ATSPI_ROLE_FILLER, true, false), QStringLiteral("AXWindow"));
    EXPECT_EQ(presentedRole(ATSPI_ROLE_DIALOG, true, false), QStringLiteral("AXWindow"));
    EXPECT_EQ(presentedRole(ATSPI_ROLE_FILLER, false, false), QStringLiteral("AXFiller"));
    EXPECT_EQ(presentedRole(ATSPI_ROLE_ENTRY, false, false), QStringLiteral("AXTextField"));
    EXPECT_EQ(presentedRole(ATSPI_ROLE_TABLE_CELL, false, true), QStringLiteral("AXTextField"));
    EXPECT_EQ(presentedRole(ATSPI_ROLE_TABLE_CELL, false, false), QStringLiteral("AXTableCell"));
    EXPECT_EQ(presentedRole(ATSPI_ROLE_SCROLL_PANE, false, false), QStringLiteral("AXScrollArea"));
    EXPECT_EQ(presentedRole(ATSPI_ROLE_TREE_TABLE, false, false), QStringLiteral("AXTable"));
    EXPECT_EQ(presentedRole(ATSPI_ROLE_LIST_ITEM, false, false), QStringLiteral("AXRow"));
    EXPECT_EQ(presentedRole(ATSPI_ROLE_PUSH_BUTTON, false, false), QStringLiteral("AXButton"));
    EXPECT_EQ(presentedRole(ATSPI_ROLE_MENU_ITEM, false, false), QStringLiteral("AXMenuItem"));
}

TEST(ApplicationNames, AliasesMapToTheWatchedNames)
{
    using platform::atspi::watchedApplicationName;
    EXPECT_EQ(watchedApplicationName(QStringLiteral("gedit")), QStringLiteral("TextEdit"));
    EXPECT_EQ(watchedApplicationName(QStringLiteral("featherpad")), QStringLiteral("TextEdit"));
    EXPECT_EQ(watchedApplicationName(QStringLiteral("soffice")), QStringLiteral("Pages"));
    EXPECT_EQ(watchedApplicationName(QStringLiteral("AbiWord")), QStringLiteral("Pages"));
    EXPECT_EQ(watchedApplicationName(QStringLiteral("firefox")), QStringLiteral("firefox"));
}

} // namespace
