// lexotrace-script against the real lexotrace on a private session bus, on a fresh home whose
// stores are still empty (the first-run messages wait for a person).
#include "tests/support/ProgramOnBus.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace
{

testsupport::ClientAnswer script(const QString& text)
{
    return testsupport::runClient(QStringLiteral(LEXOTRACE_SCRIPT), {"-e", text});
}

TEST(LexotraceScriptClient, ScriptsEditTheRunningProgramsCurriculum)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no D-Bus session bus: this test runs under dbus-run-session";
    EXPECT_EQ(script("count every level").status, 2);

    QProcess program;
    QByteArray log;
    ASSERT_TRUE(testsupport::startOnBus(program, QStringLiteral(LEXOTRACE_PROGRAM),
                                        "com.brellum.Lexotrace", log))
        << log.toStdString();

    EXPECT_EQ(script("count every level").out, "0\n");
    const testsupport::ClientAnswer noPlace = script("make new level");
    EXPECT_EQ(noPlace.status, 1);
    EXPECT_TRUE(noPlace.err.contains(
        "error 6006: Can't create this object without a destination (e.g. level 6.)\n"))
        << noPlace.err.toStdString();
    EXPECT_TRUE(script("make new level at end of levels").out.startsWith("level id \""));
    script("make new unit at end of units of level 1 with properties {general rule:\"Double "
           "the last letter.\"}");
    EXPECT_EQ(script("get general rule of unit 1 of level 1").out, "Double the last letter.\n");
    EXPECT_TRUE(script("get unit 2 of level 1")
                    .err.contains("error -1719: Can't get unit 2. Invalid index.\n"))
        << script("get unit 2 of level 1").err.toStdString();

    // SIGTERM ends the program through its quit, which saves the lessons.
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(testsupport::readFile(testsupport::storeFolder() + "/OrthovaLessonsCoreData.xml")
                    .contains("Double the last letter."));
}

} // namespace
