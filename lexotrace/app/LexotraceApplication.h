#pragma once

#include "lexotrace/analysis/LessonsSnapshot.h"
#include "lexotrace/app/LXMainAppController.h"
#include "lexotrace/store/LessonCoreDataAppDelegate.h"
#include "lexotrace/store/SpellRuleCoreDataAppDelegate.h"
#include "lexotrace/store/StoreContexts.h"
#include "lexotrace/xml/ConvertToCoreDataHelper.h"
#include "lexotrace/xml/RulesCoreDataToXMLConverter.h"
#include "platform/dbus/DBusDistributedNotificationCenter.h"
#include "platform/dbus/ScriptingService.h"
#include "platform/dbus/SessionBusName.h"
#include "platform/scripting/ScriptEngine.h"

#include <memory>
#include <mutex>

namespace lexotrace
{

class LexotraceScriptModel;

inline const QString kLexotraceBusName = QStringLiteral("com.brellum.Lexotrace");

// The program's object graph, built in start-up order: defaults, application controller, store
// managers with their converters. Owns everything; nothing is global.
class LexotraceApplication
{
public:
    struct Services {
        platform::AlertPresenter* alerts = nullptr;    // default: Qt message boxes
        platform::ProcessLauncher* launcher = nullptr; // default: detached processes
        platform::FilePanels* panels = nullptr;        // default: Qt file dialogs
        // default: the session bus
        platform::DistributedNotificationCenter* distributed = nullptr;
        // The program itself owns its bus name: one copy per session.
        bool ownsBusName = false;
    };

    // The program: its own services, and its bus name.
    LexotraceApplication();
    explicit LexotraceApplication(Services services);
    ~LexotraceApplication();

    // Wakes the store managers (which may schedule the first-run loads) and opens the first window.
    // False when another copy runs: that copy's window is brought forward and this one stops
    // before it opens a store.
    bool start();
    // Wakes the stores and fills the analysis window; done by start() once the stores are read,
    // or at once, waiting for the reads, when called sooner.
    void finishLoading();
    bool isLoaded() const { return m_loaded; }

    LXMainAppController& controller() { return *m_controller; }
    LessonCoreDataAppDelegate& lessons() { return *m_lessons; }
    SpellRuleCoreDataAppDelegate& rules() { return *m_rules; }
    platform::UserDefaults& defaults() { return m_defaults; }
    platform::NotificationCenter& notifications() { return m_notifications; }

private:
    bool becomeTheRunningCopy();
    // Scripts reach the curriculum on the bus name's "/Scripting".
    void acceptScripts();
    void answerLaterStarts();
    // Starts reading the three store files on worker threads.
    void readStoresAhead();
    // Edits kept in a recovery file when the last run could not save them: restored into their
    // store before it is read, or set aside, as the user says.
    void offerUnsavedEdits();

    bool m_ownsBusName = false;
    bool m_loaded = false;
    int m_readsPending = 0;
    // The course made by the lessons read, on its worker; shared, as the worker may outlive
    // this object's members.
    class PreparedCourse
    {
    public:
        void set(std::shared_ptr<const LessonsSnapshot> course)
        {
            std::lock_guard lock(m_mutex);
            m_course = std::move(course);
        }
        std::shared_ptr<const LessonsSnapshot> take()
        {
            std::lock_guard lock(m_mutex);
            return std::exchange(m_course, nullptr);
        }

    private:
        std::mutex m_mutex;
        std::shared_ptr<const LessonsSnapshot> m_course;
    };
    std::shared_ptr<PreparedCourse> m_preparedCourse = std::make_shared<PreparedCourse>();
    platform::AlertPresenter* m_alerts = nullptr;
    std::unique_ptr<platform::ApplicationActivation> m_activation;
    std::unique_ptr<LexotraceScriptModel> m_scriptModel;
    std::unique_ptr<platform::scripting::ScriptEngine> m_scriptEngine;
    std::unique_ptr<platform::ScriptingService> m_scripting;
    std::unique_ptr<platform::AlertPresenter> m_ownAlerts;
    std::unique_ptr<platform::ProcessLauncher> m_ownLauncher;
    std::unique_ptr<platform::FilePanels> m_ownPanels;
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
