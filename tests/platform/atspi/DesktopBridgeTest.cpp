// The AT-SPI bridge against the TextEdit fixture in a private desktop (run through
// tests/fixtures/desktop-session), driven with xdotool.
#include "platform/accessibility/atspi/AtspiDesktopAccessibility.h"
#include "platform/accessibility/atspi/AtspiGlobalEventMonitors.h"
#include "platform/accessibility/atspi/AtspiSession.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <algorithm>

using namespace platform;
using namespace platform::atspi;

namespace
{

constexpr int kWaitMs = 10000;

// Waits in a running event loop, which answers the bus at once (the fixture's key reports give up
// after 0.1 s); QTest::qWaitFor sleeps between its passes.
bool waitFor(const std::function<bool()>& done, int ms = kWaitMs)
{
    QEventLoop loop;
    QTimer tick;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (done() || clock.elapsed() > ms)
            loop.quit();
    });
    tick.start(5);
    if (!done())
        loop.exec();
    return done();
}

QString attribute(const AccessibilityElementRef& element, const QString& name)
{
    return element ? element->valueOfAttribute(name).toString() : QString();
}

class DesktopBridge : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString reason = qEnvironmentVariable("ORTHOVA_DESKTOP_UNAVAILABLE");
        if (!reason.isEmpty())
            GTEST_SKIP() << "desktop stack could not start: " << reason.toStdString();
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "no X display: run this test through tests/fixtures/desktop-session";
        if (QString(XDOTOOL).isEmpty())
            GTEST_SKIP() << "xdotool is not installed (package xdotool)";
        QString error;
        session = AtspiSession::start(&error);
        ASSERT_TRUE(session) << error.toStdString();
        EXPECT_TRUE(session->deliveredByQtDispatcher());
        desktop = std::make_unique<AtspiDesktopAccessibility>(session);
        ASSERT_TRUE(desktop->isAvailable());
    }

    void TearDown() override
    {
        fixture.kill();
        fixture.waitForFinished();
    }

    // Starts the fixture and waits until it shows its windows and is on the bus.
    void startFixture()
    {
        fixture.start(
            QStringLiteral(TEXTEDIT_FIXTURE),
            {QStringLiteral("recieve"), QStringLiteral("receive"), QStringLiteral("relieve")});
        QByteArray out;
        ASSERT_TRUE(waitFor(
            [&] {
                out += fixture.readAllStandardOutput();
                return out.contains("ready\n");
            },
            kWaitMs))
            << "the fixture did not show its windows";
        for (const QByteArray& line : out.split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() == 5)
                (f[0] == "change" ? change : menu) =
                    QRect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt());
        }
        ASSERT_TRUE(waitFor([&] { return onBus(fixture.processId()); }, kWaitMs))
            << "the fixture did not appear on the accessibility bus";
    }

    bool onBus(qint64 pid)
    {
        for (const RunningApplication& app : desktop->runningApplications())
            if (app.pid == pid && app.name == QLatin1String("TextEdit"))
                return true;
        return false;
    }

    // Runs xdotool while this process keeps answering the bus.
    void xdotool(const QStringList& arguments)
    {
        QProcess tool;
        tool.start(QStringLiteral(XDOTOOL), arguments);
        ASSERT_TRUE(waitFor([&] { return tool.state() == QProcess::NotRunning; }, kWaitMs));
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }

    // A click held long enough for the bus, which polls the buttons.
    void click(QPoint at, int button)
    {
        const QString b = QString::number(button);
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "mousedown", b,
                 "sleep", "0.3", "mouseup", b});
    }

    std::shared_ptr<AtspiSession> session;
    std::unique_ptr<AtspiDesktopAccessibility> desktop;
    QProcess fixture;
    QRect change;
    QRect menu;
};

