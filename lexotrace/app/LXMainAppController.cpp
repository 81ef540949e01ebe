#include "lexotrace/app/LXMainAppController.h"

#include "lexotrace/analysis/SpellErrorAnalysisController.h"
#include "lexotrace/app/AboutController.h"
#include "lexotrace/lessons/SpellLessonsWindowController.h"
#include "lexotrace/rules/SpellBitsWindowController.h"
#include "lexotrace/rules/SpellRulesWindowController.h"
#include "lexotrace/store/LessonCoreDataAppDelegate.h"
#include "lexotrace/store/SpellRuleCoreDataAppDelegate.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

Q_LOGGING_CATEGORY(lcApp, "lexotrace.app")

namespace lexotrace
{

LXMainAppController::LXMainAppController(platform::UserDefaults& defaults,
                                         platform::AlertPresenter& alerts,
                                         platform::NotificationCenter& notifications,
                                         platform::ProcessLauncher& launcher,
                                         platform::FilePanels& panels, StoreContexts& stores)
    : m_defaults(defaults), m_alerts(alerts), m_notifications(notifications), m_launcher(launcher),
      m_panels(panels), m_stores(stores), m_quit([] { QCoreApplication::quit(); }),
      m_programPath(QCoreApplication::applicationFilePath())
{
}

LXMainAppController::~LXMainAppController() = default;

void LXMainAppController::applicationDidFinishLaunching()
{
    showSpellErrorAnalysisWindow();
}

bool LXMainAppController::applicationShouldTerminateAfterLastWindowClosed()
{
    m_notifications.post(KVRApplicationWillCloseNotification, this);
    return true;
}

void LXMainAppController::showSpellErrorAnalysisWindow()
{
    if (!m_analysis) {
        m_analysis = std::make_unique<SpellErrorAnalysisController>(
            AnalysisServices{m_stores, m_alerts, m_notifications, m_preferences.get(),
                             m_distributed, !m_relaunchExpected});
        connect(m_analysis.get(), &SpellErrorAnalysisController::lessonsWindowRequested, this,
                &LXMainAppController::showSpellLessonsWindow);
        installMainMenu(m_analysis->window(), m_analysis->fileMenuActions());
        if (m_storesLoading) {
            m_analysis->listenForAnnouncements();
            m_analysis->setLoading(true);
        } else {
            m_analysis->wake();
        }
    }
    m_analysis->showWindow();
}

void LXMainAppController::storesLoaded(std::shared_ptr<const LessonsSnapshot> course)
{
    if (!std::exchange(m_storesLoading, false) || !m_analysis)
        return;
    if (course && !course->isEmpty())
        m_analysis->setCourse(std::move(course));
    m_analysis->setTellsEmptyList(!m_relaunchExpected);
    m_analysis->setLoading(false);
    m_analysis->showStoredPairs();
}

void LXMainAppController::showSpellRuleWindow()
{
    if (!m_rules) {
        m_rules = std::make_unique<SpellRulesWindowController>(
            RulesWindowServices{m_defaults, m_alerts, m_panels, m_notifications, m_rulesManager});
        connect(m_rules.get(), &SpellRulesWindowController::lessonsWindowRequested, this,
                &LXMainAppController::showSpellLessonsWindow);
        installMainMenu(m_rules->window(), m_rules->fileMenuActions());
        m_rules->wake();
    }
    m_rules->showWindow();
}

void LXMainAppController::showSpellBitsDictionaryWindow()
{
    if (!m_bits) {
        m_bits = std::make_unique<SpellBitsWindowController>(m_notifications, m_lessonsManager);
        connect(m_bits.get(), &SpellBitsWindowController::lessonsWindowRequested, this,
                &LXMainAppController::showSpellLessonsWindow);
        installMainMenu(m_bits->window());
    }
    m_bits->showWindow();
}

void LXMainAppController::showSpellLessonsWindow()
{
    if (!m_lessons) {
        m_lessons = std::make_unique<SpellLessonsWindowController>(LessonsWindowServices{
            m_defaults, m_alerts, m_panels, m_notifications, m_lessonsManager});
        installMainMenu(m_lessons->window(), m_lessons->fileMenuActions());
        m_lessons->wake();
    }
    m_lessons->makeKeyAndOrderFront();
}

void LXMainAppController::performAbout()
{
    if (!m_about)
        m_about = std::make_unique<AboutController>(QStringLiteral("About"));
    m_about->show();
    if (QWidget* panel = m_about->aboutPanel(); panel && !m_windows.contains(panel)) {
        m_windows.append(panel);
        panel->installEventFilter(this);
    }
}

QWidget* LXMainAppController::analysisWindow() const
{
    return m_analysis ? m_analysis->window() : nullptr;
}

void LXMainAppController::close()
{
    if (m_window)
        m_window->close();
}

bool LXMainAppController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && !m_lastWindowCheckQueued &&
        m_windows.contains(qobject_cast<QWidget*>(watched))) {
        // Checked on the next turn, when a window closing in favour of another has settled.
        m_lastWindowCheckQueued = true;
        QTimer::singleShot(0, this, &LXMainAppController::checkForLastWindow);
    }
    return false;
}

