// Following applications and the pointer, against a desktop held in memory.
#include "typewarden/capture/ApplicationWatcher.h"
#include "typewarden/capture/PointerTimer.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace typewarden;
using platform::RunningApplication;

namespace
{

struct FakeDesktop : platform::DesktopAccessibility {
    struct Token : platform::ProcessObserver {
        FakeDesktop* desktop;
        QString key;
        ~Token() override { desktop->live.remove(key); }
    };
    QList<RunningApplication> running;
    WorkspaceHandlers handlers;
    QHash<QString, std::function<void()>> live; // "pid/event" -> callback
    QStringList refuse;                         // events that cannot be observed
    std::optional<QPoint> pointer;
    QHash<QPoint, platform::AccessibilityElementRef> elements;
    int lookups = 0;

    bool isAvailable() const override { return true; }
    QList<RunningApplication> runningApplications() override { return running; }
    void setWorkspaceHandlers(WorkspaceHandlers h) override { handlers = std::move(h); }
    std::unique_ptr<platform::ProcessObserver> observe(qint64 pid, const QString& event,
                                                       std::function<void()> callback) override
    {
        if (refuse.contains(event))
            return nullptr;
        auto token = std::make_unique<Token>();
        token->desktop = this;
        token->key = QString::number(pid) + "/" + event;
        live.insert(token->key, std::move(callback));
        return token;
    }
    std::unique_ptr<platform::ProcessObserver>
    observeTextChanges(std::function<void(const platform::TextChange&)>) override
    {
        return nullptr;
    }
    std::optional<QPoint> pointerPosition() override { return pointer; }
    platform::AccessibilityElementRef elementAtPosition(const QPoint& p) override
    {
        ++lookups;
        return elements.value(p);
    }
    void fire(qint64 pid, const QString& event)
    {
        live.value(QString::number(pid) + "/" + event)();
    }
};

struct Watcher {
    FakeDesktop desktop;
    QStringList calls;
    bool textEditOn = true;
    ApplicationWatcher observers{
        desktop,
        {[this](const QString& name) { return name == "TextEdit" && textEditOn; },
         [this](const QString& name) { calls << "setup " + name; }, [this] { calls << "unload"; },
         [this] { calls << "reset typing"; }, [this] { calls << "reset panel"; },
         [this](const QString& n, const QVariantMap& info) {
             calls << n + " " + info.value("NSApplicationName").toString();
         }},
        /*ownPid=*/1};

    Watcher()
    {
        desktop.running = {{"TextEdit", 100}, {"Terminal", 200}};
        observers.setupApplicationActivityMonitor();
    }
    void activate(const QString& name, qint64 pid)
    {
        desktop.handlers.activated({name, pid});
        QTest::qWait(ApplicationWatcher::kActivationSettleMs + 100);
    }
};

} // namespace

TEST(Observation, ActivationStartsOrStopsCaptureByName)
{
    Watcher w;
    EXPECT_EQ(w.observers.activeAppDictionary().value("TextEdit"), 100);
    w.desktop.handlers.activated({"TextEdit", 100});
    EXPECT_TRUE(w.calls.isEmpty()); // the application is given time to settle first
    QTest::qWait(ApplicationWatcher::kActivationSettleMs + 100);
    EXPECT_EQ(w.calls, (QStringList{"setup TextEdit", "reset typing"}));
    EXPECT_EQ(w.observers.getActiveAppName(), "TextEdit");
    EXPECT_EQ(w.observers.windowObserverCount(100), 3);

    w.activate("Terminal", 200);
    EXPECT_EQ(w.calls.last(), "unload");
    // With its preference off, TextEdit stops capture too.
    w.textEditOn = false;
    w.calls.clear();
    w.activate("TextEdit", 100);
    EXPECT_EQ(w.calls, QStringList{"unload"});
}

TEST(Observation, ObserversPerProcessOnceAndGoneWithTheProcess)
{
    Watcher w;
    w.activate("TextEdit", 100);
    const auto live = w.desktop.live.size();
    w.activate("TextEdit", 100);
    EXPECT_EQ(w.desktop.live.size(), live); // no second set
    // Launched applications are observed whatever they are; the agent itself never.
    w.desktop.handlers.launched({"Calculator", 300});
    w.desktop.handlers.launched({"Typewarden", 1});
    EXPECT_EQ(w.observers.windowObserverCount(300), 3);
    EXPECT_TRUE(w.observers.hasApplicationSwitchObserver(300));
    EXPECT_EQ(w.observers.windowObserverCount(1), 0);

    w.calls.clear();
    w.desktop.fire(300, platform::axevent::ApplicationActivated);
    EXPECT_EQ(w.calls, (QStringList{"reset typing", "reset panel"}));
    // A new main window starts capture for the active application without asking the settings.
    w.textEditOn = false;
    w.calls.clear();
    w.desktop.fire(100, platform::axevent::MainWindowChanged);
    EXPECT_EQ(w.calls, (QStringList{"setup TextEdit", "reset typing"}));
    w.desktop.fire(100, platform::axevent::MenuOpened);
    EXPECT_EQ(w.calls.last(), "MenuOpenedNotification TextEdit");

    w.desktop.handlers.terminated({"TextEdit", 100});
    EXPECT_EQ(w.observers.windowObserverCount(100), 0);
    EXPECT_FALSE(w.observers.hasApplicationSwitchObserver(100));
    w.observers.quitAllApplicationActivityMonitorObservers();
    EXPECT_TRUE(w.desktop.live.isEmpty());
}

TEST(Observation, AnObserverThatCannotBeMadeDoesNotStopTheOthers)
{
    Watcher w;
    w.desktop.refuse = {platform::axevent::MenuOpened};
    w.desktop.handlers.launched({"TextEdit", 100});
    EXPECT_EQ(w.observers.windowObserverCount(100), 2);
}

TEST(PointerTimer, OnlyANewElementUnderThePointerIsRead)
{
    FakeDesktop desktop;
    auto button = platform::MemoryAccessibilityElement::make("AXButton", "Change");
    auto field = platform::MemoryAccessibilityElement::make("AXTextField");
    desktop.elements = {
        {QPoint(10, 10), button}, {QPoint(12, 10), button}, {QPoint(50, 10), field}};
    QList<platform::AccessibilityElementRef> hovered;
    PointerTimer timer(desktop, [&](const platform::AccessibilityElementRef& e) { hovered << e; });

    desktop.pointer = QPoint(10, 10);
    timer.setupTimerBasedUpdate();
    EXPECT_TRUE(timer.isRunning());
    ASSERT_EQ(hovered.size(), 1);
    desktop.lookups = 0;
    timer.performTimerBasedUpdate(); // the pointer has not moved: nothing is looked up
    EXPECT_EQ(desktop.lookups, 0);
    desktop.pointer = QPoint(12, 10); // moved within the same element
    timer.performTimerBasedUpdate();
    EXPECT_EQ(hovered.size(), 1);
    desktop.pointer = QPoint(50, 10);
    timer.performTimerBasedUpdate();
    ASSERT_EQ(hovered.size(), 2);
    EXPECT_EQ(hovered[1], field);
    // Without a pointer position (Wayland) nothing happens.
    desktop.pointer.reset();
    timer.performTimerBasedUpdate();
    EXPECT_EQ(hovered.size(), 2);
}
