// The desktop's accessibility switch on a private session bus with its accessibility bus.
#include "platform/dbus/DesktopAccessibilitySwitch.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QTest>

TEST(DesktopAccessibilitySwitch, TurnsTheDesktopsAccessibilityOn)
{
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no D-Bus session bus: this test runs under dbus-run-session";
    // Off first, as a desktop without a screen reader has it.
    QDBusMessage off = QDBusMessage::createMethodCall("org.a11y.Bus", "/org/a11y/bus",
                                                      "org.freedesktop.DBus.Properties", "Set");
    off << QString("org.a11y.Status") << QString("IsEnabled")
        << QVariant::fromValue(QDBusVariant(false));
    const QDBusMessage reply = QDBusConnection::sessionBus().call(off);
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage)
        << "the accessibility bus (at-spi2-core, see scripts/deps): "
        << reply.errorMessage().toStdString();
    ASSERT_FALSE(platform::isDesktopAccessibilityEnabled());

    platform::enableDesktopAccessibility();
    EXPECT_TRUE(QTest::qWaitFor([] { return platform::isDesktopAccessibilityEnabled(); }, 5000));
}
