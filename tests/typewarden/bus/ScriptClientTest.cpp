// typewarden-script against the real typewarden on a private session bus.
#include "tests/support/ProgramOnBus.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace
{

testsupport::ClientAnswer script(const QStringList& arguments, const QByteArray& input = {})
{
    return testsupport::runClient(QStringLiteral(TYPEWARDEN_SCRIPT), arguments, input);
}

TEST(TypewardenScriptClient, ScriptsRunInTheRunningAgentAndTheirErrorsAreTold)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no D-Bus session bus: this test runs under dbus-run-session";

    const testsupport::ClientAnswer absent = script({"-e", "count every word pair"});
    EXPECT_EQ(absent.status, 2);
    EXPECT_TRUE(absent.err.contains("typewarden-script: Typewarden is not running.\n"))
        << absent.err.toStdString();

    QProcess agent;
    QByteArray log;
    ASSERT_TRUE(testsupport::startOnBus(agent, QStringLiteral(TYPEWARDEN_PROGRAM),
                                        "com.brellum.Typewarden", log))
        << log.toStdString();

    const testsupport::ClientAnswer made =
        script({"-e", "make new word pair with properties {misspelling:\"recieve\", "
                      "correct spelling:\"receive\", time stamp:current date}"});
    EXPECT_EQ(made.status, 0) << made.err.toStdString();
    EXPECT_TRUE(made.out.startsWith("word pair id \"x-orthova:")) << made.out.toStdString();
    // From standard input, a list one value a line.
    const testsupport::ClientAnswer read =
        script({}, "get {misspelling of word pair 1, \"two\"}\n");
    EXPECT_EQ(read.out, "recieve\ntwo\n");
    EXPECT_EQ(script({"-e", "count every word pair"}).out, "1\n");

    const testsupport::ClientAnswer bad = script({"-e", "get word pair 2"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.contains("error -1719: Can't get word pair 2. Invalid index.\n"))
        << bad.err.toStdString();
    EXPECT_EQ(script({"-e", "get"}).status, 1);

    // A logout's SIGTERM ends the agent through its quit, which saves the pair made above.
    agent.terminate();
    ASSERT_TRUE(agent.waitForFinished(10000));
    EXPECT_EQ(agent.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(testsupport::readFile(testsupport::storeFolder() + "/spellErrorList.xml")
                    .contains("recieve"));
}

} // namespace
