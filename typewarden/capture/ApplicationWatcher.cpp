#include "typewarden/capture/ApplicationWatcher.h"

#include <QLoggingCategory>
#include <QTimer>

namespace typewarden
{

namespace
{
Q_LOGGING_CATEGORY(lcObservers, "typewarden.capture.observers")
const QString kActiveName = QStringLiteral("NSApplicationName");
} // namespace

ApplicationWatcher::ApplicationWatcher(platform::DesktopAccessibility& desktop, Callbacks callbacks,
                                       qint64 ownPid)
    : m_desktop(desktop), m_callbacks(std::move(callbacks)), m_ownPid(ownPid)
{
}

ApplicationWatcher::~ApplicationWatcher() = default;

void ApplicationWatcher::setupApplicationActivityMonitor()
{
    m_desktop.setWorkspaceHandlers(
        {[this](const platform::RunningApplication& app) { applicationLaunched(app); },
         [this](const platform::RunningApplication& app) { applicationTerminated(app); },
         [this](const platform::RunningApplication& app) { applicationActivated(app); }});
    m_activeAppDictionary = {{kActiveName, QString()}};
    for (const platform::RunningApplication& app : m_desktop.runningApplications())
        m_activeAppDictionary.insert(app.name, app.pid);
}

QString ApplicationWatcher::getActiveAppName() const
{
    return m_activeAppDictionary.value(kActiveName).toString();
}

void ApplicationWatcher::applicationLaunched(const platform::RunningApplication& app)
{
    m_activeAppDictionary.insert(app.name, app.pid);
    registerForWindowEventsMonitorFor(app.pid);
    registerForAppSwitchNotificationFor(app.pid);
}

void ApplicationWatcher::applicationTerminated(const platform::RunningApplication& app)
{
    disengageWindowObservers(app.pid);
    disengageApplicationSwitchObserver(app.pid);
}

void ApplicationWatcher::applicationActivated(const platform::RunningApplication& app)
{
    // The application is given half a second to settle; waiting on a timer keeps the agent's own
    // events going meanwhile.
    QTimer::singleShot(kActivationSettleMs, this, [this, app] { activate(app); });
}

void ApplicationWatcher::activate(const platform::RunningApplication& app)
{
    m_activeApp = app.name;
    m_activePid = app.pid;
    m_activeAppDictionary.insert(kActiveName, app.name);
    if (m_callbacks.userPreferenceMask && m_callbacks.userPreferenceMask(app.name)) {
        if (m_callbacks.startCaptureForApp)
            m_callbacks.startCaptureForApp(app.name);
        if (m_callbacks.resetTypingState)
            m_callbacks.resetTypingState();
        registerForAppSwitchNotificationFor(app.pid);
        registerForWindowEventsMonitorFor(app.pid);
    } else if (m_callbacks.stopCapture) {
        m_callbacks.stopCapture();
    }
}

void ApplicationWatcher::registerForWindowEventsMonitorFor(qint64 pid)
{
    if (pid == m_ownPid || m_windowSwitchedObservers.count(pid) ||
        m_menuOpenedObservers.count(pid) || m_menuClosedObservers.count(pid))
        return;
    const auto postMenu = [this](const QString& notification) {
        return [this, notification] {
            if (m_callbacks.post)
                m_callbacks.post(notification, {{kActiveName, getActiveAppName()}});
        };
    };
    // In this order; a failure is logged and the next is still tried.
    const struct {
        const QString& event;
        std::function<void()> callback;
        std::unordered_map<qint64, Observer>& table;
        bool withPid;
    } observers[] = {
        {platform::axevent::MenuOpened, postMenu(QStringLiteral("MenuOpenedNotification")),
         m_menuOpenedObservers, true},
        {platform::axevent::MainWindowChanged, [this] { appWindowChanged(); },
         m_windowSwitchedObservers, false},
        {platform::axevent::MenuClosed, postMenu(QStringLiteral("MenuClosedNotification")),
         m_menuClosedObservers, false},
    };
    for (const auto& o : observers) {
        if (auto observer = m_desktop.observe(pid, o.event, o.callback)) {
            o.table[pid] = std::move(observer);
            continue;
        }
        QString line =
            QStringLiteral("Failed to create observer for application \"%1\".").arg(m_activeApp);
        if (o.withPid)
            line += QStringLiteral(" pid: %1").arg(pid);
        qCWarning(lcObservers).noquote() << line;
    }
}

void ApplicationWatcher::registerForAppSwitchNotificationFor(qint64 pid)
{
    if (pid == m_ownPid || m_applicationSwitchedObservers.count(pid))
        return;
    if (auto observer = m_desktop.observe(pid, platform::axevent::ApplicationActivated,
                                          [this] { applicationSwitched(); }))
        m_applicationSwitchedObservers[pid] = std::move(observer);
}

void ApplicationWatcher::appWindowChanged()
{
    // The window change does not consult the preferences.
    if (m_callbacks.startCaptureForApp)
        m_callbacks.startCaptureForApp(getActiveAppName());
    if (m_callbacks.resetTypingState)
        m_callbacks.resetTypingState();
}

void ApplicationWatcher::applicationSwitched()
{
    if (m_callbacks.resetTypingState)
        m_callbacks.resetTypingState();
    if (m_callbacks.resetPanelState)
        m_callbacks.resetPanelState();
}

void ApplicationWatcher::disengageWindowObservers(qint64 pid)
{
    m_windowSwitchedObservers.erase(pid);
    m_menuOpenedObservers.erase(pid);
    m_menuClosedObservers.erase(pid);
}

void ApplicationWatcher::disengageApplicationSwitchObserver(qint64 pid)
{
    const auto it = m_applicationSwitchedObservers.find(pid);
    if (it == m_applicationSwitchedObservers.end())
        return;
    qCDebug(lcObservers).noquote()
        << QStringLiteral("removing observer: application switch with pidNumber: %1").arg(pid);
    m_applicationSwitchedObservers.erase(it);
}

void ApplicationWatcher::quitAllWindowActivityMonitorObservers()
{
    for (const auto& [pid, observer] : m_applicationSwitchedObservers)
        disengageWindowObservers(pid);
}

void ApplicationWatcher::quitAllApplicationActivityMonitorObservers()
{
    quitAllWindowActivityMonitorObservers();
    m_applicationSwitchedObservers.clear();
    m_windowSwitchedObservers.clear();
    m_menuOpenedObservers.clear();
    m_menuClosedObservers.clear();
}

int ApplicationWatcher::windowObserverCount(qint64 pid) const
{
    return int(m_windowSwitchedObservers.count(pid) + m_menuOpenedObservers.count(pid) +
               m_menuClosedObservers.count(pid));
}

bool ApplicationWatcher::hasApplicationSwitchObserver(qint64 pid) const
{
    return m_applicationSwitchedObservers.count(pid) > 0;
}

} // namespace typewarden
