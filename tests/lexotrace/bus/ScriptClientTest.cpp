// lexotrace-script against the real lexotrace on a private session bus, on a fresh home whose
// stores are still empty (the first-run messages wait for a person).
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

Answer script(const QString& text)
{
    QProcess client;
    client.start(QStringLiteral(LEXOTRACE_SCRIPT), {"-e", text});
    Answer answer;
    if (client.waitForFinished(30000))
        answer.status = client.exitCode();
    answer.out = QString::fromUtf8(client.readAllStandardOutput());
    answer.err = QString::fromUtf8(client.readAllStandardError());
    return answer;
}

TEST(LexotraceScriptClient, ScriptsEditTheRunningProgramsCurriculum)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no D-Bus session bus: this test runs under dbus-run-session";
    EXPECT_EQ(script("count every level").status, 2);

    QProcess program;
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(LEXOTRACE_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted());
    QByteArray log;
    QDeadlineTimer deadline(20000);
    while (!bus.interface()->isServiceRegistered("com.brellum.Lexotrace") &&
           !deadline.hasExpired() && program.state() == QProcess::Running) {
        program.waitForReadyRead(50);
        log += program.readAll();
    }
    ASSERT_TRUE(bus.interface()->isServiceRegistered("com.brellum.Lexotrace")) << log.toStdString();

    EXPECT_EQ(script("count every level").out, "0\n");
    const Answer noPlace = script("make new level");
    EXPECT_EQ(noPlace.status, 1);
    EXPECT_EQ(noPlace.err,
              "error 6006: Can't create this object without a destination (e.g. level 6.)\n");
    EXPECT_TRUE(script("make new level at end of levels").out.startsWith("level id \""));
    script("make new unit at end of units of level 1 with properties {general rule:\"Double "
           "the last letter.\"}");
    EXPECT_EQ(script("get general rule of unit 1 of level 1").out, "Double the last letter.\n");
    EXPECT_EQ(script("get unit 2 of level 1").err,
              "error -1719: Can't get unit 2. Invalid index.\n");

    program.terminate();
    EXPECT_TRUE(program.waitForFinished(10000));
}

} // namespace