TEST_F(DesktopBridge, ElementUnderTheChangeButtonAndThePanelBehindIt)
{
    ASSERT_NO_FATAL_FAILURE(startFixture());
    xdotool(
        {"mousemove", QString::number(change.center().x()), QString::number(change.center().y())});
    EXPECT_EQ(desktop->pointerPosition(), std::optional<QPoint>(change.center()));

    const AccessibilityElementRef button = desktop->elementAtPosition(change.center());
    ASSERT_TRUE(button) << "nothing under the Change button";
    EXPECT_EQ(attribute(button, ax::Role), ax::Button);
    EXPECT_EQ(attribute(button, ax::Title), QStringLiteral("Change"));
    const auto panel =
        qvariant_cast<AccessibilityElementRef>(button->valueOfAttribute(ax::TopLevelUIElement));
    ASSERT_TRUE(panel);
    EXPECT_EQ(attribute(panel, ax::Title), QStringLiteral("Spelling and Grammar"));
    EXPECT_EQ(attribute(panel, ax::Role), ax::Window);
    ASSERT_TRUE(button->parent());
    EXPECT_TRUE(button->parent()->isSameElement(*panel));
    EXPECT_FALSE(button->isSameElement(*panel));

    // The misspelling: the panel's first text field; the correction: the guess table's first cell.
    QString misspelled;
    QString correction;
    for (const AccessibilityElementRef& child : panel->children()) {
        if (misspelled.isEmpty() && attribute(child, ax::Role) == ax::TextField)
            misspelled = attribute(child, ax::Value);
        if (correction.isEmpty() && attribute(child, ax::Role) == ax::Table)
            for (const AccessibilityElementRef& cell : child->children())
                if (correction.isEmpty() && attribute(cell, ax::Role) == ax::TextField)
                    correction = attribute(cell, ax::Value);
    }
    EXPECT_EQ(misspelled, QStringLiteral("recieve"));
    EXPECT_EQ(correction, QStringLiteral("receive"));
}

TEST_F(DesktopBridge, KeysPressedInTheFixtureReachTheKeyDownMonitor)
{
    ASSERT_NO_FATAL_FAILURE(startFixture());
    AtspiGlobalEventMonitors monitors(session);
    QList<KeyDownEvent> keys;
    bool onMainThread = true;
    ASSERT_TRUE(monitors.installKeyDownMonitor([&](const KeyDownEvent& event) {
        onMainThread = onMainThread && QThread::currentThread() == qApp->thread();
        keys << event;
    }));
    EXPECT_FALSE(monitors.installKeyDownMonitor([](const KeyDownEvent&) {}));
    xdotool({"key", "e", "ctrl+z", "Return", "BackSpace", "super+b"});
    ASSERT_TRUE(waitFor([&] { return keys.size() >= 5; }, kWaitMs))
        << keys.size() << " of 5 key-downs arrived";
    EXPECT_TRUE(onMainThread);
    EXPECT_EQ(keys[0].characters, QStringLiteral("e"));
    EXPECT_FALSE(keys[0].command);
    EXPECT_EQ(keys[1].characters, QStringLiteral("z"));
    EXPECT_TRUE(keys[1].command && keys[1].commandAlone);
    EXPECT_EQ(keys[2].key, KeyDownEvent::Key::Return);
    EXPECT_EQ(keys[3].key, KeyDownEvent::Key::Delete);
    EXPECT_EQ(keys[4].characters, QStringLiteral("b"));
    EXPECT_TRUE(keys[4].control);

    monitors.removeKeyDownMonitor();
    EXPECT_FALSE(monitors.hasKeyDownMonitor());
    xdotool({"key", "f"});
    waitFor([] { return false; }, 500);
    EXPECT_EQ(keys.size(), 5) << "a key arrived after the monitor was removed";
}

