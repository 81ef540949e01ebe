// The real lexotrace program on a private session bus: a second start brings the first copy's
// window forward instead of opening the stores a second time.
#include "tests/support/ProgramOnBus.h"

#include <gtest/gtest.h>

TEST(LexotraceProgram, ASecondStartBringsTheRunningCopyForwardAndStops)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no D-Bus session bus: this test runs under dbus-run-session";
    const QString name = QStringLiteral("com.brellum.Lexotrace");

    QProcess first;
    QByteArray log; // the first copy's output
    ASSERT_TRUE(testsupport::startOnBus(first, QStringLiteral(LEXOTRACE_PROGRAM), name, log))
        << log.toStdString();

    QProcess second;
    second.start(QStringLiteral(LEXOTRACE_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(second.readAllStandardError().contains(
        "Lexotrace is already running: its window is brought forward."));
    EXPECT_EQ(first.state(), QProcess::Running);
    QDeadlineTimer deadline(10000);
    while (!log.contains("brought forward for a second start") && !deadline.hasExpired()) {
        first.waitForReadyRead(100);
        log += first.readAll();
    }
    EXPECT_TRUE(log.contains("brought forward for a second start")) << log.toStdString();

    first.terminate();
    EXPECT_TRUE(first.waitForFinished(10000));
}
