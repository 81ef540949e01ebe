// The real typewarden program on a private session bus: one copy at a time, and a second start
// shows the running copy's list window.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

TEST(TypewardenProgram, ASecondCopyBringsTheFirstOnesListForwardAndStops)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no D-Bus session bus: this test runs under dbus-run-session";
    const QString name = QStringLiteral("com.brellum.Typewarden");

    QProcess first;
    first.setProcessChannelMode(QProcess::MergedChannels);
    first.start(QStringLiteral(TYPEWARDEN_PROGRAM), {});
    ASSERT_TRUE(first.waitForStarted());
    QDeadlineTimer deadline(20000);
    while (!bus.interface()->isServiceRegistered(name) && !deadline.hasExpired() &&
           first.state() == QProcess::Running)
        QThread::msleep(50);
    ASSERT_TRUE(bus.interface()->isServiceRegistered(name))
        << first.readAllStandardError().toStdString();

    QProcess second;
    second.start(QStringLiteral(TYPEWARDEN_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_NE(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains(
        "Typewarden is already running: its list window is brought forward."));
    EXPECT_EQ(first.state(), QProcess::Running);
    QByteArray log;
    deadline.setRemainingTime(10000);
    while (!log.contains("brought forward for a second start") && !deadline.hasExpired()) {
        first.waitForReadyRead(100);
        log += first.readAll();
    }
    EXPECT_TRUE(log.contains("list window brought forward for a second start"))
        << log.toStdString();

    first.terminate();
    EXPECT_TRUE(first.waitForFinished(10000));
}