void LXMainAppController::checkForLastWindow()
{
    m_lastWindowCheckQueued = false;
    for (QWidget* window : m_windows)
        if (window->isVisible())
            return;
    if (applicationShouldTerminateAfterLastWindowClosed())
        terminate();
}

void LXMainAppController::installMainMenu(QMainWindow* window, const QList<QAction*>& fileActions)
{
    m_windows.append(window);
    window->installEventFilter(this);
    QMenuBar* bar = window->menuBar();
    QMenu* app = bar->addMenu(tr("&Lexotrace"));
    app->addAction(tr("&About Lexotrace"), this, &LXMainAppController::performAbout);
    app->addSeparator();
    app->addAction(tr("&Quit Lexotrace"), QKeySequence::Quit, this, [this] {
        applicationShouldTerminateAfterLastWindowClosed();
        terminate();
    });
    QMenu* file = bar->addMenu(tr("&File"));
    for (QAction* action : fileActions)
        file->addAction(action);
    file->addAction(tr("&Close Window"), QKeySequence::Close, window, &QWidget::close);
    QMenu* windows = bar->addMenu(tr("&Window"));
    windows->addAction(tr("Spelling Error &Analysis"), this,
                       &LXMainAppController::showSpellErrorAnalysisWindow);
    windows->addAction(tr("Spelling &Lessons"), this, &LXMainAppController::showSpellLessonsWindow);
    windows->addAction(tr("Spelling &Rules"), this, &LXMainAppController::showSpellRuleWindow);
    windows->addAction(tr("Word &Bits Dictionary"), this,
                       &LXMainAppController::showSpellBitsDictionaryWindow);
}

void LXMainAppController::loadPreferencesController()
{
    if (!m_preferences)
        m_preferences = std::make_unique<model::PreferencesController>(m_defaults);
}

LessonCoreDataAppDelegate* LXMainAppController::lessonCoreDataAppDelegate() const
{
    qCDebug(lcApp) << "lessonCoreDataAppDelegate:" << m_lessonsManager;
    return m_lessonsManager;
}

QString LXMainAppController::relaunchCommand(double seconds, const QString& programPath)
{
    // The path is quoted so that no character of it can end the word or run anything else.
    return QStringLiteral("sleep %1; exec %2")
        .arg(QString::asprintf("%f", seconds), platform::shellDoubleQuoted(programPath));
}

void LXMainAppController::relaunchAfterDelay(double seconds)
{
    // Quitting already (a logout, a kill): a new copy would outlive the session.
    if (m_terminating) {
        qCInfo(lcApp) << "not relaunched: quitting";
        return;
    }
    const QStringList arguments{QStringLiteral("-c"), relaunchCommand(seconds, m_programPath)};
    qCInfo(lcApp).noquote() << "relaunch:" << arguments.join(u' ');
    m_launcher.startDetached(QStringLiteral("/bin/sh"), arguments);
    terminate();
}

unsigned LXMainAppController::countEntityObjectsForEntity(const QString& entity,
                                                          platform::ObjectContext* context)
{
    return countEntityObjects(entity, context, m_alerts);
}

void LXMainAppController::terminateUnattended()
{
    m_unattended = true;
    applicationShouldTerminateAfterLastWindowClosed();
    terminate();
}

void LXMainAppController::commitUnsavedEdits()
{
    for (DataSource* manager :
         {static_cast<DataSource*>(m_lessonsManager), static_cast<DataSource*>(m_rulesManager)})
        if (manager)
            manager->saveOrKeepUnsavedChanges();
}

void LXMainAppController::terminate()
{
    if (m_terminating)
        return;
    m_terminating = true;
    // Unsaved curriculum or rules changes are saved, or the user decides, before quitting.
    for (DataSource* manager :
         {static_cast<DataSource*>(m_lessonsManager), static_cast<DataSource*>(m_rulesManager)}) {
        if (manager &&
            manager->applicationShouldTerminate(!m_unattended) == DataSource::TerminateCancel) {
            m_terminating = false;
            return;
        }
    }
    m_quit();
}

} // namespace lexotrace
