#pragma once

#include "lexotrace/store/LocalNotifications.h"
#include "lexotrace/store/StoreContexts.h"
#include "model/PreferencesController.h"
#include "platform/DistributedNotificationCenter.h"
#include "platform/NotificationCenter.h"
#include "platform/ProcessLauncher.h"
#include "platform/ui/Alerts.h"
#include "platform/ui/FilePanels.h"

#include <QLoggingCategory>

#include <functional>
#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcApp)

class QAction;
class QMainWindow;
class QWidget;

namespace lexotrace
{

class AboutController;
class LessonCoreDataAppDelegate;
class LessonsSnapshot;
class SpellBitsWindowController;
class SpellErrorAnalysisController;
class SpellLessonsWindowController;
class SpellRuleCoreDataAppDelegate;
class SpellRulesWindowController;

inline const QString& KVRApplicationWillCloseNotification = notification::ApplicationWillClose;

// The application's one long-lived controller: where every part finds the store contexts (kept in
// the application's StoreContexts), the owner of each main window (created on first demand, kept
// for the life of the process), the About panel, the relaunch after the first-run load and the
// announcement that the program will close.
class LXMainAppController : public QObject
{
    Q_OBJECT
public:
    LXMainAppController(platform::UserDefaults& defaults, platform::AlertPresenter& alerts,
                        platform::NotificationCenter& notifications,
                        platform::ProcessLauncher& launcher, platform::FilePanels& panels,
                        StoreContexts& stores);
    ~LXMainAppController() override;

    // Application delegate.
    void applicationDidFinishLaunching();
    bool applicationShouldTerminateAfterLastWindowClosed();

    // Actions.
    void showSpellErrorAnalysisWindow();
    void showSpellRuleWindow();
    void showSpellBitsDictionaryWindow();
    void showSpellLessonsWindow();
    void performAbout();
    void close();

    void loadPreferencesController();
    // Starts "/bin/sh" to open a fresh copy after the delay, then quits this one.
    void relaunchAfterDelay(double seconds);
    // The "-c" command text the relaunch runs.
    static QString relaunchCommand(double seconds, const QString& programPath);
    // Count of the entity's objects; on an error, an alert and 0.
    unsigned countEntityObjectsForEntity(const QString& entity, platform::ObjectContext* context);

    // Asks the store managers whether quitting may go on, then quits.
    void terminate();
    // The end a logout or a kill asks for: nobody is there to answer, so unsaved lessons and
    // rules are saved, or kept in recovery files the next start offers, and the program quits.
    void terminateUnattended();
    // The session asks for everything to be saved now (it may end soon): saved, or kept in
    // recovery files, without a question.
    void commitUnsavedEdits();
    // What quitting does; the event loop's quit unless a test replaces it.
    void setQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }
    void setProgramPath(const QString& path) { m_programPath = path; }
    // A first-run load will relaunch the program: the analysis window of this copy does not tell
    // an empty word-pair list, the relaunched one does.
    void setRelaunchExpected(bool expected) { m_relaunchExpected = expected; }
    // While the stores are read at start, the analysis window shows without its list and says
    // it is loading; storesLoaded() fills it.
    void setStoresLoading(bool loading) { m_storesLoading = loading; }
    // `course`, when given, is the lessons as read from their file.
    void storesLoaded(std::shared_ptr<const LessonsSnapshot> course = nullptr);

    // Fields.
    QWidget* window() const { return m_window; }
    // The analysis window, where first-run messages appear; none before it is first shown.
    QWidget* analysisWindow() const;
    void setWindow(QWidget* window) { m_window = window; }
    model::PreferencesController* preferencesController() const { return m_preferences.get(); }
    LessonCoreDataAppDelegate* lessonCoreDataAppDelegate() const;
    void setLessonCoreDataAppDelegate(LessonCoreDataAppDelegate* d) { m_lessonsManager = d; }
    SpellRuleCoreDataAppDelegate* spellRuleCoreDataAppDelegate() const { return m_rulesManager; }
    void setSpellRuleCoreDataAppDelegate(SpellRuleCoreDataAppDelegate* d) { m_rulesManager = d; }

    AboutController* aboutController() const { return m_about.get(); }
    SpellBitsWindowController* spellBitsWindowController() const { return m_bits.get(); }
    SpellRulesWindowController* spellRulesWindowController() const { return m_rules.get(); }
    SpellErrorAnalysisController* spellErrorAnalysisController() const { return m_analysis.get(); }
    SpellLessonsWindowController* spellLessonsWindowController() const { return m_lessons.get(); }

    // The stores' objects, once the part that opens each store has opened it.
    StoreContexts& stores() const { return m_stores; }
    platform::ObjectContext* lessonsDBase() const { return m_stores.lessons.context.get(); }
    platform::StoreCoordinator* lessonsManager() const
    {
        return m_stores.lessons.coordinator.get();
    }
    platform::ObjectModelPtr lessonsModel() const { return m_stores.lessons.model; }
    platform::ObjectContext* rulesDBase() const { return m_stores.rules.context.get(); }
    platform::StoreCoordinator* rulesManager() const { return m_stores.rules.coordinator.get(); }
    platform::ObjectContext* wordErrorDBase() const { return m_stores.wordErrors.context.get(); }
    platform::StoreCoordinator* wordErrorManager() const
    {
        return m_stores.wordErrors.coordinator.get();
    }

    platform::UserDefaults& defaults() const { return m_defaults; }
    platform::AlertPresenter& alerts() const { return m_alerts; }
    platform::NotificationCenter& notifications() const { return m_notifications; }
    // Where Typewarden's announcements arrive; none when there is no session bus.
    platform::DistributedNotificationCenter* distributedNotifications() const
    {
        return m_distributed;
    }
    void setDistributedNotifications(platform::DistributedNotificationCenter* center)
    {
        m_distributed = center;
    }

private:
    // Gives a newly created window the main menu and watches it for the last window closing.
    void installMainMenu(QMainWindow* window, const QList<QAction*>& fileActions = {});
    bool eventFilter(QObject* watched, QEvent* event) override;
    void checkForLastWindow();

    QList<QWidget*> m_windows;
    bool m_lastWindowCheckQueued = false;

    platform::UserDefaults& m_defaults;
    platform::AlertPresenter& m_alerts;
    platform::NotificationCenter& m_notifications;
    platform::ProcessLauncher& m_launcher;
    platform::FilePanels& m_panels;
    StoreContexts& m_stores;
    platform::DistributedNotificationCenter* m_distributed = nullptr;
    std::function<void()> m_quit;
    QString m_programPath;
    bool m_terminating = false;
    bool m_unattended = false;
    bool m_relaunchExpected = false;
    bool m_storesLoading = false;

    QWidget* m_window = nullptr;
    std::unique_ptr<model::PreferencesController> m_preferences;
    LessonCoreDataAppDelegate* m_lessonsManager = nullptr;
    SpellRuleCoreDataAppDelegate* m_rulesManager = nullptr;
    std::unique_ptr<AboutController> m_about;
    std::unique_ptr<SpellBitsWindowController> m_bits;
    std::unique_ptr<SpellRulesWindowController> m_rules;
    std::unique_ptr<SpellErrorAnalysisController> m_analysis;
    std::unique_ptr<SpellLessonsWindowController> m_lessons;
};

} // namespace lexotrace
