// typewarden-script against the real typewarden on a private session bus.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QProcess>

namespace
{

struct Answer {
    int status = -1;
    QString out, err;
};

Answer script(const QStringList& arguments, const QByteArray& input = {})
{
    QProcess client;
    client.start(QStringLiteral(TYPEWARDEN_SCRIPT), arguments);
    client.write(input);
    client.closeWriteChannel();
    Answer answer;
    if (client.waitForFinished(30000))
        answer.status = client.exitCode();
    answer.out = QString::fromUtf8(client.readAllStandardOutput());
    answer.err = QString::fromUtf8(client.readAllStandardError());
    return answer;
}

TEST(TypewardenScriptClient, ScriptsRunInTheRunningAgentAndTheirErrorsAreTold)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no D-Bus session bus: this test runs under dbus-run-session";

    const Answer absent = script({"-e", "count every word pair"});
    EXPECT_EQ(absent.status, 2);
    EXPECT_EQ(absent.err, "typewarden-script: Typewarden is not running.\n");

    QProcess agent;
    agent.setProcessChannelMode(QProcess::MergedChannels);
    agent.start(QStringLiteral(TYPEWARDEN_PROGRAM), {});
    ASSERT_TRUE(agent.waitForStarted());
    QByteArray log;
    QDeadlineTimer deadline(20000);
    while (!bus.interface()->isServiceRegistered("com.brellum.Typewarden") &&
           !deadline.hasExpired() && agent.state() == QProcess::Running) {
        agent.waitForReadyRead(50);
        log += agent.readAll();
    }
    ASSERT_TRUE(bus.interface()->isServiceRegistered("com.brellum.Typewarden"))
        << log.toStdString();

    const Answer made =
        script({"-e", "make new word pair with properties {misspelling:\"recieve\", "
                      "correct spelling:\"receive\", time stamp:current date}"});
    EXPECT_EQ(made.status, 0) << made.err.toStdString();
    EXPECT_TRUE(made.out.startsWith("word pair id \"x-orthova:")) << made.out.toStdString();
    // From standard input, a list one value a line.
    const Answer read = script({}, "get {misspelling of word pair 1, \"two\"}\n");
    EXPECT_EQ(read.out, "recieve\ntwo\n");
    EXPECT_EQ(script({"-e", "count every word pair"}).out, "1\n");

    const Answer bad = script({"-e", "get word pair 2"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "error -1719: Can't get word pair 2. Invalid index.\n");
    EXPECT_EQ(script({"-e", "get"}).status, 1);

    agent.terminate();
    EXPECT_TRUE(agent.waitForFinished(10000));
}

} // namespace
