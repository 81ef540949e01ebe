#pragma once

#include "platform/ProcessLauncher.h"
#include "platform/dbus/DBusDistributedNotificationCenter.h"
#include "platform/dbus/SessionBusName.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/ui/Alerts.h"
#include "platform/ui/FilePanels.h"

#include <memory>

namespace platform
{
class ScriptingService;
namespace scripting
{
class ScriptEngine;
}
} // namespace platform

namespace platform::atspi
{
class AtspiDesktopAccessibility;
class AtspiGlobalEventMonitors;
class AtspiSession;
} // namespace platform::atspi

namespace typewarden
{

class CaptureCoordinator;
class LaunchAtLoginController;
class PreferencesWindowController;
class TypewardenAppDelegate;
class TypewardenImportDelegate;
class TypewardenModel;
class TypewardenScriptModel;
class TypewardenWindowController;

inline const QString kTypewardenBusName = QStringLiteral("com.brellum.Typewarden");

// The agent's object graph, built in start-up order; it owns everything.
class TypewardenApplication
{
public:
    TypewardenApplication();
    ~TypewardenApplication();

    // Claims the bus name, then wakes the store, the status item and the delegate. False (after
    // a message on standard error) when another copy is running.
    bool start();
    // The orderly end, before the event loop stops.
    void terminate();
    // The end a logout or a kill asks for: the pending pairs are saved (or kept in the recovery
    // file) without asking anybody, then the event loop stops.
    void endOnSignal();

    TypewardenModel& model() { return *m_model; }
    TypewardenWindowController& windowController() { return *m_window; }
    TypewardenAppDelegate& delegate() { return *m_delegate; }

private:
    platform::UserDefaults m_defaults;
    platform::WidgetAlertPresenter m_alerts;
    platform::WidgetFilePanels m_panels;
    platform::DetachedProcessLauncher m_launcher;
    platform::ApplicationActivation m_activation;
    std::unique_ptr<platform::DBusDistributedNotificationCenter> m_notifications;
    std::unique_ptr<TypewardenModel> m_model;
    std::unique_ptr<TypewardenWindowController> m_window;
    std::shared_ptr<platform::atspi::AtspiSession> m_accessibility;
    std::unique_ptr<platform::atspi::AtspiDesktopAccessibility> m_desktop;
    std::unique_ptr<platform::atspi::AtspiGlobalEventMonitors> m_monitors;
    std::unique_ptr<CaptureCoordinator> m_capture;
    std::unique_ptr<LaunchAtLoginController> m_login;
    std::unique_ptr<PreferencesWindowController> m_preferences;
    std::unique_ptr<TypewardenImportDelegate> m_import;
    std::unique_ptr<TypewardenAppDelegate> m_delegate;
    std::unique_ptr<TypewardenScriptModel> m_scriptModel;
    std::unique_ptr<platform::scripting::ScriptEngine> m_scriptEngine;
    std::unique_ptr<platform::ScriptingService> m_scripting;
    bool m_terminated = false;
};

} // namespace typewarden
