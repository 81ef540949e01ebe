#include "typewarden/app/TypewardenApplication.h"

#include <QMainWindow>
#include <QWidget>

#include "platform/accessibility/DesktopSession.h"
#include "platform/accessibility/atspi/AtspiDesktopAccessibility.h"
#include "platform/accessibility/atspi/AtspiGlobalEventMonitors.h"
#include "platform/accessibility/atspi/AtspiSession.h"
#include "platform/dbus/DesktopAccessibilitySwitch.h"
#include "platform/dbus/ScriptingService.h"
#include "platform/dbus/SessionBusName.h"
#include "platform/scripting/ScriptEngine.h"
#include "typewarden/app/AgentLog.h"
#include "typewarden/app/LaunchAtLoginController.h"
#include "typewarden/app/PreferencesWindowController.h"
#include "typewarden/app/TypewardenAppDelegate.h"
#include "typewarden/app/TypewardenWindowController.h"
#include "typewarden/capture/CaptureCoordinator.h"
#include "typewarden/capture/ComparisonScript.h"
#include "typewarden/scripting/TypewardenScriptModel.h"
#include "typewarden/store/TypewardenImportDelegate.h"
#include "typewarden/store/TypewardenModel.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace typewarden
{

TypewardenApplication::TypewardenApplication() : m_defaults(QStringLiteral("Typewarden")) {}

TypewardenApplication::~TypewardenApplication() = default;

bool TypewardenApplication::start()
{
    switch (platform::claimSessionBusName(kTypewardenBusName)) {
    case platform::BusNameClaim::TakenByAnother:
        // Without a tray the running copy may have nothing on screen: it shows its list window.
        std::fputs(platform::activateRunningCopy(kTypewardenBusName)
                       ? "Typewarden is already running: its list window is brought forward.\n"
                       : "Typewarden is already running.\n",
                   stderr);
        return false;
    case platform::BusNameClaim::NoBus:
        qCWarning(lcAgent,
                  "No session bus: corrections will not be announced to Lexotrace, and a second "
                  "copy of Typewarden cannot be detected.");
        break;
    case platform::BusNameClaim::Owned:
        break;
    }

    registerErrorListPathDefault(m_defaults);
    m_notifications = std::make_unique<platform::DBusDistributedNotificationCenter>();
    m_model = std::make_unique<TypewardenModel>(m_defaults, *m_notifications, m_alerts);
    m_model->wake();
    m_window = std::make_unique<TypewardenWindowController>(*m_model, m_alerts);
    QObject::connect(&m_activation, &platform::ApplicationActivation::activated, m_window.get(),
                     [this] {
                         qCInfo(lcAgent) << "list window brought forward for a second start";
                         m_window->openSpellingListWindow();
                     });
    m_activation.exportFor(kTypewardenBusName);
    // Scripts reach the word pairs on the bus name's "/Scripting".
    m_scriptModel = std::make_unique<TypewardenScriptModel>(
        [this] { return m_model->wordErrorDBase(); }, m_alerts);
    m_scriptEngine = std::make_unique<platform::scripting::ScriptEngine>(
        TypewardenScriptModel::terminology(), *m_scriptModel);
    m_scripting = std::make_unique<platform::ScriptingService>(*m_scriptEngine);
    if (!m_scripting->exportOnSessionBus())
        qCWarning(lcAgent, "Scripts cannot reach Typewarden: /Scripting is not on the bus.");
    // Capture needs the desktop's accessibility bus; without it the agent keeps its list. Some
    // editors show their text only while the desktop's accessibility is on.
    platform::enableDesktopAccessibility();
    QString why;
    m_accessibility = platform::atspi::AtspiSession::start(&why);
    if (m_accessibility) {
        m_desktop = std::make_unique<platform::atspi::AtspiDesktopAccessibility>(m_accessibility);
        m_monitors = std::make_unique<platform::atspi::AtspiGlobalEventMonitors>(m_accessibility);
        if (platform::isWaylandSession())
            qCWarning(lcAgent,
                      "Wayland session: Typewarden captures the corrections editors report "
                      "as text changes over the accessibility bus, but not a click in a "
                      "window that reports none: Wayland does not tell where the pointer "
                      "is.");
    } else {
        qCWarning(lcAgent).noquote()
            << "Typewarden cannot capture corrections: no accessibility access (" << why << ")";
    }
    CaptureCoordinator::Peers capture;
    capture.defaults = &m_defaults;
    capture.alerts = &m_alerts;
    capture.panels = &m_panels;
    capture.desktop = m_desktop.get();
    capture.monitors = m_monitors.get();
    capture.ownPid = QCoreApplication::applicationPid();
    capture.shippedScript = ComparisonScript::shippedScriptPath();
    m_capture = std::make_unique<CaptureCoordinator>(std::move(capture));
    m_login = std::make_unique<LaunchAtLoginController>(QCoreApplication::applicationFilePath());
    m_preferences = std::make_unique<PreferencesWindowController>(m_defaults, *m_login, *m_capture);
    m_import = std::make_unique<TypewardenImportDelegate>(m_defaults, m_alerts, m_panels, *m_model);
    m_import->setWindow(m_window->window());
    m_delegate = std::make_unique<TypewardenAppDelegate>(m_defaults, m_alerts, m_launcher, *m_model,
                                                         *m_window, *m_capture);

    QObject::connect(m_capture.get(), &CaptureCoordinator::pairCaptured, m_delegate.get(),
                     &TypewardenAppDelegate::addSpellWordsToList);
    QObject::connect(m_capture.get(), &CaptureCoordinator::toggleLastCorrectionRequested,
                     m_window.get(), &TypewardenWindowController::toggleLastCorrection);
    QObject::connect(m_capture.get(), &CaptureCoordinator::saveRequested, m_window.get(),
                     &TypewardenWindowController::wordPairArrayControllerSaveContext);
    QObject::connect(m_window.get(), &TypewardenWindowController::installScriptRequested,
                     m_capture.get(), &CaptureCoordinator::offerComparisonScript);
    QObject::connect(m_window.get(), &TypewardenWindowController::preferencesRequested,
                     m_preferences.get(), &PreferencesWindowController::showWindow);
    QObject::connect(m_window.get(), &TypewardenWindowController::launchLexotraceRequested,
                     m_delegate.get(), &TypewardenAppDelegate::launchLexotrace);
    QObject::connect(m_window.get(), &TypewardenWindowController::exportRequested, m_import.get(),
                     &TypewardenImportDelegate::exportWordPairs);
    QObject::connect(m_window.get(), &TypewardenWindowController::importRequested, m_import.get(),
                     &TypewardenImportDelegate::importWordPairs);
    QObject::connect(m_window.get(), &TypewardenWindowController::quitRequested,
                     QCoreApplication::instance(), &QCoreApplication::quit);
    QObject::connect(m_import.get(), &TypewardenImportDelegate::scrollToEndOfListRequested,
                     m_window.get(), &TypewardenWindowController::scrollToEndOfTableViewList);
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, m_window.get(),
                     [this] { terminate(); });

    m_window->wake();
    m_delegate->wake();
    QTimer::singleShot(0, m_delegate.get(), [this] {
        m_delegate->applicationDidFinishLaunching();
        // After the first run's settings, so that its "start at login" takes effect at once.
        m_login->applyStoredSetting(m_defaults);
    });
    return true;
}

void TypewardenApplication::endOnSignal()
{
    m_alerts.setUnattended(true);
    if (m_model)
        m_model->saveContext();
    terminate();
    // Not quit(): that would ask each window to close, and a window may ask a question first.
    QCoreApplication::exit(0);
}

void TypewardenApplication::terminate()
{
    if (m_terminated || !m_delegate)
        return;
    m_terminated = true;
    m_delegate->applicationWillTerminate();
}

} // namespace typewarden
