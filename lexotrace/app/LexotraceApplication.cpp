#include "lexotrace/app/LexotraceApplication.h"

#include <QApplication>

namespace lexotrace
{

LexotraceApplication::LexotraceApplication()
    : LexotraceApplication(Services{nullptr, nullptr, nullptr})
{
}

LexotraceApplication::LexotraceApplication(Services services)
    : m_defaults(QStringLiteral("Lexotrace"))
{
    if (!services.alerts) {
        m_ownAlerts = std::make_unique<platform::WidgetAlertPresenter>();
        services.alerts = m_ownAlerts.get();
    }
    if (!services.launcher) {
        m_ownLauncher = std::make_unique<platform::DetachedProcessLauncher>();
        services.launcher = m_ownLauncher.get();
    }
    if (!services.distributed) {
        m_ownDistributed = std::make_unique<platform::DBusDistributedNotificationCenter>();
        services.distributed = m_ownDistributed.get();
    }
    model::PreferencesController::initialize(m_defaults);
    m_controller = std::make_unique<LXMainAppController>(
        m_defaults, *services.alerts, m_notifications, *services.launcher, m_stores);
    m_controller->setDistributedNotifications(services.distributed);
    m_controller->loadPreferencesController();
    m_lessonsConverter = std::make_unique<ConvertToCoreDataHelper>(*services.alerts);
    m_rulesConverter = std::make_unique<RulesCoreDataToXMLConverter>(*services.alerts);
    model::PreferencesController& preferences = *m_controller->preferencesController();
    m_lessons = std::make_unique<LessonCoreDataAppDelegate>(
        m_stores.lessons, m_defaults, *services.alerts, preferences, *m_lessonsConverter);
    m_rules = std::make_unique<SpellRuleCoreDataAppDelegate>(
        m_stores.rules, m_defaults, *services.alerts, preferences, *m_rulesConverter);
    m_controller->setLessonCoreDataAppDelegate(m_lessons.get());
    m_controller->setSpellRuleCoreDataAppDelegate(m_rules.get());
    QObject::connect(m_lessons.get(), &LessonCoreDataAppDelegate::relaunchRequested,
                     m_controller.get(), [this] {
                         m_controller->relaunchAfterDelay(1.0);
                         m_controller->close();
                     });
}

LexotraceApplication::~LexotraceApplication() = default;

void LexotraceApplication::start()
{
    m_lessons->wake();
    m_rules->wake();
    m_controller->setRelaunchExpected(m_lessons->firstRunLoadScheduled());
    m_controller->applicationDidFinishLaunching();
    m_controller->setWindow(m_controller->analysisWindow());
    // The first-run messages, scheduled as the stores woke, appear on the analysis window.
    m_lessons->setSheetWindow(m_controller->analysisWindow());
    m_rules->setSheetWindow(m_controller->analysisWindow());

    // The controller quits when its last window closes, through the store managers.
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        app->setQuitOnLastWindowClosed(false);
}

} // namespace lexotrace