TEST_F(DesktopBridge, ReleasedClicksArriveWithBothMonitorsAndTheWorkspaceHandlers)
{
    // The agent's order: workspace handlers first, then the mouse-up monitor, then the key-down
    // monitor with its companion listener.
    QList<RunningApplication> activated;
    desktop->setWorkspaceHandlers({[](const RunningApplication&) {},
                                   [](const RunningApplication&) {},
                                   [&](const RunningApplication& a) { activated << a; }});
    ASSERT_NO_FATAL_FAILURE(startFixture());
    AtspiGlobalEventMonitors monitors(session);
    QList<MouseUpEvent> clicks;
    QList<KeyDownEvent> keys;
    ASSERT_TRUE(monitors.installMouseUpMonitor([&](const MouseUpEvent& e) { clicks << e; }));
    ASSERT_TRUE(monitors.installKeyDownMonitor([&](const KeyDownEvent& e) { keys << e; }));
    click(change.center(), 1);
    ASSERT_TRUE(waitFor([&] { return clicks.size() == 1; }, kWaitMs))
        << "no released click arrived with the key-down monitor installed";
    EXPECT_FALSE(clicks[0].control);
    click(change.center(), 3);
    ASSERT_TRUE(waitFor([&] { return clicks.size() == 2; }, kWaitMs));
    EXPECT_TRUE(clicks[1].control);
    xdotool({"key", "e"});
    ASSERT_TRUE(waitFor([&] { return !keys.isEmpty(); }, kWaitMs))
        << "no key-down arrived with the mouse-up monitor installed";
    EXPECT_EQ(keys[0].characters, QStringLiteral("e"));
}

TEST_F(DesktopBridge, RemovingTheKeyDownMonitorKeepsTheWorkspaceActivations)
{
    QList<RunningApplication> activated;
    desktop->setWorkspaceHandlers({[](const RunningApplication&) {},
                                   [](const RunningApplication&) {},
                                   [&](const RunningApplication& a) { activated << a; }});
    AtspiGlobalEventMonitors monitors(session);
    ASSERT_TRUE(monitors.installKeyDownMonitor([](const KeyDownEvent&) {}));
    monitors.removeKeyDownMonitor();
    ASSERT_NO_FATAL_FAILURE(startFixture());
    const qint64 pid = fixture.processId();
    EXPECT_TRUE(waitFor([&] {
        return std::any_of(activated.begin(), activated.end(),
                           [pid](const RunningApplication& a) { return a.pid == pid; });
    })) << "the fixture's activation was not reported after the key-down monitor was removed";
}

TEST_F(DesktopBridge, WorkspaceAndProcessEventsFollowTheFixture)
{
    // Other applications may come and go too: each list is searched for the fixture.
    QList<RunningApplication> launched, activated, terminated;
    desktop->setWorkspaceHandlers({[&](const RunningApplication& a) { launched << a; },
                                   [&](const RunningApplication& a) { terminated << a; },
                                   [&](const RunningApplication& a) { activated << a; }});
    ASSERT_NO_FATAL_FAILURE(startFixture());
    const qint64 pid = fixture.processId();
    const auto holdsFixture = [pid](const QList<RunningApplication>& list) {
        return std::any_of(list.begin(), list.end(), [pid](const RunningApplication& a) {
            return a.pid == pid && a.name == QLatin1String("TextEdit");
        });
    };
    EXPECT_TRUE(waitFor([&] { return holdsFixture(launched) && holdsFixture(activated); }))
        << "launched " << launched.size() << ", activated " << activated.size();

    int opened = 0, closed = 0, windowChanged = 0;
    auto menuOpened = desktop->observe(pid, axevent::MenuOpened, [&] { ++opened; });
    auto menuClosed = desktop->observe(pid, axevent::MenuClosed, [&] { ++closed; });
    auto mainWindow = desktop->observe(pid, axevent::MainWindowChanged, [&] { ++windowChanged; });
    ASSERT_TRUE(menuOpened && menuClosed && mainWindow);
    EXPECT_FALSE(desktop->observe(pid, QStringLiteral("AXNoSuchEvent"), [] {}));
    EXPECT_FALSE(desktop->observe(QCoreApplication::applicationPid(), axevent::MenuOpened, [] {}));
    click(menu.center(), 1);
    ASSERT_TRUE(waitFor([&] { return opened == 1; }, kWaitMs)) << "menu not seen opening";
    xdotool({"key", "Escape"});
    ASSERT_TRUE(waitFor([&] { return closed == 1 && windowChanged > 0; }, kWaitMs))
        << "menu closed " << closed << " times, main window changed " << windowChanged;

    // A dropped observer hears nothing more.
    menuOpened.reset();
    click(menu.center(), 1);
    waitFor([] { return false; }, 1000);
    EXPECT_EQ(opened, 1);

    fixture.kill();
    EXPECT_TRUE(waitFor([&] { return holdsFixture(terminated); }));
}

} // namespace
