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
    m_controller = std::make_unique<LXMainAppController>(m_defaults, *services.alerts,
                                                         m_notifications, *services.launcher);
    m_controller->setDistributedNotifications(services.distributed);
    m_controller->loadPreferencesController();
    m_lessonsConverter = std::make_unique<ConvertToCoreDataHelper>(*services.alerts);
    m_rulesConverter = std::make_unique<RulesCoreDataToXMLConverter>(*services.alerts);
    m_lessons = std::make_unique<LessonCoreDataAppDelegate>(
        *m_controller, *m_controller->preferencesController(), *m_lessonsConverter);
    m_rules = std::make_unique<SpellRuleCoreDataAppDelegate>(
        *m_controller, *m_controller->preferencesController(), *m_rulesConverter);
    m_controller->setLessonCoreDataAppDelegate(m_lessons.get());
    m_controller->setSpellRuleCoreDataAppDelegate(m_rules.get());
}

LexotraceApplication::~LexotraceApplication() = default;

void LexotraceApplication::start()
{
    m_lessons->awakeFromNib();
    m_rules->awakeFromNib();
    m_controller->applicationDidFinishLaunching();
    m_controller->setWindow(m_controller->analysisWindow());

    // The controller quits when its last window closes, through the store managers.
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        app->setQuitOnLastWindowClosed(false);
}

} // namespace lexotrace
