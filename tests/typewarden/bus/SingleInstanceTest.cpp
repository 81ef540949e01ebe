// The real typewarden program on a private session bus: one copy at a time, and a second start
// shows the running copy's list window.
#include "tests/support/ProgramOnBus.h"

#include <gtest/gtest.h>

TEST(TypewardenProgram, ASecondCopyBringsTheFirstOnesListForwardAndStops)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no D-Bus session bus: this test runs under dbus-run-session";
    const QString name = QStringLiteral("com.brellum.Typewarden");

    QProcess first;
    QByteArray log; // the first copy's output
    ASSERT_TRUE(testsupport::startOnBus(first, QStringLiteral(TYPEWARDEN_PROGRAM), name, log))
        << log.toStdString();

    QProcess second;
    second.start(QStringLiteral(TYPEWARDEN_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_NE(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains(
        "Typewarden is already running: its list window is brought forward."));
    EXPECT_EQ(first.state(), QProcess::Running);
    QDeadlineTimer deadline(10000);
    while (!log.contains("brought forward for a second start") && !deadline.hasExpired()) {
        first.waitForReadyRead(100);
        log += first.readAll();
    }
    EXPECT_TRUE(log.contains("list window brought forward for a second start"))
        << log.toStdString();

    first.terminate();
    EXPECT_TRUE(first.waitForFinished(10000));
}
