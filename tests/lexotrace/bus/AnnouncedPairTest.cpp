// A pair that Typewarden's store adds in another process reaches the analysis window over a
// private session bus and is appended after the stored ones.
#include "platform/dbus/DBusDistributedNotificationCenter.h"
#include "tests/lexotrace/analysis/AnalysisFixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>

using testsupport::AnalysisFixture;

TEST(AnnouncedPair, APairAddedByTheAgentIsAnalysedAsItArrives)
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        GTEST_SKIP() << "no D-Bus session bus: this test runs under dbus-run-session";
    platform::DBusDistributedNotificationCenter center;
    ASSERT_TRUE(center.isConnected());
    AnalysisFixture f(QList<std::pair<QString, QString>>{{"hopeful", "hopful"}}, &center);
    auto& controller = f.open();
    const qsizetype stored = controller.matchedWordsArrayController().rows().size();
    ASSERT_GE(stored, 1);

    QProcess agent;
    agent.start(QStringLiteral(ADD_WORD_PAIR), {"believe", "beleive"});
    ASSERT_TRUE(agent.waitForFinished(20000));
    ASSERT_EQ(agent.exitCode(), 0) << agent.readAllStandardError().toStdString();

    QDeadlineTimer deadline(10000);
    while (controller.matchedWordsArrayController().rows().size() == stored &&
           !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const auto rows = controller.matchedWordsArrayController().rows();
    ASSERT_EQ(rows.size(), stored + 1);
    EXPECT_EQ(rows.last().cSpell, "believe");
    EXPECT_EQ(rows.last().mSpell, "beleive");
    EXPECT_EQ(rows.last().reference, "9-6"); // the factory course's i before e lesson
}
