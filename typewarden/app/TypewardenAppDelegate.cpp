#include "typewarden/app/TypewardenAppDelegate.h"

#include "model/TypewardenDefaults.h"
#include "platform/Paths.h"
#include "typewarden/app/AgentLog.h"
#include "typewarden/app/TypewardenWindowController.h"
#include "typewarden/capture/CaptureCoordinator.h"
#include "typewarden/store/TypewardenModel.h"

#include <QCoreApplication>
#include <QDesktopServices>

namespace typewarden
{

TypewardenAppDelegate::TypewardenAppDelegate(platform::UserDefaults& defaults,
                                             platform::AlertPresenter& alerts,
                                             platform::ProcessLauncher& launcher,
                                             TypewardenModel& model,
                                             TypewardenWindowController& window,
                                             CaptureCoordinator& capture)
    : openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }), m_defaults(defaults),
      m_alerts(alerts), m_launcher(launcher), m_model(model), m_window(window), m_capture(capture),
      m_programDirectory(QCoreApplication::applicationDirPath())
{
}

void TypewardenAppDelegate::wake()
{
    m_capture.setupApplicationActivityMonitor();
    if (m_defaults.boolForKey(defaults::ShowWindowAtStartup))
        m_window.openSpellingListWindow();
}

void TypewardenAppDelegate::applicationDidFinishLaunching()
{
    m_capture.checkForComparisonScript();
    // First run only: every setting starts on, written to the user's defaults.
    if (m_defaults.isStored(defaults::LaunchAtLogin))
        return;
    for (const QString& key : defaults::FirstRunSettings)
        m_defaults.setObject(true, key);
    m_defaults.synchronize();
}

void TypewardenAppDelegate::applicationWillTerminate()
{
    // Observers first, then capture: removing the key monitor saves; nothing else saves at quit.
    m_capture.terminate();
    if (!m_model.lastSaveFailed() || m_model.unsavedPairs().isEmpty())
        return;
    // Pairs a failed save left behind are kept in a file the list can import.
    QString written;
    platform::StoreError error;
    if (m_model.writeUnsavedPairsToRecoveryFile(&written, &error))
        m_alerts.runModal({tr("Your unsaved corrections were kept in a separate file."),
                           tr("The word list could not be saved. The corrections captured since "
                              "the last save are in:\n%1")
                               .arg(written),
                           {tr("OK")}});
    else
        m_alerts.runModal(platform::AlertPresenter::alertWithError(error));
}

void TypewardenAppDelegate::addSpellWordsToList(const model::WordPair& pair)
{
    m_model.addWordPairs(pair);
    m_window.scrollToEndOfTableViewList();
}

QString TypewardenAppDelegate::lexotraceProgramPath() const
{
    return platform::paths::findProgram(QStringLiteral("lexotrace"), m_programDirectory);
}

void TypewardenAppDelegate::launchLexotrace()
{
    if (m_window.changesWereMade())
        m_window.showSaveListPanelFromSource();
    const QString program = lexotraceProgramPath();
    if (!program.isEmpty() && m_launcher.startDetached(program, {}))
        return;
    qCWarning(lcAgent).noquote() << "Lexotrace could not be started:"
                                 << (program.isEmpty() ? QStringLiteral("not found") : program);
    postAlertPanel();
}

void TypewardenAppDelegate::postAlertPanel()
{
    m_alerts.runModal({tr("The assistant application, Lexotrace can not be reached."),
                       tr("May I open website that provides you access to the downloadable "
                          "application?"),
                       {tr("OK")}});
    if (openUrl)
        openUrl(kLexotraceWebPage);
}

} // namespace typewarden
