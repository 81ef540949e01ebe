// A flood of like log lines: the first of each window written, the count of the rest told after.
#include "platform/LogThrottle.h"

#include <gtest/gtest.h>

#include <QThread>

using platform::LogThrottle;

TEST(LogThrottle, WritesTheFirstLinesOfAWindowAndThenSaysHowManyItLeftOut)
{
    LogThrottle throttle(3, std::chrono::milliseconds(300));
    QStringList notes;
    int written = 0;
    for (int i = 0; i < 8; ++i) {
        QString note;
        if (throttle.admit(&note)) {
            ++written;
            notes << note;
        }
    }
    EXPECT_EQ(written, 3);
    EXPECT_EQ(notes, (QStringList{QString(), QString(),
                                  QStringLiteral(" (more like it are left out for a while)")}));

    QThread::msleep(350);
    QString note;
    ASSERT_TRUE(throttle.admit(&note));
    EXPECT_EQ(note, QStringLiteral(" (5 more like it were not logged)"));
    ASSERT_TRUE(throttle.admit(&note));
    EXPECT_EQ(note, QString());
}
