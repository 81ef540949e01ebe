#include "lexotrace/app/LexotraceApplication.h"

#include "lexotrace/lessons/SpellLessonsWindowController.h"
#include "lexotrace/lessons/UnitsArrayController.h"
#include "lexotrace/scripting/LexotraceScriptModel.h"
#include "lexotrace/store/UnsavedEditsFile.h"

#include "model/OrthovaModel.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace lexotrace
{

LexotraceApplication::LexotraceApplication()
    : LexotraceApplication(Services{nullptr, nullptr, nullptr, nullptr, true})
{
}

LexotraceApplication::LexotraceApplication(Services services)
    : m_ownsBusName(services.ownsBusName), m_defaults(QStringLiteral("Lexotrace"))
{
    if (!services.alerts) {
        m_ownAlerts = std::make_unique<platform::WidgetAlertPresenter>();
        services.alerts = m_ownAlerts.get();
    }
    if (!services.launcher) {
        m_ownLauncher = std::make_unique<platform::DetachedProcessLauncher>();
        services.launcher = m_ownLauncher.get();
    }
    if (!services.panels) {
        m_ownPanels = std::make_unique<platform::WidgetFilePanels>();
        services.panels = m_ownPanels.get();
    }
    if (!services.distributed) {
        m_ownDistributed = std::make_unique<platform::DBusDistributedNotificationCenter>();
        services.distributed = m_ownDistributed.get();
    }
    m_alerts = services.alerts;
    model::PreferencesController::initialize(m_defaults);
    m_controller =
        std::make_unique<LXMainAppController>(m_defaults, *services.alerts, m_notifications,
                                              *services.launcher, *services.panels, m_stores);
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

bool LexotraceApplication::becomeTheRunningCopy()
{
    switch (platform::claimSessionBusName(kLexotraceBusName)) {
    case platform::BusNameClaim::Owned:
        return true;
    case platform::BusNameClaim::NoBus:
        qCWarning(lcApp, "No session bus: Typewarden's corrections will not arrive, and a second "
                         "copy of Lexotrace cannot be detected.");
        return true;
    case platform::BusNameClaim::TakenByAnother:
        break;
    }
    // Two copies over the same store files would each undo the other's saves.
    if (platform::activateRunningCopy(kLexotraceBusName)) {
        std::fputs("Lexotrace is already running: its window is brought forward.\n", stderr);
    } else {
        std::fputs("Lexotrace is already running.\n", stderr);
        m_alerts->runModal(
            {QCoreApplication::translate("LexotraceApplication", "Lexotrace is already running."),
             QCoreApplication::translate(
                 "LexotraceApplication",
                 "The running copy does not answer. Quit it before you start "
                 "Lexotrace again."),
             {QCoreApplication::translate("LexotraceApplication", "OK")}});
    }
    return false;
}

void LexotraceApplication::answerLaterStarts()
{
    m_activation = std::make_unique<platform::ApplicationActivation>();
    QObject::connect(m_activation.get(), &platform::ApplicationActivation::activated,
                     m_controller.get(), [this] {
                         qCInfo(lcApp) << "brought forward for a second start";
                         m_controller->showSpellErrorAnalysisWindow();
                         if (QWidget* window = m_controller->analysisWindow())
                             window->activateWindow();
                     });
    if (!m_activation->exportFor(kLexotraceBusName))
        qCWarning(lcApp) << "a second start cannot bring this copy forward";
}

void LexotraceApplication::acceptScripts()
{
    ScriptPeers peers;
    peers.lessons = [this] { return m_lessons->lessonsDBase(); };
    peers.rules = [this] { return m_rules->rulesDBase(); };
    peers.wordPairs = [this] { return m_stores.wordErrors.context.get(); };
    peers.currentUnit = [this]() -> platform::ManagedObject* {
        SpellLessonsWindowController* lessons = m_controller->spellLessonsWindowController();
        return lessons && lessons->unitsArrayController()
                   ? lessons->unitsArrayController()->lastSelectedObject()
                   : nullptr;
    };
    LXMainAppController* app = m_controller.get();
    peers.actions = {
        {QStringLiteral("aSShowLastOpenedLesson"), [app] { app->showSpellLessonsWindow(); }},
        {QStringLiteral("aSOpenLessonsWindow"), [app] { app->showSpellLessonsWindow(); }},
        {QStringLiteral("aSOpenGeneralRulesWindow"), [app] { app->showSpellRuleWindow(); }},
        {QStringLiteral("aSOpenAnalysisWindow"), [app] { app->showSpellErrorAnalysisWindow(); }},
        {QStringLiteral("aSOpenWordbitDictionaryWindow"),
         [app] { app->showSpellBitsDictionaryWindow(); }},
    };
    m_scriptModel = std::make_unique<LexotraceScriptModel>(std::move(peers), *m_alerts);
    m_scriptEngine = std::make_unique<platform::scripting::ScriptEngine>(
        LexotraceScriptModel::terminology(), *m_scriptModel);
    m_scripting = std::make_unique<platform::ScriptingService>(*m_scriptEngine);
    if (!m_scripting->exportOnSessionBus())
        qCWarning(lcApp) << "scripts cannot reach Lexotrace: /Scripting is not on the bus";
}

bool LexotraceApplication::start()
{
    if (m_ownsBusName) {
        if (!becomeTheRunningCopy())
            return false;
        // Answered once the event loop runs, when the window below exists.
        answerLaterStarts();
        acceptScripts();
    }
    offerUnsavedEdits();
    // The window shows at once; the stores are read meanwhile and woken once all are in.
    readStoresAhead();
    m_controller->setStoresLoading(true);
    m_controller->applicationDidFinishLaunching();
    m_controller->setWindow(m_controller->analysisWindow());
    // The first-run messages, scheduled as the stores wake, appear on the analysis window.
    m_lessons->setSheetWindow(m_controller->analysisWindow());
    m_rules->setSheetWindow(m_controller->analysisWindow());

    // The controller quits when its last window closes, through the store managers.
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        app->setQuitOnLastWindowClosed(false);
    return true;
}

void LexotraceApplication::offerUnsavedEdits()
{
    const model::PreferencesController& preferences = *m_controller->preferencesController();
    const std::pair<QString, QString> stores[] = {
        {preferences.defaultPathToSpellLessonsData(),
         QCoreApplication::translate(
             "LexotraceApplication",
             "Lexotrace was ended before your changes to the lessons could be saved.")},
        {preferences.rulesDictionaryFactoryInstallXMLPath().toString(),
         QCoreApplication::translate(
             "LexotraceApplication",
             "Lexotrace was ended before your changes to the rules could be saved.")},
    };
    for (const auto& [path, message] : stores) {
        const QString kept = unsavedEdits::find(path);
        if (path.isEmpty() || kept.isEmpty())
            continue;
        const int answer = m_alerts->runModal(
            {message,
             QCoreApplication::translate(
                 "LexotraceApplication",
                 "They were kept in “%1”. Restore them in place of what was last saved?")
                 .arg(kept),
             {QCoreApplication::translate("LexotraceApplication", "Restore"),
              QCoreApplication::translate("LexotraceApplication", "Don’t Restore")}});
        if (answer != 0) {
            qCInfo(lcApp).noquote()
                << "unsaved changes not restored, left in" << unsavedEdits::setAside(kept);
            continue;
        }
        QString why;
        if (unsavedEdits::restore(kept, path, &why)) {
            qCInfo(lcApp).noquote() << "restored the unsaved changes of" << kept;
            continue;
        }
        m_alerts->runModal(
            {QCoreApplication::translate("LexotraceApplication",
                                         "The changes could not be restored."),
             QCoreApplication::translate("LexotraceApplication", "%1\nThey are still in “%2”.")
                 .arg(why, kept),
             {QCoreApplication::translate("LexotraceApplication", "OK")}});
    }
}

void LexotraceApplication::readStoresAhead()
{
    const model::PreferencesController& preferences = *m_controller->preferencesController();
    const platform::ObjectModelPtr model = model::orthovaCoreData();
    const std::pair<OpenStore*, QString> stores[] = {
        {&m_stores.lessons, preferences.defaultPathToSpellLessonsData()},
        {&m_stores.rules, preferences.rulesDictionaryFactoryInstallXMLPath().toString()},
        {&m_stores.wordErrors, preferences.typewardenErrorListXMLPath()},
    };
    m_readsPending = 0;
    for (const auto& [store, path] : stores) {
        if (path.isEmpty())
            continue;
        ++m_readsPending;
        std::function<void(const platform::StoreRead&)> prepare;
        if (store == &m_stores.lessons)
            // The analysis needs the course as values: made on the worker as the file is read.
            prepare = [course = m_preparedCourse](const platform::StoreRead& read) {
                if (read.contents)
                    course->set(LessonsSnapshot::fromStore(*read.contents));
            };
        store->readAhead.start(
            path, model,
            [this] {
                if (--m_readsPending == 0)
                    finishLoading();
            },
            std::move(prepare));
    }
    if (m_readsPending == 0)
        QTimer::singleShot(0, m_controller.get(), [this] { finishLoading(); });
}

void LexotraceApplication::finishLoading()
{
    if (std::exchange(m_loaded, true))
        return;
    // A store read ahead and not yet taken is taken here, waiting for it when need be.
    m_lessons->wake();
    m_rules->wake();
    m_controller->setRelaunchExpected(m_lessons->firstRunLoadScheduled());
    // Taking the lessons read above has made its course, when the file held one.
    m_controller->storesLoaded(m_preparedCourse->take());
}

} // namespace lexotrace
