#pragma once

#include "platform/accessibility/DesktopAccessibility.h"

#include <QHash>
#include <QObject>
#include <QVariantMap>
#include <unordered_map>

#include <functional>
#include <memory>

namespace typewarden
{

// Follows applications starting, ending and becoming active, keeps the per-process observers of
// window, menu and activation events, and tells the capture when a watched application comes
// forward or goes back.
class ApplicationWatcher : public QObject
{
    Q_OBJECT
public:
    // What the observers call (the application delegate's side).
    struct Callbacks {
        std::function<bool(const QString& name)> userPreferenceMask;
        std::function<void(const QString& name)> startCaptureForApp;
        std::function<void()> stopCapture;
        std::function<void()> resetTypingState;
        std::function<void()> resetPanelState;
        std::function<void(const QString& notification, const QVariantMap& userInfo)> post;
    };

    static constexpr int kActivationSettleMs = 500;

    ApplicationWatcher(platform::DesktopAccessibility& desktop, Callbacks callbacks, qint64 ownPid);
    ~ApplicationWatcher() override;

    void setupApplicationActivityMonitor();
    void applicationLaunched(const platform::RunningApplication& app);
    void applicationTerminated(const platform::RunningApplication& app);
    void applicationActivated(const platform::RunningApplication& app);

    void registerForWindowEventsMonitorFor(qint64 pid);
    void registerForAppSwitchNotificationFor(qint64 pid);
    void disengageWindowObservers(qint64 pid);
    void disengageApplicationSwitchObserver(qint64 pid);
    void quitAllWindowActivityMonitorObservers();
    void quitAllApplicationActivityMonitorObservers();

    QString getActiveAppName() const;
    // The process of the application last activated; 0 before any.
    qint64 activePid() const { return m_activePid; }
    const QVariantMap& activeAppDictionary() const { return m_activeAppDictionary; }
    int windowObserverCount(qint64 pid) const;
    bool hasApplicationSwitchObserver(qint64 pid) const;

private:
    void activate(const platform::RunningApplication& app);
    void appWindowChanged();
    void applicationSwitched();

    using Observer = std::unique_ptr<platform::ProcessObserver>;
    platform::DesktopAccessibility& m_desktop;
    Callbacks m_callbacks;
    qint64 m_ownPid;
    QVariantMap m_activeAppDictionary;
    QString m_activeApp;
    qint64 m_activePid = 0;
    std::unordered_map<qint64, Observer> m_applicationSwitchedObservers;
    std::unordered_map<qint64, Observer> m_windowSwitchedObservers;
    std::unordered_map<qint64, Observer> m_menuOpenedObservers;
    std::unordered_map<qint64, Observer> m_menuClosedObservers;
};

} // namespace typewarden
