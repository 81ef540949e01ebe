// The real lexotrace program on a private session bus: a second start brings the first copy's
// window forward instead of opening the stores a second time.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QProcess>

TEST(LexotraceProgram, ASecondStartBringsTheRunningCopyForwardAndStops)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no D-Bus session bus: this test runs under dbus-run-session";
    const QString name = QStringLiteral("com.brellum.Lexotrace");

    QProcess first;
    first.setProcessChannelMode(QProcess::MergedChannels);
    first.start(QStringLiteral(LEXOTRACE_PROGRAM), {});
    ASSERT_TRUE(first.waitForStarted());
    QByteArray log; // the first copy's output
    QDeadlineTimer deadline(20000);
    while (!bus.interface()->isServiceRegistered(name) && !deadline.hasExpired() &&
           first.state() == QProcess::Running) {
        first.waitForReadyRead(50);
        log += first.readAll();
    }
    ASSERT_TRUE(bus.interface()->isServiceRegistered(name)) << log.toStdString();

    QProcess second;
    second.start(QStringLiteral(LEXOTRACE_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(second.readAllStandardError().contains(
        "Lexotrace is already running: its window is brought forward."));
    EXPECT_EQ(first.state(), QProcess::Running);
    deadline.setRemainingTime(10000);
    while (!log.contains("brought forward for a second start") && !deadline.hasExpired()) {
        first.waitForReadyRead(100);
        log += first.readAll();
    }
    EXPECT_TRUE(log.contains("brought forward for a second start")) << log.toStdString();

    first.terminate();
    EXPECT_TRUE(first.waitForFinished(10000));
}
