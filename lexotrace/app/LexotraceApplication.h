#pragma once

#include "lexotrace/app/LXMainAppController.h"
#include "lexotrace/store/LessonCoreDataAppDelegate.h"
#include "lexotrace/store/SpellRuleCoreDataAppDelegate.h"
#include "lexotrace/store/StoreContexts.h"
#include "lexotrace/xml/ConvertToCoreDataHelper.h"
#include "lexotrace/xml/RulesCoreDataToXMLConverter.h"
#include "platform/dbus/DBusDistributedNotificationCenter.h"

#include <memory>

namespace lexotrace
{

// The program's object graph, built in start-up order: defaults, application controller, store
// managers with their converters. Owns everything; nothing is global.
class LexotraceApplication
{
public:
    struct Services {
        platform::AlertPresenter* alerts = nullptr;    // default: Qt message boxes
        platform::ProcessLauncher* launcher = nullptr; // default: detached processes
        // default: the session bus
        platform::DistributedNotificationCenter* distributed = nullptr;
    };

    LexotraceApplication();
    explicit LexotraceApplication(Services services);
    ~LexotraceApplication();

    // Wakes the store managers (which may schedule the first-run loads) and opens the first window.
    void start();

    LXMainAppController& controller() { return *m_controller; }
    LessonCoreDataAppDelegate& lessons() { return *m_lessons; }
    SpellRuleCoreDataAppDelegate& rules() { return *m_rules; }
    platform::UserDefaults& defaults() { return m_defaults; }
    platform::NotificationCenter& notifications() { return m_notifications; }

private:
    std::unique_ptr<platform::AlertPresenter> m_ownAlerts;
    std::unique_ptr<platform::ProcessLauncher> m_ownLauncher;
    std::unique_ptr<platform::DBusDistributedNotificationCenter> m_ownDistributed;
    platform::UserDefaults m_defaults;
    platform::NotificationCenter m_notifications;
    StoreContexts m_stores;
    std::unique_ptr<LXMainAppController> m_controller;
    std::unique_ptr<ConvertToCoreDataHelper> m_lessonsConverter;
    std::unique_ptr<RulesCoreDataToXMLConverter> m_rulesConverter;
    std::unique_ptr<LessonCoreDataAppDelegate> m_lessons;
    std::unique_ptr<SpellRuleCoreDataAppDelegate> m_rules;
};

} // namespace lexotrace
