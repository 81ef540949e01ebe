// Running a program with standard input: what it answers, how it fails, and the timeout.
#include "platform/ProcessLauncher.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QTest>

using Outcome = platform::ProcessRunResult::Outcome;

namespace
{

struct Runs {
    void run(const QString& program, const QStringList& arguments, const QByteArray& input,
             int timeoutMs = 5000)
    {
        platform::runWithInput(&owner, program, arguments, input, timeoutMs,
                               [this](const platform::ProcessRunResult& r) { results << r; });
    }
    bool waitFor(qsizetype count)
    {
        return QTest::qWaitFor([&] { return results.size() >= count; }, 5000);
    }
    QObject owner;
    QList<platform::ProcessRunResult> results;
};

} // namespace

TEST(ProcessRun, TheProgramReadsItsInputAndTheResultCarriesItsExit)
{
    Runs runs;
    runs.run("/bin/sh", {"-c", "cat; echo \"$0\" >&2; exit 3", "arg zero"}, "one\ntwo\n");
    ASSERT_TRUE(runs.waitFor(1));
    EXPECT_EQ(runs.results[0].outcome, Outcome::Exited);
    EXPECT_EQ(runs.results[0].exitCode, 3);
    EXPECT_EQ(runs.results[0].standardOutput, QByteArray("one\ntwo\n"));
    EXPECT_EQ(runs.results[0].standardError, QByteArray("arg zero\n"));

    runs.run("/bin/sh", {"-c", "echo partial; kill -9 $$"}, {});
    ASSERT_TRUE(runs.waitFor(2));
    EXPECT_EQ(runs.results[1].outcome, Outcome::Crashed);
    EXPECT_EQ(runs.results[1].standardOutput, QByteArray("partial\n"));

    runs.run(testsupport::sandboxRoot() + "/no such program", {}, "ignored");
    ASSERT_TRUE(runs.waitFor(3));
    EXPECT_EQ(runs.results[2].outcome, Outcome::FailedToStart);
    EXPECT_FALSE(runs.results[2].errorString.isEmpty());
}

TEST(ProcessRun, ARunPastItsTimeIsKilledReportedOnceAndReaped)
{
    Runs runs;
    QElapsedTimer clock;
    clock.start();
    runs.run("/bin/sleep", {"5"}, {}, 200);
    ASSERT_TRUE(runs.waitFor(1));
    EXPECT_EQ(runs.results[0].outcome, Outcome::TimedOut);
    EXPECT_LT(clock.elapsed(), 4000);
    // The process object goes once the killed program is reaped; its exit is not reported.
    EXPECT_TRUE(QTest::qWaitFor([&] { return runs.owner.findChildren<QProcess*>().isEmpty(); }));
    EXPECT_EQ(runs.results.size(), 1);
}
