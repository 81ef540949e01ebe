// The real typewarden program on a private session bus: one copy at a time.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

TEST(TypewardenProgram, ASecondCopyRefusesToStartWithAClearMessage)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no D-Bus session bus: this test runs under dbus-run-session";
    const QString name = QStringLiteral("com.brellum.Typewarden");

    QProcess first;
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
    EXPECT_TRUE(second.readAllStandardError().contains("Typewarden is already running."));
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate();
    EXPECT_TRUE(first.waitForFinished(10000));
}
