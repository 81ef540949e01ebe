// A termination signal reaches the event loop as a Qt signal instead of ending the process.
#include "platform/TerminationSignals.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>

#include <csignal>

TEST(TerminationSignals, ATerminationSignalAsksTheEventLoopToQuit)
{
    platform::TerminationSignals endings;
    ASSERT_TRUE(endings.isActive());
    // Only one catcher at a time: the signals are the process's.
    platform::TerminationSignals second;
    EXPECT_FALSE(second.isActive());

    QSignalSpy asked(&endings, &platform::TerminationSignals::terminationRequested);
    for (int number : {SIGTERM, SIGINT})
        std::raise(number);
    ASSERT_TRUE(asked.wait(2000) || asked.size() == 2);
    if (asked.size() < 2)
        asked.wait(500);
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked.at(0).at(0).toInt(), SIGTERM);
    EXPECT_EQ(asked.at(1).at(0).toInt(), SIGINT);
}
